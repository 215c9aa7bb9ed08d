#include "win32_file_system.h"

#include <windows.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/wildcard.h"
#include "primitives/codepage.h"
#include "primitives/files.h"

namespace platform::win32 {
namespace {

using prim::FoundEntry;
using prim::Text;

// Junctions, symbolic links and mount points carry a name-surrogate tag: they
// stand for another entry and are never followed by a listing or a delete.
constexpr DWORD kNameSurrogate = 0x20000000;
constexpr DWORD kReportedBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY |
                                FILE_ATTRIBUTE_ARCHIVE;

// A Text as a wide path; false for what no Win32 call may see: an empty text,
// or one with a NUL that would silently cut the path short.
bool Wide(std::string_view text, std::wstring& out) {
    if (text.empty() || text.find('\0') != std::string_view::npos)
        return false;
    const std::u16string u = prim::TextToUtf16(text);
    out.assign(u.begin(), u.end());
    return !out.empty();
}

Text FromWide(const wchar_t* s, std::size_t n) {
    return prim::Utf16ToText(std::u16string_view(reinterpret_cast<const char16_t*>(s), n));
}
Text FromWide(const std::wstring& s) {
    return FromWide(s.data(), s.size());
}

inline bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool EndsWithSeparator(const std::wstring& p) {
    return !p.empty() && IsSeparator(p.back());
}

bool IsLinkTag(DWORD attributes, DWORD tag) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) && (tag & kNameSurrogate);
}

// The bits of files.h; a link is an entry of its own, never a folder.
int Bits(DWORD attributes, DWORD tag) {
    int a = static_cast<int>(attributes & kReportedBits);
    if (IsLinkTag(attributes, tag))
        a &= ~prim::kAttrDirectory;
    return a;
}

prim::DateTime LocalTime(const FILETIME& utc) {
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st))
        return prim::DateTime{};
    return prim::DateTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::wstring FullPath(const std::wstring& path) {
    std::wstring out(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD n =
            GetFullPathNameW(path.c_str(), static_cast<DWORD>(out.size()), out.data(), nullptr);
        if (n == 0)
            return std::wstring();
        if (n < out.size()) {
            out.resize(n);
            return out;
        }
        out.assign(n + 1, L'\0');
    }
    return std::wstring();
}

std::wstring WithoutTrailingSeparators(std::wstring p) {
    while (p.size() > 3 && IsSeparator(p.back()))
        p.pop_back();
    return p;
}

// «X:\» (after GetFullPathName) or the share of a UNC path.
bool IsRootPath(const std::wstring& full) {
    if (full.size() <= 3 && full.size() >= 2 && full[1] == L':')
        return true;
    if (full.size() > 2 && IsSeparator(full[0]) && IsSeparator(full[1])) {
        std::size_t server = full.find_first_of(L"\\/", 2);
        if (server == std::wstring::npos)
            return true;
        std::size_t share = full.find_first_of(L"\\/", server + 1);
        return share == std::wstring::npos || share + 1 >= full.size();
    }
    return false;
}

