#pragma once
// The window operations under the names the handlers use.
#include "app/main_window.h"

namespace app {

inline int ListItemCount(const ListBox& l) {
    return l.ItemCount();
}
inline Text ListItemText(const ListBox& l, int i) {
    return l.ItemText(i);
}
inline int ListAddItem(ListBox& l, const Text& t) {
    return l.AddItem(t);
}
inline bool ListDeleteItem(ListBox& l, int i) {
    return l.DeleteItem(i);
}
inline void ListClear(ListBox& l) {
    l.Clear();
}
inline bool ListSelectItem(ListBox& l, int i, bool s) {
    return l.SelectItem(i, s);
}
inline std::vector<int> ListSelectedIndexes(const ListBox& l) {
    return l.SelectedIndexes();
}
inline void ComboClear(ComboBox& c) {
    c.Clear();
}
inline int ComboAddItem(ComboBox& c, const Text& t, int v) {
    return c.AddItem(t, v);
}
inline void StatusSetText(StatusBar& b, int part, const Text& t) {
    b.SetText(part, t);
}
inline int StatusGetPartWidth(const StatusBar& b, int part) {
    return b.PartWidth(part);
}
inline void StatusSetPartWidth(StatusBar& b, int part, int w) {
    b.SetPartWidth(part, w);
}
inline void EditAppendText(EditBox& e, const Text& t) {
    e.AppendText(t);
}
inline void SetFocus(Control& c) {
    c.SetFocus();
}
inline void PopupMenu(MainWindow& w) {
    w.window->PopupMenu();
}
inline void ProcessEvents(MainWindow& w) {
    w.window->ProcessEvents();
}
inline long long WindowHandle(const MainWindow& w) {
    return w.window->WindowHandle();
}
inline bool RegisterDropTarget(MainWindow& w, long long handle) {
    return w.window->RegisterDropTarget(handle);
}
inline bool AttachTip(MainWindow& w, Control& c, const Text& t, int icon) {
    return w.window->AttachTip(c, t, icon);
}

}  // namespace app
