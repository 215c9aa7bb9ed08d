#include "posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "drive_table.h"
#include "platform/wildcard.h"
#include "primitives/codepage.h"
#include "primitives/files.h"

namespace platform::posix {
namespace {

using prim::FoundEntry;
using prim::Text;

// Files this process holds open through OpenFile count as in use: like a
// Windows handle without delete sharing they cannot be deleted or replaced.
class InUse {
  public:
    void Add(dev_t d, ino_t i) {
        std::lock_guard<std::mutex> lock(mutex_);
        ++open_[{d, i}];
    }
    void Remove(dev_t d, ino_t i) {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = open_.find({d, i});
        if (it != open_.end() && --it->second == 0)
            open_.erase(it);
    }
    bool Has(const struct stat& st) {
        std::lock_guard<std::mutex> lock(mutex_);
        return open_.count({st.st_dev, st.st_ino}) != 0;
    }

  private:
    std::mutex mutex_;
    std::map<std::pair<dev_t, ino_t>, int> open_;
};

InUse& OpenFiles() {
    static InUse registry;
    return registry;
}

// Read-only is the owner's write bit, checked here so that root is refused too.
inline bool ReadOnly(const struct stat& st) {
    return !S_ISLNK(st.st_mode) && (st.st_mode & S_IWUSR) == 0;
}

inline bool IsDotName(std::string_view n) {
    return n == "." || n == "..";
}

int Attributes(const struct stat& st, std::string_view name) {
    int a = 0;
    if (S_ISDIR(st.st_mode))
        a |= prim::kAttrDirectory;
    else if (S_ISREG(st.st_mode))
        a |= prim::kAttrArchive;
    else if (!S_ISLNK(st.st_mode))
        a |= prim::kAttrSystem;
    if (ReadOnly(st))
        a |= prim::kAttrReadOnly;
    if (!name.empty() && name[0] == '.' && !IsDotName(name))
        a |= prim::kAttrHidden;
    return a;
}

prim::DateTime LocalTime(time_t t) {
    struct tm tm;
    if (!localtime_r(&t, &tm))
        return prim::DateTime{};
    return prim::DateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                          tm.tm_hour,        tm.tm_min,     tm.tm_sec};
}

void Fill(const struct stat& st, std::string_view name, FoundEntry& out) {
    out.attributes = Attributes(st, name);
    out.size = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
    out.lastWrite = LocalTime(st.st_mtim.tv_sec);
}

// A folder that is not read-only may get and lose entries.
bool FolderWritable(const std::string& native) {
    struct stat st;
    return stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && !ReadOnly(st);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

const std::string& LastName(const Resolved& r) {
    static const std::string none;
    return r.parts.empty() ? none : r.parts.back();
}

// ---------------------------------------------------------------------------

class PosixOpenedFile final : public prim::OpenedFile {
  public:
    PosixOpenedFile(int fd, const struct stat& st) : fd_(fd), dev_(st.st_dev), ino_(st.st_ino) {
        OpenFiles().Add(dev_, ino_);
    }
    ~PosixOpenedFile() override {
        OpenFiles().Remove(dev_, ino_);
        close(fd_);
    }
    bool Size(std::uint64_t& size) override {
        struct stat st;
        if (fstat(fd_, &st) != 0)
            return false;
        size = static_cast<std::uint64_t>(st.st_size);
        return true;
    }
    std::int64_t ReadAt(std::uint64_t pos, char* buffer, std::size_t n) override {
        for (;;) {
            ssize_t got = pread(fd_, buffer, n, static_cast<off_t>(pos));
            if (got < 0 && errno == EINTR)
                continue;
            return got;
        }
    }
    bool WriteAt(std::uint64_t pos, std::string_view bytes) override {
        while (!bytes.empty()) {
            ssize_t n = pwrite(fd_, bytes.data(), bytes.size(), static_cast<off_t>(pos));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            bytes.remove_prefix(static_cast<std::size_t>(n));
            pos += static_cast<std::uint64_t>(n);
        }
        return true;
    }
    bool Truncate(std::uint64_t size) override {
        return ftruncate(fd_, static_cast<off_t>(size)) == 0;
    }

  private:
    int fd_;
    dev_t dev_;
    ino_t ino_;
};

// ---------------------------------------------------------------------------

// The entries of one folder as one read of it gave them. The walker lists each
// folder twice in a row (files, then folders); the second listing reuses the
// first read when the folder has not changed since, which halves the work the
// kernel does per folder.
// The plain fstat system call: the C library's fstat goes through fstatat with
// an empty path, which costs the kernel a name lookup; the walker calls this
// twice per folder.
inline int FastFstat(int fd, struct stat& st) {
#ifdef SYS_fstat
    return static_cast<int>(syscall(SYS_fstat, fd, &st));
#else
    return fstat(fd, &st);
#endif
}

struct FolderSnapshot {
    std::string native;
    int fd = -1;
    // Wall-clock time just before the read, to compare with the folder's
    // times, and a steady one to bound how long the read is reused.
    struct timespec readStart {};
    std::chrono::steady_clock::time_point taken;
    std::string names;  // every name followed by a NUL
    struct Entry {
        std::uint32_t offset;
        unsigned char type;
    };
    std::vector<Entry> entries;

    ~FolderSnapshot() {
        if (fd >= 0)
            close(fd);
    }
    int Fd() const { return fd; }

    // `name` is opened relative to `parentFd` (AT_FDCWD: `name` is the whole path).
    static std::shared_ptr<FolderSnapshot> Read(const std::string& native, int parentFd,
                                                const std::string& name) {
        auto snap = std::make_shared<FolderSnapshot>();
        clock_gettime(CLOCK_REALTIME, &snap->readStart);
        snap->taken = std::chrono::steady_clock::now();
        snap->fd = openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (snap->fd < 0)
            return nullptr;
        snap->native = native;
        // getdents64 straight into one buffer: no stream and no fstat of its own.
        alignas(8) static thread_local char buffer[64 * 1024];
        for (;;) {
            long got = syscall(SYS_getdents64, snap->fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return nullptr;
            if (got == 0)
                break;
            for (long at = 0; at < got;) {
                struct Dirent64 {
                    ino64_t d_ino;
                    off64_t d_off;
                    unsigned short d_reclen;
                    unsigned char d_type;
                    char d_name[1];
                };
                const auto* e = reinterpret_cast<const Dirent64*>(buffer + at);
                at += e->d_reclen;
                const char* n = e->d_name;
                if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)))
                    continue;
                snap->entries.push_back(
                    {static_cast<std::uint32_t>(snap->names.size()), e->d_type});
                snap->names.append(n, std::strlen(n) + 1);
            }
        }
        return snap;
    }