// An absolute path in the form that lifts the MAX_PATH limit, so that a deep
// tree can be emptied to the bottom.
std::wstring LongForm(const std::wstring& full) {
    if (full.rfind(L"\\\\?\\", 0) == 0)
        return full;
    if (full.size() > 2 && IsSeparator(full[0]) && IsSeparator(full[1]))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

bool SameText(const std::wstring& a, std::size_t n, const std::wstring& b) {
    return a.size() >= n && b.size() >= n &&
           CompareStringOrdinal(a.data(), static_cast<int>(n), b.data(), static_cast<int>(n),
                                TRUE) == CSTR_EQUAL;
}

class Handle {
  public:
    Handle() = default;
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { Close(); }
    Handle(Handle&& o) noexcept : h_(std::exchange(o.h_, INVALID_HANDLE_VALUE)) {}
    Handle& operator=(Handle&& o) noexcept {
        if (this != &o) {
            Close();
            h_ = std::exchange(o.h_, INVALID_HANDLE_VALUE);
        }
        return *this;
    }
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE Get() const { return h_; }
    bool Close() {
        bool ok = true;
        if (Valid())
            ok = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The entry itself, a link as a link.
Handle OpenEntry(const std::wstring& path, DWORD access, DWORD share = kShareAll) {
    return Handle(CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

struct EntryInfo {
    DWORD attributes = 0;
    DWORD tag = 0;
    DWORD volume = 0;
    ULONGLONG index = 0;
    bool IsLink() const { return IsLinkTag(attributes, tag); }
    bool IsFolder() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) && !IsLink(); }
    bool SameFile(const EntryInfo& o) const { return volume == o.volume && index == o.index; }
};

bool Info(HANDLE h, EntryInfo& out) {
    BY_HANDLE_FILE_INFORMATION bh;
    if (!GetFileInformationByHandle(h, &bh))
        return false;
    out.attributes = bh.dwFileAttributes;
    out.volume = bh.dwVolumeSerialNumber;
    out.index = (static_cast<ULONGLONG>(bh.nFileIndexHigh) << 32) | bh.nFileIndexLow;
    out.tag = 0;
    if (out.attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        FILE_ATTRIBUTE_TAG_INFO ti;
        if (GetFileInformationByHandleEx(h, FileAttributeTagInfo, &ti, sizeof ti))
            out.tag = ti.ReparseTag;
        else
            out.tag = kNameSurrogate;  // unknown: never followed
    }
    return true;
}

bool EntryInfoOf(const std::wstring& path, EntryInfo& out) {
    Handle h = OpenEntry(path, FILE_READ_ATTRIBUTES);
    return h.Valid() && Info(h.Get(), out);
}

// Marks the opened entry for deletion; it goes when the handle closes.
bool DeleteByHandle(HANDLE h) {
    FILE_DISPOSITION_INFO d;
    d.DeleteFile = TRUE;
    return SetFileInformationByHandle(h, FileDispositionInfo, &d, sizeof d) != 0;
}

// The folders behind SUBST drives: removing or moving one would take a drive
// with it.
std::vector<std::wstring> SubstTargets() {
    std::vector<std::wstring> out;
    const DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i)))
            continue;
        const wchar_t device[3] = {static_cast<wchar_t>(L'A' + i), L':', 0};
        wchar_t buf[1024];
        DWORD n = QueryDosDeviceW(device, buf, 1024);
        if (n == 0)
            continue;
        std::wstring target(buf);
        if (target.rfind(L"\\??\\", 0) != 0 || target.size() < 6 || target[5] != L'\\')
            continue;
        out.push_back(WithoutTrailingSeparators(target.substr(4)));
    }
    return out;
}

// ---------------------------------------------------------------------------

class Win32OpenedFile final : public prim::OpenedFile {
  public:
    explicit Win32OpenedFile(Handle h) : h_(std::move(h)) {}
    bool Size(std::uint64_t& size) override {
        LARGE_INTEGER n;
        if (!GetFileSizeEx(h_.Get(), &n))
            return false;
        size = static_cast<std::uint64_t>(n.QuadPart);
        return true;
    }
    std::int64_t ReadAt(std::uint64_t pos, char* buffer, std::size_t n) override {
        OVERLAPPED o{};
        o.Offset = static_cast<DWORD>(pos);
        o.OffsetHigh = static_cast<DWORD>(pos >> 32);
        DWORD want = n > 0x40000000 ? 0x40000000 : static_cast<DWORD>(n);
        DWORD got = 0;
        if (!ReadFile(h_.Get(), buffer, want, &got, &o))
            return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
        return got;
    }
    bool WriteAt(std::uint64_t pos, std::string_view bytes) override {
        while (!bytes.empty()) {
            OVERLAPPED o{};
            o.Offset = static_cast<DWORD>(pos);
            o.OffsetHigh = static_cast<DWORD>(pos >> 32);
            DWORD want = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
            DWORD done = 0;
            if (!WriteFile(h_.Get(), bytes.data(), want, &done, &o) || done == 0)
                return false;
            bytes.remove_prefix(done);
            pos += done;
        }
        return true;
    }
    bool Truncate(std::uint64_t size) override {
        FILE_END_OF_FILE_INFO eof;
        eof.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
        return SetFileInformationByHandle(h_.Get(), FileEndOfFileInfo, &eof, sizeof eof) != 0;
    }

  private:
    Handle h_;
};

bool WriteAll(HANDLE h, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD want = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
        DWORD done = 0;
        if (!WriteFile(h, bytes.data(), want, &done, nullptr) || done == 0)
            return false;
        bytes.remove_prefix(done);
    }
    return true;
}

// ---------------------------------------------------------------------------

