#pragma once
// The controls' properties and operations as the handlers see them, without any
// window toolkit. Writing a property never raises a user event. Indexes count
// from 0; out-of-range indexes give the neutral results (empty text, false, -1).
#include <vector>

#include "primitives/text.h"

namespace app {

using prim::Text;

class Control {
  public:
    virtual ~Control() = default;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Disabled() const = 0;
    virtual void SetDisabled(bool disabled) = 0;
    virtual void SetFocus() = 0;
};

class EditBox : public virtual Control {
  public:
    virtual Text Content() const = 0;
    virtual void SetContent(const Text& text) = 0;
    // -1 puts the caret after the last character with nothing selected (the only value used).
    virtual void SetSelectionStart(int start) = 0;
    // Caret to the end, scrolled into view, text inserted there.
    virtual void AppendText(const Text& text) = 0;
};

// Radio buttons and check boxes.
class CheckBox : public virtual Control {
  public:
    virtual bool Checked() const = 0;
};

class ComboBox : public virtual Control {
  public:
    virtual Text Content() const = 0;  // the edit field
    virtual void Clear() = 0;          // the list and the edit field
    virtual int AddItem(const Text& text, int value) = 0;
    virtual int ItemCount() const = 0;
    virtual Text ItemText(int index) const = 0;
};

class ListBox : public virtual Control {
  public:
    virtual int ItemCount() const = 0;
    virtual Text ItemText(int index) const = 0;
    virtual int AddItem(const Text& text) = 0;
    virtual bool DeleteItem(int index) = 0;
    virtual void Clear() = 0;
    virtual bool SelectItem(int index, bool selected) = 0;
    virtual std::vector<int> SelectedIndexes() const = 0;
};

class StatusBar : public virtual Control {
  public:
    virtual void SetText(int part, const Text& text) = 0;
    virtual Text PartText(int part) const = 0;
    virtual int PartWidth(int part) const = 0;
    virtual void SetPartWidth(int part, int width) = 0;
};

class DriveBox : public virtual Control {
  public:
    // One upper-case letter: the selected drive's, else the current drive's.
    virtual Text DriveLetter() const = 0;
    virtual void SetDriveLetter(const Text& letter) = 0;
};

class DirectoryBox : public virtual Control {
  public:
    virtual Text Directory() const = 0;
    virtual void SetDirectory(const Text& path) = 0;
};

class FileBox : public virtual Control {
  public:
    virtual Text Directory() const = 0;
    virtual void SetDirectory(const Text& path) = 0;  // relists, also when unchanged
    virtual Text SelectedNames() const = 0;           // joined by ";"
};

class MenuItem {
  public:
    virtual ~MenuItem() = default;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
};

// The window-level operations.
class WindowOps {
  public:
    virtual ~WindowOps() = default;
    virtual int Width() const = 0;  // outer width, borders included
    virtual long long WindowHandle() const = 0;
    virtual bool RegisterDropTarget(long long windowHandle) = 0;
    virtual bool AttachTip(Control& control, const Text& text, int icon) = 0;
    // Shows the visible children of the context menu at the pointer plus (3, 3);
    // a chosen item's handler runs before this returns.
    virtual void PopupMenu() = 0;
    // Dispatches pending events without ever waiting.
    virtual void ProcessEvents() = 0;
};

}  // namespace app
