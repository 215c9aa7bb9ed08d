// TempDrives on Windows: drive letters cannot be invented there (and SUBST
// drives do not reach the file system under wine), so each drive is a folder
// under %TEMP% and tests spell their paths through P().
#include <atomic>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "platform/win32_install.h"
#include "primitives/codepage.h"
#include "primitives/file_system.h"
#include "primitives/files.h"
#include "temp_drives.h"

// After the project's headers: windows.h renames DeleteFile and its kin.
#include <windows.h>
#include <winioctl.h>

namespace testsupport {
namespace fs = std::filesystem;
namespace {

std::wstring W(const std::string& utf8) {
    const std::u16string u = prim::TextToUtf16(prim::Utf8ToText(utf8));
    return std::wstring(u.begin(), u.end());
}

std::string U8(const std::wstring& w) {
    return prim::TextToUtf8(prim::Utf16ToText(
        std::u16string_view(reinterpret_cast<const char16_t*>(w.data()), w.size())));
}

fs::path PathOf(const std::string& utf8) {
    return fs::path(W(utf8));
}

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

}  // namespace

TempDrives::TempDrives() : TempDrives(Options{}) {}

TempDrives::TempDrives(Options options) {
    wchar_t cwd[MAX_PATH];
    if (GetCurrentDirectoryW(MAX_PATH, cwd))
        previousDirectory_ = U8(cwd);
    wchar_t tmp[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH + 1, tmp);
    if (n == 0)
        throw std::runtime_error("no temporary folder");
    std::wstring base(tmp, n);
    if (!base.empty() && base.back() == L'\\')
        base.pop_back();
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0;; ++attempt) {
        std::wstring candidate = base + L"\\drives-" + std::to_wstring(GetCurrentProcessId()) +
                                 L"-" + std::to_wstring(counter++);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            wchar_t full[MAX_PATH];
            DWORD m = GetFullPathNameW(candidate.c_str(), MAX_PATH, full, nullptr);
            root_ = U8(m ? std::wstring(full, m) : candidate);
            break;
        }
        if (attempt > 100)
            throw std::runtime_error("cannot make a temporary folder");
    }
    for (const Drive& d : options.drives) {
        std::string folder = d.folder.empty() ? std::string(1, d.letter) : d.folder;
        std::string native = folder == "." ? root_ : root_ + "\\" + folder;
        for (char& c : native)
            if (c == '/')
                c = '\\';
        MakeFolder(native);
        roots_.emplace_back(Upper(d.letter), native);
    }
    std::string run = root_ + "\\" + options.runFolder;
    for (char& c : run)
        if (c == '/')
            c = '\\';
    MakeFolder(run);
    platform::InstallWin32FileSystem({prim::Utf8ToText(run)});
}

TempDrives::~TempDrives() {
    prim::CloseAllFiles();
    prim::InstallFileSystem(nullptr);
    if (previousDirectory_.empty() || !SetCurrentDirectoryW(W(previousDirectory_).c_str()))
        SetCurrentDirectoryW(L"C:\\");
    // Tests make files read-only; give the write right back so the tree can go.
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(PathOf(root_), ec); !ec && it != fs::end(it);
         it.increment(ec))
        SetFileAttributesW(it->path().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(PathOf(root_), ec);
}

std::string TempDrives::Native(char letter, std::string_view below) const {
    for (const auto& [l, native] : roots_) {
        if (l == Upper(letter))
            return below.empty() ? native : native + "\\" + std::string(below);
    }
    throw std::invalid_argument("no such drive");
}

prim::Text TempDrives::P(std::string_view drivePath) const {
    if (drivePath.size() < 2 || drivePath[1] != ':')
        return prim::Text(drivePath);
    for (const auto& [l, native] : roots_) {
        if (l == Upper(drivePath[0]))
            return prim::Utf8ToText(native) + prim::Text(drivePath.substr(2));
    }
    return prim::Text(drivePath);
}

void TempDrives::Write(const std::string& native, std::string_view bytes) {
    MakeFolder(U8(PathOf(native).parent_path().wstring()));
    std::ofstream out(PathOf(native), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + native);
}

void TempDrives::MakeFolder(const std::string& native) {
    std::error_code ec;
    fs::create_directories(PathOf(native), ec);
}

std::optional<std::string> TempDrives::Read(const std::string& native) {
    const DWORD a = GetFileAttributesW(W(native).c_str());
    if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    std::ifstream in(PathOf(native), std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool TempDrives::Exists(const std::string& native) {
    return GetFileAttributesW(W(native).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool TempDrives::Remove(const std::string& native) {
    return DeleteFileW(W(native).c_str()) != 0;
}

void TempDrives::SetReadOnly(const std::string& native, bool readOnly) {
    const std::wstring w = W(native);
    const DWORD a = GetFileAttributesW(w.c_str());
    if (a == INVALID_FILE_ATTRIBUTES)
        return;
    DWORD want = readOnly ? (a | FILE_ATTRIBUTE_READONLY) : (a & ~FILE_ATTRIBUTE_READONLY);
    want &= ~FILE_ATTRIBUTE_DIRECTORY;
    SetFileAttributesW(w.c_str(), want ? want : FILE_ATTRIBUTE_NORMAL);
}

bool TempDrives::Link(const std::string& target, const std::string& link) {
    const DWORD a = GetFileAttributesW(W(target).c_str());
    const DWORD flags = 0x2 /* unprivileged create */ |
                        (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)
                             ? SYMBOLIC_LINK_FLAG_DIRECTORY
                             : 0);
    // Some systems answer yes and make nothing: the link must be there.
    if (!CreateSymbolicLinkW(W(link).c_str(), W(target).c_str(), flags))
        return false;
    const DWORD made = GetFileAttributesW(W(link).c_str());
    return made != INVALID_FILE_ATTRIBUTES && (made & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool TempDrives::HardLink(const std::string& target, const std::string& link) {
    return CreateHardLinkW(W(link).c_str(), W(target).c_str(), nullptr) != 0;
}

bool TempDrives::SetLastWrite(const std::string& native, const prim::DateTime& local) {
    SYSTEMTIME lt{};
    lt.wYear = static_cast<WORD>(local.year);
    lt.wMonth = static_cast<WORD>(local.month);
    lt.wDay = static_cast<WORD>(local.day);
    lt.wHour = static_cast<WORD>(local.hour);
    lt.wMinute = static_cast<WORD>(local.minute);
    lt.wSecond = static_cast<WORD>(local.second);
    lt.wMilliseconds = 500;  // the fraction must not show
    FILETIME localFt, utc;
    // The backend reports through FileTimeToLocalFileTime; its inverse here.
    if (!SystemTimeToFileTime(&lt, &localFt) || !LocalFileTimeToFileTime(&localFt, &utc))
        return false;
    HANDLE h = CreateFileW(W(native).c_str(), FILE_WRITE_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bool ok = SetFileTime(h, nullptr, nullptr, &utc) != 0;
    CloseHandle(h);
    return ok;
}

bool TempDrives::MakeFileOfLength(const std::string& native, std::uint64_t length) {
    HANDLE h = CreateFileW(W(native).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD got = 0;
    DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &got, nullptr);
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(length);
    bool ok = SetFilePointerEx(h, at, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    return ok;
}

bool TempDrives::MakePipe(const std::string&) {
    return false;
}

void TempDrives::SleepMs(int ms) {
    Sleep(static_cast<DWORD>(ms));
}

FileSizeLimit::FileSizeLimit(std::uint64_t) {}
FileSizeLimit::~FileSizeLimit() = default;
bool FileSizeLimit::Active() {
    return false;
}

}  // namespace testsupport