// A find-first / find-next listing. The system matches the pattern; the long
// name is then matched once more, because the system also matches the short
// 8.3 names, through which «*.txt» would take «a.txtx».
class FindListing final : public prim::Listing {
  public:
    FindListing(const std::wstring& pattern, std::string_view lastComponentUtf8)
        : wild_(lastComponentUtf8) {
        h_ = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data_, FindExSearchNameMatch,
                              nullptr, FIND_FIRST_EX_LARGE_FETCH);
        pending_ = h_ != INVALID_HANDLE_VALUE && SkipToMatch(true);
    }
    ~FindListing() override {
        if (h_ != INVALID_HANDLE_VALUE)
            FindClose(h_);
    }
    bool Started() const { return pending_; }
    const WIN32_FIND_DATAW& Current() const { return data_; }

    bool Step(int, int& attributes) override {
        if (pending_) {
            pending_ = false;
        } else if (!SkipToMatch(false)) {
            return false;
        }
        attributes = Bits(data_.dwFileAttributes, data_.dwReserved0);
        return true;
    }
    void CurrentName(Text& out) const override {
        const wchar_t* n = data_.cFileName;
        std::size_t len = 0;
        bool plain = true;
        for (; n[len]; ++len)
            if (n[len] >= 0x80)
                plain = false;
        if (plain) {
            out.resize(len);
            for (std::size_t i = 0; i < len; ++i)
                out[i] = static_cast<char>(n[i]);
        } else {
            out = FromWide(n, len);
        }
    }

  private:
    bool SkipToMatch(bool first) {
        if (h_ == INVALID_HANDLE_VALUE)
            return false;
        for (bool have = first;; have = false) {
            if (!have && !FindNextFileW(h_, &data_)) {
                FindClose(h_);
                h_ = INVALID_HANDLE_VALUE;
                return false;
            }
            if (!wild_.HasWildcards() || Matches())
                return true;
        }
    }
    bool Matches() {
        const wchar_t* n = data_.cFileName;
        bool plain = true;
        for (const wchar_t* p = n; *p; ++p)
            if (*p >= 0x80)
                plain = false;
        if (plain) {
            utf8_.clear();
            for (const wchar_t* p = n; *p; ++p)
                utf8_ += static_cast<char>(*p);
        } else {
            utf8_ = prim::TextToUtf8(FromWide(n, wcslen(n)));
        }
        return wild_.Matches(utf8_);
    }

    HANDLE h_ = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW data_{};
    WildcardPattern wild_;
    std::string utf8_;
    bool pending_ = false;
};

// The last path component of a pattern, as UTF-8 for the matcher.
std::string LastComponent(const std::wstring& pattern) {
    std::size_t cut = pattern.find_last_of(L"\\/");
    if (cut == std::wstring::npos && pattern.size() >= 2 && pattern[1] == L':')
        cut = 1;
    const std::wstring last = cut == std::wstring::npos ? pattern : pattern.substr(cut + 1);
    return prim::TextToUtf8(FromWide(last));
}

// ---------------------------------------------------------------------------

struct FileId {
    DWORD volume;
    ULONGLONG index;
};

// A folder held open without delete sharing while it is emptied: it cannot be
// renamed or swapped for a link under the walk. Its children are opened as
// themselves, never through a link, and deleted through the handle that was
// checked.
class Win32Folder final : public prim::FolderHandle {
  public:
    Win32Folder(Handle h, std::wstring longPath, std::shared_ptr<const std::vector<FileId>> roots)
        : h_(std::move(h)), path_(std::move(longPath)), roots_(std::move(roots)) {}

