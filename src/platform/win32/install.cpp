#include <windows.h>

#include <string>

#include "platform/install.h"
#include "platform/win32_install.h"
#include "primitives/codepage.h"
#include "win32_file_system.h"

namespace platform {

prim::Text ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return prim::Text();
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    // Cut before the last "\": «D:\Tools\app.exe» -> «D:\Tools», «D:\app.exe» -> «D:».
    const std::size_t cut = path.find_last_of(L'\\');
    if (cut != std::wstring::npos)
        path.resize(cut);
    return prim::Utf16ToText(
        std::u16string_view(reinterpret_cast<const char16_t*>(path.data()), path.size()));
}

void InstallWin32FileSystem(const Win32Config& config) {
    prim::InstallFileSystem(win32::MakeWin32FileSystem(config));
    // The program's folder is the current directory, as the primitives promise.
    prim::Text dir = config.runDirectory;
    if (dir.size() == 2 && dir[1] == ':')
        dir += '\\';
    const std::u16string w = prim::TextToUtf16(dir);
    if (!w.empty())
        SetCurrentDirectoryW(reinterpret_cast<const wchar_t*>(w.c_str()));
}

void InstallSystemFileSystem(const char*) {
    InstallWin32FileSystem({ProgramFolder()});
}

}  // namespace platform
