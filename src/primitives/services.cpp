#include "services.h"

#include "codepage.h"

namespace prim {
namespace {

Services*& Slot() {
    static Services* installed = nullptr;
    return installed;
}

}  // namespace

void InstallServices(Services* services) {
    Slot() = services;
}
Services* InstalledServices() {
    return Slot();
}

int MessageBox(std::string_view message, int buttonSet) {
    return MessageBox(message, buttonSet, U8("信息："));
}

int MessageBox(std::string_view message, int buttonSet, std::string_view title) {
    Services* s = Slot();
    return s ? s->MessageBox(Text(message), buttonSet, Text(title)) : 0;
}

void Beep() {
    if (Services* s = Slot())
        s->Beep();
}

Text BrowseForFolder(std::string_view title) {
    Services* s = Slot();
    return s ? s->BrowseForFolder(Text(title)) : Text();
}

void ShellExecuteFile(int operation, std::string_view file) {
    if (Services* s = Slot())
        s->ShellExecuteFile(operation, Text(file));
}

void OpenInShell(std::string_view target) {
    if (Services* s = Slot())
        s->OpenInShell(Text(target));
}

}  // namespace prim