    // Still what the folder holds. Any change to its entries from the moment
    // of the read on sets its times to that moment or later (less at most one
    // tick of the file system's coarse clock), so times well before the read
    // mean the read is current. One fstat, and only for a read moments ago.
    bool StillCurrent() const {
        if (std::chrono::steady_clock::now() - taken > std::chrono::seconds(1))
            return false;
        struct stat st;
        if (FastFstat(Fd(), st) != 0 || st.st_nlink == 0)
            return false;
        return WellBefore(st.st_mtim, readStart) && WellBefore(st.st_ctim, readStart);
    }

    static bool WellBefore(const struct timespec& t, const struct timespec& read) {
        const long long ns = (read.tv_sec - t.tv_sec) * 1000000000LL + (read.tv_nsec - t.tv_nsec);
        return ns > 50000000LL;
    }
};

// The listing of one folder. The first match is found before the listing is
// handed out, so that "nothing matches" is known at the start.
class PosixListing final : public prim::Listing {
  public:
    PosixListing(std::shared_ptr<const FolderSnapshot> snap, std::string_view pattern,
                 bool driveRoot)
        : snap_(std::move(snap)), pattern_(pattern), driveRoot_(driveRoot) {}

    // Windows reports "." and ".." first; they are matched like any name.
    bool Advance() {
        while (dotStage_ < 2) {
            const char* dot = dotStage_ == 0 ? "." : "..";
            ++dotStage_;
            if (!driveRoot_ && pattern_.Matches(dot)) {
                current_ = dot;
                currentType_ = DT_DIR;
                return true;
            }
        }
        while (next_ < snap_->entries.size()) {
            const FolderSnapshot::Entry& e = snap_->entries[next_++];
            const char* n = snap_->names.data() + e.offset;
            if (!pattern_.Matches(n))
                continue;
            current_ = n;
            currentType_ = e.type;
            return true;
        }
        return false;
    }

