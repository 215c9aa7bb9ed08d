#pragma once
// The dialog and shell services on Qt: message boxes, the folder picker, the
// beep and the desktop's opener.
#include "primitives/services.h"

namespace ui {

class QtServices : public prim::Services {
  public:
    int MessageBox(const prim::Text& message, int buttonSet, const prim::Text& title) override;
    void Beep() override;
    prim::Text BrowseForFolder(const prim::Text& title) override;
    void ShellExecuteFile(int operation, const prim::Text& file) override;
    void OpenInShell(const prim::Text& target) override;
};

}  // namespace ui
