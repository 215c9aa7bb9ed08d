#pragma once
// The backend behind files.h, listing.h and drives.h. A backend takes drive
// paths (Texts, both separators) and carries out single low-level operations;
// the contracts of the primitives (file numbers, positions, the scans, the
// three steps of a move, the walk of a recursive delete) live above it. Every
// operation reports failure through its result and never throws.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "drives.h"
#include "listing.h"
#include "text.h"

namespace prim {

// One directory entry as a find-first call reports it.
struct FoundEntry {
    int attributes = 0;      // the bits of files.h
    std::uint64_t size = 0;  // 0 for folders and links
    DateTime lastWrite;      // local time, whole seconds
};

// A file opened for reading and writing. Positions are kept by the caller.
class OpenedFile {
  public:
    virtual ~OpenedFile() = default;
    virtual bool Size(std::uint64_t& size) = 0;
    // Reads up to n bytes at pos; the count read, or -1 on error.
    virtual std::int64_t ReadAt(std::uint64_t pos, char* buffer, std::size_t n) = 0;
    // Writes all bytes at pos, or returns false (some may have been written).
    virtual bool WriteAt(std::uint64_t pos, std::string_view bytes) = 0;
    virtual bool Truncate(std::uint64_t size) = 0;
};

// An open folder that a recursive delete works in, relative to its handle, so
// that a folder swapped for a link mid-way is never followed.
class FolderHandle {
  public:
    struct Child {
        std::string key;        // the backend's own name of the entry
        bool isFolder = false;  // a real folder; links count as files
    };
    virtual ~FolderHandle() = default;
    // Every entry but "." and "..", in listing order.
    virtual bool ReadChildren(std::vector<Child>& out) = 0;
    // nullptr for links, non-folders and the roots of drives.
    virtual std::unique_ptr<FolderHandle> OpenChildFolder(const std::string& key) = 0;
    // Refuses folders, read-only files and files in use; a link goes as a link.
    virtual bool RemoveChildFile(const std::string& key) = 0;
    // Removes an empty child folder; refuses read-only folders and drive roots.
    virtual bool RemoveChildFolder(const std::string& key) = 0;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    virtual std::vector<DriveInfo> Drives() = 0;
    virtual Text RunDirectory() = 0;
    virtual Text CurrentDirectory() = 0;
    virtual Text DrivePathFromNative(std::string_view native) = 0;
    virtual std::string NativePathFromDrivePath(std::string_view path) = 0;

    // The listing of listing.h.
    virtual std::unique_ptr<Listing> StartListing(std::string_view pattern) = 0;
    // The first entry matching the path (wildcards in the last component);
    // false when nothing matches, a path ending with a separator included.
    virtual bool FindFirst(std::string_view path, FoundEntry& out) = 0;

    // Attribute bits of the entry (no wildcards), -1 when it does not exist.
    virtual int GetAttributes(std::string_view path) = 0;
    virtual bool SetAttributes(std::string_view path, int bits) = 0;

    // An existing regular file that is not read-only; nullptr otherwise.
    virtual std::unique_ptr<OpenedFile> OpenExisting(std::string_view path) = 0;
    // Writes a whole file. With createNew only a name that nothing holds yet
    // is created; otherwise an existing file (not read-only, not in use) is
    // emptied first.
    virtual bool WriteWholeFile(std::string_view path, std::string_view bytes, bool createNew) = 0;
    // Removes one file or link; refuses folders, read-only files, files in use.
    virtual bool RemoveFile(std::string_view path) = 0;

    // True for every spelling of a drive root and for a folder that holds the
    // root of a drive: such folders are never removed or moved.
    virtual bool IsProtectedFolder(std::string_view path) = 0;
    // The folder itself, never through a link; nullptr when it cannot be opened.
    virtual std::unique_ptr<FolderHandle> OpenFolderForRemoval(std::string_view path) = 0;
    // Removes an empty folder (not a link, not read-only, not protected).
    virtual bool RemoveEmptyFolder(std::string_view path) = 0;

    // Moves or renames the entry; fails when `to` exists. A folder moved into
    // itself fails with nothing moved.
    virtual bool RenameNoReplace(std::string_view from, std::string_view to) = 0;
    // Copies the file `from` over `to` through a temporary file beside `to`;
    // fails with nothing changed when both name the same file.
    virtual bool CopyReplacing(std::string_view from, std::string_view to) = 0;
};

// Replaces the installed backend; nullptr removes it (every operation then fails).
void InstallFileSystem(std::shared_ptr<FileSystem> fileSystem);
std::shared_ptr<FileSystem> InstalledFileSystem();

}  // namespace prim
