#include "temp_drives.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/posix_install.h"
#include "primitives/file_system.h"
#include "primitives/files.h"

namespace testsupport {
namespace fs = std::filesystem;

TempDrives::TempDrives() : TempDrives(Options{}) {}

TempDrives::TempDrives(Options options) {
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd))
        previousDirectory_ = cwd;
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/drives-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    char real[PATH_MAX];
    root_ = realpath(pattern.c_str(), real) ? std::string(real) : pattern;

    platform::PosixConfig config;
    for (const Drive& d : options.drives) {
        std::string folder = d.folder.empty() ? std::string(1, d.letter) : d.folder;
        std::string native = folder == "." ? root_ : root_ + "/" + folder;
        MakeFolder(native);
        roots_.emplace_back(d.letter, native);
        config.drives.push_back({d.letter, native, d.type, d.label});
    }
    config.runDirectory = root_ + "/" + options.runFolder;
    MakeFolder(config.runDirectory);
    platform::InstallPosixFileSystem(config);
}

TempDrives::~TempDrives() {
    prim::CloseAllFiles();
    prim::InstallFileSystem(nullptr);
    if (previousDirectory_.empty() || chdir(previousDirectory_.c_str()) != 0) {
        [[maybe_unused]] int rc = chdir("/");
    }
    // Tests clear write bits; give them back so an ordinary user can remove the tree.
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root_, ec); !ec && it != fs::end(it);
         it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec))
            chmod(it->path().c_str(), 0700);
    }
    chmod(root_.c_str(), 0700);
    fs::remove_all(root_, ec);
}

std::string TempDrives::Native(char letter, std::string_view below) const {
    for (const auto& [l, native] : roots_) {
        if (l == letter)
            return below.empty() ? native : native + "/" + std::string(below);
    }
    throw std::invalid_argument("no such drive");
}

void TempDrives::Write(const std::string& native, std::string_view bytes) {
    MakeFolder(fs::path(native).parent_path().string());
    std::ofstream out(native, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + native);
}

void TempDrives::MakeFolder(const std::string& native) {
    std::error_code ec;
    fs::create_directories(native, ec);
}

std::optional<std::string> TempDrives::Read(const std::string& native) {
    struct stat st;
    if (stat(native.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    std::ifstream in(native, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool TempDrives::Exists(const std::string& native) {
    struct stat st;
    return lstat(native.c_str(), &st) == 0;
}

prim::Text TempDrives::P(std::string_view drivePath) const {
    return prim::Text(drivePath);
}

bool TempDrives::Remove(const std::string& native) {
    return unlink(native.c_str()) == 0;
}

void TempDrives::SetReadOnly(const std::string& native, bool readOnly) {
    struct stat st;
    if (stat(native.c_str(), &st) != 0)
        return;
    const mode_t mode = st.st_mode & 07777;
    chmod(native.c_str(), readOnly ? (mode & ~static_cast<mode_t>(0222)) : (mode | 0200));
}

bool TempDrives::Link(const std::string& target, const std::string& link) {
    return symlink(target.c_str(), link.c_str()) == 0;
}

bool TempDrives::HardLink(const std::string& target, const std::string& link) {
    return ::link(target.c_str(), link.c_str()) == 0;
}

bool TempDrives::SetLastWrite(const std::string& native, const prim::DateTime& local) {
    std::tm when{};
    when.tm_year = local.year - 1900;
    when.tm_mon = local.month - 1;
    when.tm_mday = local.day;
    when.tm_hour = local.hour;
    when.tm_min = local.minute;
    when.tm_sec = local.second;
    when.tm_isdst = -1;
    const time_t t = mktime(&when);
    // Half a second more, and the last access a day earlier: neither may show.
    struct timespec times[2] = {{t - 86400, 0}, {t, 500000000}};
    return utimensat(AT_FDCWD, native.c_str(), times, 0) == 0;
}

bool TempDrives::MakeFileOfLength(const std::string& native, std::uint64_t length) {
    int fd = open(native.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
    if (fd < 0)
        return false;
    bool ok = ftruncate(fd, static_cast<off_t>(length)) == 0;
    close(fd);
    return ok;
}

bool TempDrives::MakePipe(const std::string& native) {
    return mkfifo(native.c_str(), 0600) == 0;
}

void TempDrives::SleepMs(int ms) {
    usleep(static_cast<useconds_t>(ms) * 1000);
}

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
    rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    saved_ = limit.rlim_cur;
    oldHandler_ = signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = saved_;
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, oldHandler_);
}

bool FileSizeLimit::Active() {
    return true;
}

}  // namespace testsupport