    bool Step(int neededBits, int& attributes) override {
        if (pending_) {
            pending_ = false;
        } else if (!Advance()) {
            return false;
        }
        const char* n = current_;
        const bool dots = n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0));
        if (currentType_ == DT_UNKNOWN || (!dots && (neededBits & prim::kAttrReadOnly))) {
            struct stat st;
            if (fstatat(snap_->Fd(), n, &st, AT_SYMLINK_NOFOLLOW) == 0) {
                attributes = Attributes(st, dots ? std::string_view() : std::string_view(n));
                if (dots)
                    attributes &= ~prim::kAttrReadOnly;
                return true;
            }
        }
        int a = 0;
        switch (currentType_) {
            case DT_DIR:
                a = prim::kAttrDirectory;
                break;
            case DT_REG:
                a = prim::kAttrArchive;
                break;
            case DT_LNK:
            case DT_UNKNOWN:
                break;
            default:
                a = prim::kAttrSystem;
                break;
        }
        if (n[0] == '.' && !dots)
            a |= prim::kAttrHidden;
        attributes = a;
        return true;
    }

    void CurrentName(Text& out) const override {
        const char* n = current_;
        bool plain = true;
        std::size_t len = 0;
        for (; n[len]; ++len) {
            unsigned char c = static_cast<unsigned char>(n[len]);
            if (c >= 0x80 || c == '\\')
                plain = false;
        }
        if (plain)
            out.assign(n, len);
        else
            out = prim::Utf8ToText(std::string_view(n, len), true);
    }

    bool Start() {
        pending_ = Advance();
        return pending_;
    }
    int DirFd() const { return snap_->Fd(); }
    const char* CurrentName() const { return current_; }

  private:
    std::shared_ptr<const FolderSnapshot> snap_;
    WildcardPattern pattern_;
    bool driveRoot_;
    int dotStage_ = 0;
    std::size_t next_ = 0;
    bool pending_ = false;
    const char* current_ = nullptr;
    unsigned char currentType_ = DT_UNKNOWN;
};

// A pattern without wildcards lists at most the one entry of that name.
class SingleListing final : public prim::Listing {
  public:
    SingleListing(Text name, int attributes) : name_(std::move(name)), attributes_(attributes) {}
    bool Step(int, int& attributes) override {
        if (done_)
            return false;
        done_ = true;
        attributes = attributes_;
        return true;
    }
    void CurrentName(Text& out) const override { out = name_; }

  private:
    Text name_;
    int attributes_;
    bool done_ = false;
};

// ---------------------------------------------------------------------------

class PosixFolder final : public prim::FolderHandle {
  public:
    PosixFolder(int fd, const DriveTable& table) : fd_(fd), table_(table) {
        struct stat st;
        writable_ = fstat(fd_, &st) == 0 && !ReadOnly(st);
    }
    ~PosixFolder() override { close(fd_); }