    bool ReadChildren(std::vector<Child>& out) override {
        out.clear();
        WIN32_FIND_DATAW fd;
        HANDLE f = FindFirstFileExW((path_ + L"\\*").c_str(), FindExInfoBasic, &fd,
                                    FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (f == INVALID_HANDLE_VALUE)
            return GetLastError() == ERROR_FILE_NOT_FOUND;
        do {
            const std::wstring n = fd.cFileName;
            if (n == L"." || n == L"..")
                continue;
            const bool folder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                                !IsLinkTag(fd.dwFileAttributes, fd.dwReserved0);
            out.push_back(Child{
                std::string(reinterpret_cast<const char*>(n.data()), n.size() * sizeof(wchar_t)),
                folder});
        } while (FindNextFileW(f, &fd));
        FindClose(f);
        return true;
    }

    std::unique_ptr<FolderHandle> OpenChildFolder(const std::string& key) override {
        const std::wstring child = ChildPath(key);
        Handle h = OpenEntry(child, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE);
        EntryInfo info;
        if (!h.Valid() || !Info(h.Get(), info) || !info.IsFolder() || IsDriveRoot(info))
            return nullptr;
        return std::make_unique<Win32Folder>(std::move(h), child, roots_);
    }

    bool RemoveChildFile(const std::string& key) override {
        Handle h = OpenEntry(ChildPath(key), DELETE | FILE_READ_ATTRIBUTES);
        EntryInfo info;
        if (!h.Valid() || !Info(h.Get(), info) || info.IsFolder())
            return false;
        if (info.attributes & FILE_ATTRIBUTE_READONLY)
            return false;
        return DeleteByHandle(h.Get()) && h.Close();
    }

    bool RemoveChildFolder(const std::string& key) override {
        Handle h = OpenEntry(ChildPath(key), DELETE | FILE_READ_ATTRIBUTES);
        EntryInfo info;
        if (!h.Valid() || !Info(h.Get(), info) || !info.IsFolder() || IsDriveRoot(info))
            return false;
        if (info.attributes & FILE_ATTRIBUTE_READONLY)
            return false;
        return DeleteByHandle(h.Get()) && h.Close();
    }

  private:
    std::wstring ChildPath(const std::string& key) const {
        std::wstring name(key.size() / sizeof(wchar_t), L'\0');
        std::memcpy(name.data(), key.data(), name.size() * sizeof(wchar_t));
        return path_ + L"\\" + name;
    }
    bool IsDriveRoot(const EntryInfo& info) const {
        for (const FileId& r : *roots_)
            if (r.volume == info.volume && r.index == info.index)
                return true;
        return false;
    }

    Handle h_;
    std::wstring path_;
    std::shared_ptr<const std::vector<FileId>> roots_;
};

// ---------------------------------------------------------------------------

prim::DriveType TypeOf(UINT type) {
    switch (type) {
        case DRIVE_FIXED:
            return prim::DriveType::Fixed;
        case DRIVE_REMOTE:
            return prim::DriveType::Network;
        case DRIVE_CDROM:
            return prim::DriveType::CdRom;
        case DRIVE_RAMDISK:
            return prim::DriveType::RamDisk;
        default:
            return prim::DriveType::Other;
    }
}

std::vector<prim::DriveInfo> SystemDrives() {
    std::vector<prim::DriveInfo> out;
    // An empty CD drive or card reader must not bring up a system error box.
    DWORD oldMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
    const DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i)))
            continue;
        const wchar_t root[4] = {static_cast<wchar_t>(L'A' + i), L':', L'\\', 0};
        prim::DriveInfo d;
        d.letter = static_cast<char>('A' + i);
        d.type = TypeOf(GetDriveTypeW(root));
        wchar_t label[MAX_PATH + 1] = {};
        if (GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
            d.label = FromWide(label, wcslen(label));
        out.push_back(std::move(d));
    }
    SetThreadErrorMode(oldMode, nullptr);
    return out;
}

Text WithoutRootSeparator(Text path) {
    if (path.size() == 3 && path[1] == ':')
        path.pop_back();
    return path;
}

class Win32FileSystem final : public prim::FileSystem {
  public:
    explicit Win32FileSystem(const Win32Config& config)
        : runDirectory_(WithoutRootSeparator(config.runDirectory)) {}

    // Read once, when first asked: asking every drive for its label is slow.
    std::vector<prim::DriveInfo> Drives() override {
        if (!haveDrives_) {
            drives_ = SystemDrives();
            haveDrives_ = true;
        }
        return drives_;
    }
    Text RunDirectory() override { return runDirectory_; }

    Text CurrentDirectory() override {
        DWORD n = GetCurrentDirectoryW(0, nullptr);
        if (n == 0)
            return runDirectory_;
        std::wstring buf(n, L'\0');
        n = GetCurrentDirectoryW(n, buf.data());
        if (n == 0 || n >= buf.size())
            return runDirectory_;
        buf.resize(n);
        return WithoutRootSeparator(FromWide(buf));
    }

    // Native paths are UTF-8 Windows paths with either separator.
    Text DrivePathFromNative(std::string_view native) override {
        std::wstring w;
        if (!Wide(prim::Utf8ToText(native), w) || w.size() < 3 || w[1] != L':' ||
            !IsSeparator(w[2]))
            return Text();
        std::wstring full = FullPath(w);
        if (full.empty())
            return Text();
        for (wchar_t& c : full)
            if (c == L'/')
                c = L'\\';
        return FromWide(full);
    }

