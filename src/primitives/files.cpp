#include "files.h"

#include <algorithm>
#include <map>
#include <utility>

#include "drives.h"
#include "file_system.h"
#include "listing.h"

namespace prim {
namespace {

std::shared_ptr<FileSystem>& Slot() {
    static std::shared_ptr<FileSystem> installed;
    return installed;
}

struct OpenEntry {
    std::unique_ptr<OpenedFile> file;
    std::uint64_t position = 0;
};

// The open-file table. Numbers count up and are never 0; a number is not
// handed out again while it is still open.
struct FileTable {
    std::map<int, OpenEntry> open;
    int next = 1;

    int Add(std::unique_ptr<OpenedFile> file) {
        while (open.count(next) != 0)
            Advance();
        int number = next;
        Advance();
        open.emplace(number, OpenEntry{std::move(file), 0});
        return number;
    }
    void Advance() { next = next == 0x7FFFFFFF ? 1 : next + 1; }
    OpenEntry* Find(int number) {
        if (number == 0)
            return nullptr;
        auto it = open.find(number);
        return it == open.end() ? nullptr : &it->second;
    }
};

FileTable& Table() {
    static FileTable table;
    return table;
}

void EmptyFolder(FolderHandle& folder) {
    std::vector<FolderHandle::Child> children;
    if (!folder.ReadChildren(children))
        return;
    // A failure on one entry is ignored: its ancestors stay, its siblings still go.
    for (const auto& child : children) {
        if (child.isFolder) {
            if (auto sub = folder.OpenChildFolder(child.key))
                EmptyFolder(*sub);
            folder.RemoveChildFolder(child.key);
        } else {
            folder.RemoveChildFile(child.key);
        }
    }
}

}  // namespace

void InstallFileSystem(std::shared_ptr<FileSystem> fileSystem) {
    Slot() = std::move(fileSystem);
}
std::shared_ptr<FileSystem> InstalledFileSystem() {
    return Slot();
}

Text RunDirectory() {
    auto fs = Slot();
    return fs ? fs->RunDirectory() : Text();
}

bool FileExists(std::string_view path) {
    auto fs = Slot();
    FoundEntry entry;
    return fs && fs->FindFirst(path, entry);
}

int OpenFile(std::string_view path) {
    auto fs = Slot();
    if (!fs || path.empty())
        return 0;
    auto file = fs->OpenExisting(path);
    if (!file)
        return 0;
    return Table().Add(std::move(file));
}

Text ReadAllText(int file) {
    OpenEntry* e = Table().Find(file);
    if (!e)
        return Text();
    std::uint64_t n = 0;
    if (!e->file->Size(n) || n == 0)
        return Text();
    const std::uint64_t p = e->position;
    Text bytes;
    if (p < n) {
        bytes.resize(static_cast<std::size_t>(n - p));
        std::size_t k = 0;
        while (k < bytes.size()) {
            std::int64_t got = e->file->ReadAt(p + k, bytes.data() + k, bytes.size() - k);
            if (got < 0) {
                e->position = n;
                return Text();
            }
            if (got == 0)
                break;
            k += static_cast<std::size_t>(got);
        }
        bytes.resize(k);
    }
    // Two-byte stepping: the byte after a lead byte is taken untested unless it
    // is NUL, so a trail byte of 0x1A does not end the text.
    const std::size_t k = bytes.size();
    for (std::size_t i = 0; i < k;) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == 0 || c == 0x1A) {
            e->position = p + i;
            bytes.resize(i);
            return bytes;
        }
        if (c >= 0x80) {
            if (i + 1 < k && bytes[i + 1] == 0) {
                e->position = p + i + 1;
                bytes.resize(i);
                return bytes;
            }
            i += 2;
        } else {
            i += 1;
        }
    }
    e->position = p + k;
    return bytes;
}