    bool ReadChildren(std::vector<Child>& out) override {
        out.clear();
        int d = dup(fd_);
        if (d < 0)
            return false;
        DIR* dir = fdopendir(d);
        if (!dir) {
            close(d);
            return false;
        }
        rewinddir(dir);
        while (struct dirent* e = readdir(dir)) {
            std::string_view n = e->d_name;
            if (IsDotName(n))
                continue;
            bool folder = e->d_type == DT_DIR;
            if (e->d_type == DT_UNKNOWN) {
                struct stat st;
                folder =
                    fstatat(fd_, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
            }
            out.push_back(Child{std::string(n), folder});
        }
        closedir(dir);
        return true;
    }

    std::unique_ptr<FolderHandle> OpenChildFolder(const std::string& key) override {
        int fd = openat(fd_, key.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            return nullptr;
        struct stat st;
        if (fstat(fd, &st) != 0 || table_.IsRootId(st.st_dev, st.st_ino)) {
            close(fd);
            return nullptr;
        }
        return std::make_unique<PosixFolder>(fd, table_);
    }

    bool RemoveChildFile(const std::string& key) override {
        struct stat st;
        if (!writable_ || fstatat(fd_, key.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            return false;
        if (S_ISDIR(st.st_mode) || ReadOnly(st) || OpenFiles().Has(st))
            return false;
        return unlinkat(fd_, key.c_str(), 0) == 0;
    }

    bool RemoveChildFolder(const std::string& key) override {
        struct stat st;
        if (!writable_ || fstatat(fd_, key.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            return false;
        if (!S_ISDIR(st.st_mode) || ReadOnly(st) || table_.IsRootId(st.st_dev, st.st_ino))
            return false;
        return unlinkat(fd_, key.c_str(), AT_REMOVEDIR) == 0;
    }

  private:
    int fd_;
    const DriveTable& table_;
    bool writable_ = false;
};

// ---------------------------------------------------------------------------

class PosixFileSystem final : public prim::FileSystem {
  public:
    explicit PosixFileSystem(const PosixConfig& config)
        : table_(config.drives), runNative_(NormalizeNative(config.runDirectory)) {
        runDirectory_ = WithoutRootSeparator(table_.ToDrivePath(runNative_));
    }

    std::vector<prim::DriveInfo> Drives() override {
        std::vector<prim::DriveInfo> out;
        for (const auto& r : table_.Roots())
            out.push_back({r.letter, r.type, r.label});
        return out;
    }

    Text RunDirectory() override { return runDirectory_; }

    Text CurrentDirectory() override {
        char buf[PATH_MAX];
        if (!getcwd(buf, sizeof buf))
            return runDirectory_;
        return WithoutRootSeparator(table_.ToDrivePath(buf));
    }

    Text DrivePathFromNative(std::string_view native) override {
        return table_.ToDrivePath(native);
    }

    std::string NativePathFromDrivePath(std::string_view path) override {
        Resolved r;
        return table_.Resolve(path, r) ? r.native : std::string();
    }

    std::unique_ptr<prim::Listing> StartListing(std::string_view pattern) override {
        // The walker asks for the same pattern twice in a row (files, then
        // folders); an absolute one resolves the same whatever the current
        // folder, so the second time needs no resolving.
        const bool absolute =
            pattern.size() >= 3 && pattern[1] == ':' && (pattern[2] == '\\' || pattern[2] == '/');
        if (!absolute || pattern != lastPattern_.text) {
            Resolved r;
            if (!table_.Resolve(pattern, r) || r.trailingSeparator || r.IsRoot())
                return nullptr;
            const std::string& last = LastName(r);
            WildcardPattern wild(last);
            if (!wild.HasWildcards()) {
                struct stat st;
                if (lstat(r.native.c_str(), &st) != 0)
                    return nullptr;
                return std::make_unique<SingleListing>(prim::Utf8ToText(last, true),
                                                       Attributes(st, last));
            }
            lastPattern_ = {absolute ? Text(pattern) : Text(), r.Parent(table_.Roots()), last,
                            r.parts.size() == 1};
        }
        auto snap = Snapshot(lastPattern_.folder);
        if (!snap)
            return nullptr;
        auto listing = std::make_unique<PosixListing>(std::move(snap), lastPattern_.name,
                                                      lastPattern_.driveRoot);
        if (!listing->Start())
            return nullptr;
        return listing;
    }

    bool FindFirst(std::string_view path, FoundEntry& out) override {
        Resolved r;
        if (!table_.Resolve(path, r) || r.trailingSeparator || r.IsRoot())
            return false;
        const std::string& last = LastName(r);
        WildcardPattern wild(last);
        struct stat st;
        if (!wild.HasWildcards()) {
            if (lstat(r.native.c_str(), &st) != 0)
                return false;
            Fill(st, last, out);
            return true;
        }
        auto snap = Snapshot(r.Parent(table_.Roots()));
        if (!snap)
            return false;
        PosixListing listing(std::move(snap), last, r.parts.size() == 1);
        if (!listing.Start())
            return false;
        const char* name = listing.CurrentName();
        if (fstatat(listing.DirFd(), name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            return false;
        Fill(st, name, out);
        return true;
    }

    int GetAttributes(std::string_view path) override {
        Resolved r;
        struct stat st;
        if (!Existing(path, r, st))
            return -1;
        return Attributes(st, LastName(r));
    }

    bool SetAttributes(std::string_view path, int bits) override {
        Resolved r;
        struct stat st;
        if (!Existing(path, r, st))
            return false;
        const bool readOnly = (bits & prim::kAttrReadOnly) != 0;
        // A link has no attributes of its own here, and chmod would reach its target.
        if (S_ISLNK(st.st_mode))
            return !readOnly;
        // Hidden comes from the name and system from the kind of entry; neither
        // can be given to an entry without changing what it is, so only the
        // read-only bit is carried out.
        mode_t mode = st.st_mode & 07777;
        mode_t want = readOnly ? (mode & ~static_cast<mode_t>(0222)) : (mode | S_IWUSR);
        if (want == mode)
            return true;
        return chmod(r.native.c_str(), want) == 0;
    }

    std::unique_ptr<prim::OpenedFile> OpenExisting(std::string_view path) override {
        Resolved r;
        if (!table_.Resolve(path, r) || r.trailingSeparator || r.IsRoot())
            return nullptr;
        struct stat st;
        if (stat(r.native.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || ReadOnly(st))
            return nullptr;
        int fd = open(r.native.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return nullptr;
        struct stat now;
        if (fstat(fd, &now) != 0 || !S_ISREG(now.st_mode) || ReadOnly(now)) {
            close(fd);
            return nullptr;
        }
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        return std::make_unique<PosixOpenedFile>(fd, now);
    }

    bool WriteWholeFile(std::string_view path, std::string_view bytes, bool createNew) override {
        Resolved r;
        if (!table_.Resolve(path, r) || r.trailingSeparator || r.IsRoot())
            return false;
        const char* native = r.native.c_str();
        const std::string parent = r.Parent(table_.Roots());
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (!createNew) {
                struct stat st;
                if (stat(native, &st) == 0) {
                    if (!S_ISREG(st.st_mode) || ReadOnly(st) || OpenFiles().Has(st))
                        return false;
                    int fd = open(native, O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
                    if (fd < 0) {
                        if (errno == ENOENT)
                            continue;
                        return false;
                    }
                    struct stat now;
                    bool ok = fstat(fd, &now) == 0 && S_ISREG(now.st_mode) && !ReadOnly(now) &&
                              !OpenFiles().Has(now) && ftruncate(fd, 0) == 0 && WriteAll(fd, bytes);
                    return close(fd) == 0 && ok;
                }
                if (errno != ENOENT)
                    return false;
            }
            if (!FolderWritable(parent))
                return false;
            // O_EXCL: a name that anything holds, a dangling link included, is never touched.
            int fd = open(native, O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
            if (fd < 0) {
                if (errno == EEXIST && !createNew)
                    continue;
                return false;
            }
            bool ok = WriteAll(fd, bytes);
            ok = close(fd) == 0 && ok;
            if (!ok)
                unlink(native);
            return ok;
        }
        return false;
    }

    bool RemoveFile(std::string_view path) override {
        Resolved r;
        if (!table_.Resolve(path, r) || r.trailingSeparator || r.IsRoot())
            return false;
        struct stat st;
        if (lstat(r.native.c_str(), &st) != 0)
            return false;
        if (S_ISDIR(st.st_mode) || ReadOnly(st) || OpenFiles().Has(st))
            return false;
        if (!FolderWritable(r.Parent(table_.Roots())))
            return false;
        return unlink(r.native.c_str()) == 0;
    }

    bool IsProtectedFolder(std::string_view path) override {
        Resolved r;
        // A bare «C:» is how people write the drive itself, whatever the
        // current folder on it is.
        if (path.size() == 2 && path[1] == ':')
            return true;
        if (!table_.Resolve(path, r))
            return false;
        return r.IsRoot() || table_.HoldsDriveRoot(r.native);
    }

    std::unique_ptr<prim::FolderHandle> OpenFolderForRemoval(std::string_view path) override {
        Resolved r;
        if (!table_.Resolve(path, r) || r.IsRoot())
            return nullptr;
        int fd = open(r.native.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            return nullptr;
        return std::make_unique<PosixFolder>(fd, table_);
    }

    bool RemoveEmptyFolder(std::string_view path) override {
        Resolved r;
        if (!table_.Resolve(path, r) || r.IsRoot() || table_.HoldsDriveRoot(r.native))
            return false;
        struct stat st;
        if (lstat(r.native.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || ReadOnly(st))
            return false;
        if (!FolderWritable(r.Parent(table_.Roots())))
            return false;
        return rmdir(r.native.c_str()) == 0;
    }

    bool RenameNoReplace(std::string_view from, std::string_view to) override {
        Resolved a, b;
        struct stat st;
        if (!Existing(from, a, st) || a.IsRoot())
            return false;
        if (!table_.Resolve(to, b) || b.IsRoot())
            return false;
        const bool folder = S_ISDIR(st.st_mode);
        if (b.trailingSeparator && !folder)
            return false;
        if (folder && table_.HoldsDriveRoot(a.native))
            return false;
        const std::string toParent = b.Parent(table_.Roots());
        if (!FolderWritable(a.Parent(table_.Roots())) || !FolderWritable(toParent))
            return false;
        if (folder && Inside(toParent, a.native))
            return false;
        if (renameat2(AT_FDCWD, a.native.c_str(), AT_FDCWD, b.native.c_str(), RENAME_NOREPLACE) ==
            0)
            return true;
        if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
            return false;
        // No RENAME_NOREPLACE on this file system: a hard link is just as exclusive
        // for files; a folder takes the place of an empty folder made for it.
        if (!folder) {
            if (link(a.native.c_str(), b.native.c_str()) != 0)
                return false;
            unlink(a.native.c_str());
            return true;
        }
        if (mkdir(b.native.c_str(), 0700) != 0)
            return false;
        if (rename(a.native.c_str(), b.native.c_str()) == 0)
            return true;
        rmdir(b.native.c_str());
        return false;
    }

    bool CopyReplacing(std::string_view from, std::string_view to) override {
        Resolved a, b;
        if (!table_.Resolve(from, a) || a.trailingSeparator || a.IsRoot())
            return false;
        if (!table_.Resolve(to, b) || b.trailingSeparator || b.IsRoot())
            return false;
        int in = open(a.native.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (in < 0)
            return false;
        bool ok = CopyFrom(in, b);
        close(in);
        return ok;
    }

  private:
    std::shared_ptr<const FolderSnapshot> Snapshot(const std::string& folder) {
        if (lastRead_ && lastRead_->native == folder && lastRead_->StillCurrent())
            return lastRead_;
        // A subfolder of a folder still being listed is opened relative to it:
        // the kernel then looks up one name instead of the whole path.
        int parentFd = AT_FDCWD;
        std::string_view name = folder;
        const std::size_t slash = folder.rfind('/');
        if (slash != std::string::npos && slash + 1 < folder.size()) {
            const std::string_view parent(folder.data(), slash == 0 ? 1 : slash);
            for (auto it = open_.rbegin(); it != open_.rend(); ++it) {
                auto live = it->lock();
                if (live && live->native == parent) {
                    parentFd = live->Fd();
                    name = std::string_view(folder).substr(slash + 1);
                    break;
                }
            }
        }
        auto snap = FolderSnapshot::Read(folder, parentFd, std::string(name));
        lastRead_ = snap;
        if (snap) {
            if (open_.size() >= 64)
                open_.erase(std::remove_if(open_.begin(), open_.end(),
                                           [](const auto& w) { return w.expired(); }),
                            open_.end());
            open_.push_back(snap);
        }
        return snap;
    }

    struct ResolvedPattern {
        Text text;           // the absolute pattern, or empty
        std::string folder;  // native folder to list
        std::string name;    // the wildcard pattern
        bool driveRoot = false;
    } lastPattern_;
    std::vector<std::weak_ptr<const FolderSnapshot>> open_;

    static Text WithoutRootSeparator(Text path) {
        if (path.size() == 3 && path[1] == ':')
            path.pop_back();
        return path;
    }

    static bool Inside(const std::string& path, const std::string& folder) {
        char b1[PATH_MAX], b2[PATH_MAX];
        std::string p = realpath(path.c_str(), b1) ? std::string(b1) : path;
        std::string f = realpath(folder.c_str(), b2) ? std::string(b2) : folder;
        if (f == "/")
            return true;
        return p == f ||
               (p.size() > f.size() && p.compare(0, f.size(), f) == 0 && p[f.size()] == '/');
    }

    // The entry itself (lstat); a trailing separator only after a real folder.
    bool Existing(std::string_view path, Resolved& r, struct stat& st) {
        if (!table_.Resolve(path, r) || lstat(r.native.c_str(), &st) != 0)
            return false;
        return !r.trailingSeparator || S_ISDIR(st.st_mode);
    }

    bool CopyFrom(int in, const Resolved& b) {
        struct stat src;
        if (fstat(in, &src) != 0 || !S_ISREG(src.st_mode))
            return false;
        fcntl(in, F_SETFL, fcntl(in, F_GETFL) & ~O_NONBLOCK);
        struct stat old;
        if (stat(b.native.c_str(), &old) == 0) {
            // The same file under another name, a hard link or a link to it.
            if (old.st_dev == src.st_dev && old.st_ino == src.st_ino)
                return false;
            if (!S_ISREG(old.st_mode) || OpenFiles().Has(old))
                return false;
        }
        if (lstat(b.native.c_str(), &old) == 0 && (S_ISDIR(old.st_mode) || ReadOnly(old)))
            return false;
        const std::string folder = b.Parent(table_.Roots());
        if (!FolderWritable(folder))
            return false;

        static std::atomic<unsigned> counter{0};
        std::string temp;
        int out = -1;
        for (int attempt = 0; attempt < 100 && out < 0; ++attempt) {
            temp = folder + (folder == "/" ? "" : "/") + ".~copy" + std::to_string(getpid()) + "-" +
                   std::to_string(counter++) + ".tmp";
            out = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0600);
            if (out < 0 && errno != EEXIST)
                return false;
        }
        if (out < 0)
            return false;

        bool ok = true;
        char buf[1 << 16];
        for (;;) {
            ssize_t n = read(in, buf, sizeof buf);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                ok = false;
            if (n <= 0)
                break;
            if (!WriteAll(out, std::string_view(buf, static_cast<std::size_t>(n)))) {
                ok = false;
                break;
            }
        }
        if (ok) {
            struct timespec times[2] = {src.st_atim, src.st_mtim};
            ok = fchmod(out, src.st_mode & 07777) == 0 && fsync(out) == 0;
            futimens(out, times);
        }
        ok = close(out) == 0 && ok;
        // Only a complete copy takes the target's place; otherwise the old
        // target stays as it was.
        if (ok)
            ok = rename(temp.c_str(), b.native.c_str()) == 0;
        if (!ok)
            unlink(temp.c_str());
        return ok;
    }

    std::shared_ptr<const FolderSnapshot> lastRead_;
    DriveTable table_;
    std::string runNative_;
    Text runDirectory_;
};

}  // namespace

std::shared_ptr<prim::FileSystem> MakePosixFileSystem(const PosixConfig& config) {
    return std::make_shared<PosixFileSystem>(config);
}

}  // namespace platform::posix