    std::string NativePathFromDrivePath(std::string_view path) override {
        std::wstring w;
        if (!Wide(path, w) || (w.size() >= 2 && IsSeparator(w[0]) && IsSeparator(w[1])))
            return std::string();
        std::wstring full = FullPath(w);
        if (full.size() < 3 || full[1] != L':')
            return std::string();
        wchar_t letter = full[0] >= L'a' && full[0] <= L'z' ? full[0] - 32 : full[0];
        if (letter < L'A' || letter > L'Z' || !(GetLogicalDrives() & (1u << (letter - L'A'))))
            return std::string();
        return prim::TextToUtf8(FromWide(full));
    }

    std::unique_ptr<prim::Listing> StartListing(std::string_view pattern) override {
        std::wstring w;
        if (!Wide(pattern, w) || EndsWithSeparator(w))
            return nullptr;
        auto listing = std::make_unique<FindListing>(w, LastComponent(w));
        if (!listing->Started())
            return nullptr;
        return listing;
    }

    bool FindFirst(std::string_view path, FoundEntry& out) override {
        std::wstring w;
        if (!Wide(path, w) || EndsWithSeparator(w))
            return false;
        FindListing listing(w, LastComponent(w));
        if (!listing.Started())
            return false;
        const WIN32_FIND_DATAW& fd = listing.Current();
        out.attributes = Bits(fd.dwFileAttributes, fd.dwReserved0);
        const bool file = !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                          !IsLinkTag(fd.dwFileAttributes, fd.dwReserved0);
        out.size =
            file ? (static_cast<std::uint64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow : 0;
        out.lastWrite = LocalTime(fd.ftLastWriteTime);
        return true;
    }

    int GetAttributes(std::string_view path) override {
        std::wstring w;
        if (!Wide(path, w))
            return -1;
        const DWORD a = GetFileAttributesW(w.c_str());
        if (a == INVALID_FILE_ATTRIBUTES)
            return -1;
        DWORD tag = 0;
        if (a & FILE_ATTRIBUTE_REPARSE_POINT) {
            EntryInfo info;
            tag = EntryInfoOf(w, info) ? info.tag : kNameSurrogate;
        }
        return Bits(a, tag);
    }

    bool SetAttributes(std::string_view path, int bits) override {
        std::wstring w;
        if (!Wide(path, w))
            return false;
        // Through a handle on the entry itself, so that a link's target is never changed.
        Handle h = OpenEntry(w, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES);
        FILE_BASIC_INFO basic;
        if (!h.Valid() ||
            !GetFileInformationByHandleEx(h.Get(), FileBasicInfo, &basic, sizeof basic))
            return false;
        // Bits the program does not know stay as they are.
        const DWORD keep =
            FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        DWORD want = (basic.FileAttributes & keep) |
                     (static_cast<DWORD>(bits) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE));
        // 0 would mean "leave unchanged" to the system.
        if (want == 0)
            want = FILE_ATTRIBUTE_NORMAL;
        FILE_BASIC_INFO set{};
        set.FileAttributes = want;
        return SetFileInformationByHandle(h.Get(), FileBasicInfo, &set, sizeof set) != 0;
    }

