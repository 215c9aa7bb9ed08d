#pragma once
// Dialog and shell services. The program installs the window's implementation
// at start; tests install a scripted one. With none installed, message boxes
// answer OK (0), the picker answers empty text and the shell calls do nothing.
#include <string_view>

#include "text.h"

namespace prim {

class Services {
  public:
    virtual ~Services() = default;
    // Modal box; buttonSet 0 = OK, 1 = OK and Cancel. Returns 0 for OK, 1 for Cancel.
    virtual int MessageBox(const Text& message, int buttonSet, const Text& title) = 0;
    virtual void Beep() = 0;
    // The chosen folder as a drive path (a drive root keeps its "\"), or empty text.
    virtual Text BrowseForFolder(const Text& title) = 0;
    virtual void ShellExecuteFile(int operation, const Text& file) = 0;
    virtual void OpenInShell(const Text& target) = 0;
};

// Not owned; pass nullptr to remove.
void InstallServices(Services* services);
Services* InstalledServices();

int MessageBox(std::string_view message, int buttonSet);  // titled "信息："
int MessageBox(std::string_view message, int buttonSet, std::string_view title);
void Beep();
Text BrowseForFolder(std::string_view title);
void ShellExecuteFile(int operation, std::string_view file);
void OpenInShell(std::string_view target);

}  // namespace prim