bool WriteTextLine(int file, std::string_view text) {
    OpenEntry* e = Table().Find(file);
    if (!e)
        return false;
    std::uint64_t n = 0;
    if (!e->file->Size(n))
        return false;
    const std::uint64_t p = e->position;
    std::string line(text);
    line += "\r\n";
    // Keep what the line overwrites so that a failed write can be undone.
    std::string old;
    if (p < n) {
        old.resize(static_cast<std::size_t>(std::min<std::uint64_t>(n - p, line.size())));
        std::size_t k = 0;
        while (k < old.size()) {
            std::int64_t got = e->file->ReadAt(p + k, old.data() + k, old.size() - k);
            if (got <= 0)
                return false;
            k += static_cast<std::size_t>(got);
        }
    }
    if (e->file->WriteAt(p, line)) {
        e->position = p + line.size();
        return true;
    }
    if (!old.empty())
        e->file->WriteAt(p, old);
    e->file->Truncate(n);
    return false;
}

void CloseFile(int file) {
    if (file == 0)
        return;
    Table().open.erase(file);
}

void CloseAllFiles() {
    Table().open.clear();
}

bool WriteFileBytes(std::string_view path, std::string_view bytes) {
    auto fs = Slot();
    return fs && !path.empty() && fs->WriteWholeFile(path, bytes, false);
}

bool CreateNewFileBytes(std::string_view path, std::string_view bytes) {
    auto fs = Slot();
    return fs && !path.empty() && fs->WriteWholeFile(path, bytes, true);
}

bool DeleteFile(std::string_view path) {
    auto fs = Slot();
    return fs && !path.empty() && fs->RemoveFile(path);
}

bool DeleteDirectory(std::string_view path) {
    auto fs = Slot();
    if (!fs)
        return false;
    while (!path.empty() && path.front() == ' ')
        path.remove_prefix(1);
    if (path.empty() || fs->IsProtectedFolder(path))
        return false;
    if (auto folder = fs->OpenFolderForRemoval(path))
        EmptyFolder(*folder);
    return fs->RemoveEmptyFolder(path);
}

bool MoveFile(std::string_view from, std::string_view to) {
    auto fs = Slot();
    if (!fs || from.empty() || to.empty())
        return false;
    if (fs->RenameNoReplace(from, to))
        return true;
    if (!fs->CopyReplacing(from, to))
        return false;
    // The result stays true even when the source cannot go (read-only, in use).
    fs->RemoveFile(from);
    return true;
}

int GetFileAttributes(std::string_view path) {
    auto fs = Slot();
    if (!fs || path.empty())
        return -1;
    return fs->GetAttributes(path);
}

bool SetFileAttributes(std::string_view path, int bits) {
    auto fs = Slot();
    if (!fs || path.empty())
        return false;
    return fs->SetAttributes(path,
                             bits & (kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive));
}

std::int32_t GetFileSize(std::string_view path) {
    auto fs = Slot();
    FoundEntry entry;
    if (!fs || !fs->FindFirst(path, entry))
        return -1;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(entry.size & 0xFFFFFFFFu));
}

DateTime GetFileTime(std::string_view path) {
    auto fs = Slot();
    FoundEntry entry;
    if (!fs || !fs->FindFirst(path, entry))
        return DateTime{};
    return entry.lastWrite;
}

std::unique_ptr<Listing> StartListing(std::string_view pattern) {
    auto fs = Slot();
    return fs ? fs->StartListing(pattern) : nullptr;
}

std::vector<DriveInfo> Drives() {
    auto fs = Slot();
    return fs ? fs->Drives() : std::vector<DriveInfo>{};
}

Text CurrentDirectory() {
    auto fs = Slot();
    return fs ? fs->CurrentDirectory() : Text();
}

char CurrentDriveLetter() {
    Text dir = CurrentDirectory();
    if (dir.size() >= 2 && dir[1] == ':') {
        char c = dir[0];
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    }
    return 0;
}

Text DrivePathFromNative(std::string_view native) {
    auto fs = Slot();
    return fs ? fs->DrivePathFromNative(native) : Text();
}

std::string NativePathFromDrivePath(std::string_view path) {
    auto fs = Slot();
    return fs ? fs->NativePathFromDrivePath(path) : std::string();
}

}  // namespace prim