    std::unique_ptr<prim::OpenedFile> OpenExisting(std::string_view path) override {
        std::wstring w;
        if (!Wide(path, w) || EndsWithSeparator(w))
            return nullptr;
        // Others may read and write it too, but not delete or replace it.
        Handle h(CreateFileW(w.c_str(), GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
        EntryInfo info;
        if (!h.Valid() || !Info(h.Get(), info) || (info.attributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (info.attributes & FILE_ATTRIBUTE_READONLY) || GetFileType(h.Get()) != FILE_TYPE_DISK)
            return nullptr;
        return std::make_unique<Win32OpenedFile>(std::move(h));
    }

    bool WriteWholeFile(std::string_view path, std::string_view bytes, bool createNew) override {
        std::wstring w;
        if (!Wide(path, w) || EndsWithSeparator(w))
            return false;
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (!createNew) {
                // The entry itself, opened exclusively: a link is refused, not followed.
                Handle h(CreateFileW(w.c_str(), GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
                if (h.Valid()) {
                    EntryInfo info;
                    if (!Info(h.Get(), info) ||
                        (info.attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY |
                                            FILE_ATTRIBUTE_REPARSE_POINT)) ||
                        GetFileType(h.Get()) != FILE_TYPE_DISK)
                        return false;
                    FILE_END_OF_FILE_INFO eof{};
                    bool ok =
                        SetFileInformationByHandle(h.Get(), FileEndOfFileInfo, &eof, sizeof eof) &&
                        WriteAll(h.Get(), bytes);
                    return h.Close() && ok;
                }
                const DWORD e = GetLastError();
                if (e != ERROR_FILE_NOT_FOUND)
                    return false;
            }
            // CREATE_NEW on the name itself: whatever holds it, a dangling link
            // included, is never touched.
            Handle h(CreateFileW(w.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
            if (!h.Valid()) {
                if (GetLastError() == ERROR_FILE_EXISTS && !createNew)
                    continue;
                return false;
            }
            bool ok = WriteAll(h.Get(), bytes) && FlushFileBuffers(h.Get());
            if (!ok)
                DeleteByHandle(h.Get());
            return h.Close() && ok;
        }
        return false;
    }

    bool RemoveFile(std::string_view path) override {
        std::wstring w;
        if (!Wide(path, w) || EndsWithSeparator(w))
            return false;
        // The entry that was checked is the one deleted; a link goes as a link.
        Handle h = OpenEntry(w, DELETE | FILE_READ_ATTRIBUTES,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
        EntryInfo info;
        if (!h.Valid() || !Info(h.Get(), info) || info.IsFolder() ||
            (info.attributes & FILE_ATTRIBUTE_READONLY))
            return false;
        return DeleteByHandle(h.Get()) && h.Close();
    }

    bool IsProtectedFolder(std::string_view path) override {
        // A bare «C:» is how people write the drive itself.
        if (path.size() == 2 && path[1] == ':')
            return true;
        std::wstring w;
        if (!Wide(path, w))
            return false;
        const std::wstring full = WithoutTrailingSeparators(FullPath(w));
        if (full.empty())
            return false;
        if (IsRootPath(full))
            return true;
        for (const std::wstring& target : SubstTargets()) {
            if (SameText(full, full.size(), target) &&
                (target.size() == full.size() || IsSeparator(target[full.size()])))
                return true;
        }
        return false;
    }

    std::unique_ptr<prim::FolderHandle> OpenFolderForRemoval(std::string_view path) override {
        std::wstring w;
        if (!Wide(path, w))
            return nullptr;
        const std::wstring full = WithoutTrailingSeparators(FullPath(w));
        if (full.empty() || IsRootPath(full))
            return nullptr;
        const std::wstring longPath = LongForm(full);
        Handle h = OpenEntry(longPath, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE);
        EntryInfo info;
        if (!h.Valid() || !Info(h.Get(), info) || !info.IsFolder())
            return nullptr;
        auto roots = std::make_shared<std::vector<FileId>>();
        for (const std::wstring& target : SubstTargets()) {
            EntryInfo r;
            if (EntryInfoOf(LongForm(target), r))
                roots->push_back({r.volume, r.index});
        }
        return std::make_unique<Win32Folder>(std::move(h), longPath, std::move(roots));
    }

    bool RemoveEmptyFolder(std::string_view path) override {
        std::wstring w;
        if (!Wide(path, w) || IsProtectedFolder(path))
            return false;
        const std::wstring full = WithoutTrailingSeparators(FullPath(w));
        if (full.empty())
            return false;
        Handle h = OpenEntry(LongForm(full), DELETE | FILE_READ_ATTRIBUTES);
        EntryInfo info;
        if (!h.Valid() || !Info(h.Get(), info) || !info.IsFolder() ||
            (info.attributes & FILE_ATTRIBUTE_READONLY))
            return false;
        return DeleteByHandle(h.Get()) && h.Close();
    }

    bool RenameNoReplace(std::string_view from, std::string_view to) override {
        std::wstring a, b;
        if (!Wide(from, a) || !Wide(to, b))
            return false;
        const std::wstring fa = WithoutTrailingSeparators(FullPath(a));
        const std::wstring fb = WithoutTrailingSeparators(FullPath(b));
        if (fa.empty() || fb.empty() || IsRootPath(fa) || IsRootPath(fb))
            return false;
        EntryInfo src;
        if (!EntryInfoOf(fa, src))
            return false;
        if (EndsWithSeparator(a) && !src.IsFolder())
            return false;
        if (EndsWithSeparator(b) && !src.IsFolder())
            return false;
        if (src.IsFolder()) {
            if (IsProtectedFolder(from))
                return false;
            // Into itself or onto itself: nothing moves.
            if (SameText(fb, fa.size(), fa) &&
                (fb.size() == fa.size() || IsSeparator(fb[fa.size()])))
                return false;
        }
        // The same entry under another spelling is no move at all; only a
        // change of the name's own spelling («a.txt» -> «A.TXT») is.
        EntryInfo dst;
        if (EntryInfoOf(fb, dst) && dst.SameFile(src)) {
            const std::wstring na = fa.substr(fa.find_last_of(L'\\') + 1);
            const std::wstring nb = fb.substr(fb.find_last_of(L'\\') + 1);
            if (na == nb || !SameText(na, na.size(), nb) || na.size() != nb.size())
                return false;
        }
        return MoveFileExW(fa.c_str(), fb.c_str(), MOVEFILE_COPY_ALLOWED) != 0;
    }

    bool CopyReplacing(std::string_view from, std::string_view to) override {
        std::wstring a, b;
        if (!Wide(from, a) || !Wide(to, b) || EndsWithSeparator(a) || EndsWithSeparator(b))
            return false;
        Handle in(CreateFileW(a.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        EntryInfo src;
        if (!in.Valid() || !Info(in.Get(), src) || (src.attributes & FILE_ATTRIBUTE_DIRECTORY) ||
            GetFileType(in.Get()) != FILE_TYPE_DISK)
            return false;
        const std::wstring target = FullPath(b);
        if (target.empty())
            return false;
        {
            // The same file under another name, a hard link or a link to it.
            Handle old(CreateFileW(target.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
            EntryInfo o;
            if (old.Valid() && Info(old.Get(), o) &&
                (o.SameFile(src) || (o.attributes & FILE_ATTRIBUTE_DIRECTORY)))
                return false;
        }
        EntryInfo self;
        if (EntryInfoOf(target, self) &&
            (self.attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
            return false;
        const std::size_t cut = target.find_last_of(L'\\');
        if (cut == std::wstring::npos)
            return false;
        const std::wstring folder = target.substr(0, cut);

        static std::atomic<unsigned> counter{0};
        std::wstring temp;
        Handle out;
        for (int attempt = 0; attempt < 100 && !out.Valid(); ++attempt) {
            temp = folder + L"\\.~copy" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(counter++) + L".tmp";
            out = Handle(CreateFileW(temp.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!out.Valid() && GetLastError() != ERROR_FILE_EXISTS)
                return false;
        }
        if (!out.Valid())
            return false;

        bool ok = true;
        std::vector<char> buf(1 << 16);
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(in.Get(), buf.data(), static_cast<DWORD>(buf.size()), &got, nullptr)) {
                ok = false;
                break;
            }
            if (got == 0)
                break;
            if (!WriteAll(out.Get(), std::string_view(buf.data(), got))) {
                ok = false;
                break;
            }
        }
        if (ok) {
            FILE_BASIC_INFO times;
            if (GetFileInformationByHandleEx(in.Get(), FileBasicInfo, &times, sizeof times)) {
                times.FileAttributes = 0;  // unchanged here; given after the rename
                times.ChangeTime.QuadPart = 0;
                SetFileInformationByHandle(out.Get(), FileBasicInfo, &times, sizeof times);
            }
            ok = FlushFileBuffers(out.Get()) != 0;
        }
        if (!ok)
            DeleteByHandle(out.Get());
        ok = out.Close() && ok;
        // Only a complete copy takes the target's place; otherwise the old
        // target stays as it was.
        if (ok)
            ok = MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
        if (!ok) {
            DeleteFileW(temp.c_str());
            return false;
        }
        // The copy carries the source's attributes, as a system copy does.
        const DWORD given = src.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
        SetFileAttributesW(target.c_str(), given ? given : FILE_ATTRIBUTE_NORMAL);
        return true;
    }

  private:
    bool haveDrives_ = false;
    std::vector<prim::DriveInfo> drives_;
    Text runDirectory_;
};

}  // namespace

std::shared_ptr<prim::FileSystem> MakeWin32FileSystem(const Win32Config& config) {
    return std::make_shared<Win32FileSystem>(config);
}

}  // namespace platform::win32
