// The real drive table, read from the mount table of the running system.
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "drive_table.h"
#include "platform/posix_install.h"
#include "primitives/codepage.h"

namespace platform {
namespace {

struct Mount {
    std::string point;
    std::string type;
    std::string source;
};

// Mount points escape blanks and backslashes as three octal digits.
std::string Unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() &&
            std::isdigit(static_cast<unsigned char>(s[i + 1])) &&
            std::isdigit(static_cast<unsigned char>(s[i + 2])) &&
            std::isdigit(static_cast<unsigned char>(s[i + 3]))) {
            out +=
                static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

// Labels under /dev/disk/by-label escape bytes as \xHH.
std::string UnescapeHex(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x' &&
            std::isxdigit(static_cast<unsigned char>(s[i + 2])) &&
            std::isxdigit(static_cast<unsigned char>(s[i + 3]))) {
            out += static_cast<char>(std::stoi(s.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::vector<Mount> ReadMounts() {
    std::vector<Mount> out;
    std::ifstream in("/proc/self/mountinfo");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::vector<std::string> f;
        std::string w;
        while (fields >> w)
            f.push_back(w);
        auto dash = std::find(f.begin(), f.end(), "-");
        if (f.size() < 5 || dash == f.end() || f.end() - dash < 3)
            continue;
        out.push_back({Unescape(f[4]), *(dash + 1), Unescape(*(dash + 2))});
    }
    return out;
}

bool IsPseudo(const std::string& type) {
    static const std::set<std::string> kinds = {
        "proc",       "sysfs",      "cgroup",        "cgroup2",    "devpts",          "devtmpfs",
        "mqueue",     "debugfs",    "tracefs",       "securityfs", "pstore",          "bpf",
        "configfs",   "fusectl",    "hugetlbfs",     "autofs",     "binfmt_misc",     "efivarfs",
        "nsfs",       "rpc_pipefs", "selinuxfs",     "nfsd",       "fuse.gvfsd-fuse", "fuse.portal",
        "fuse.lxcfs", "binder",     "devfs",         "usbfs",      "sockfs",          "pipefs",
        "cpuset",     "none",       "fuse.snapfuse", "squashfs"};
    return kinds.count(type) != 0;
}

bool IsNetwork(const std::string& type) {
    static const std::set<std::string> kinds = {
        "nfs",        "nfs4",          "cifs",  "smb3",        "smbfs",
        "ncpfs",      "afs",           "ceph",  "glusterfs",   "9p",
        "fuse.sshfs", "fuse.rclone",   "davfs", "fuse.davfs2", "fuse.glusterfs",
        "fuse.s3fs",  "lustre",        "gpfs",  "beegfs",      "orangefs",
        "coda",       "fuse.curlftpfs"};
    return kinds.count(type) != 0;
}

bool UnderSystemFolder(const std::string& point) {
    static const char* const kSystem[] = {"/proc", "/sys",  "/dev",  "/run",   "/boot",  "/usr",
                                          "/var",  "/etc",  "/lib",  "/lib32", "/lib64", "/libx32",
                                          "/bin",  "/sbin", "/snap", "/tmp"};
    for (const char* s : kSystem) {
        std::string_view p(s);
        if (point.compare(0, p.size(), p) == 0 &&
            (point.size() == p.size() || point[p.size()] == '/'))
            return true;
    }
    return false;
}

std::string Parent(const std::string& point) {
    std::size_t slash = point.rfind('/');
    return slash == 0 || slash == std::string::npos ? "/" : point.substr(0, slash);
}

std::string Canonical(const std::string& path) {
    char buf[PATH_MAX];
    return realpath(path.c_str(), buf) ? std::string(buf) : path;
}

bool Removable(const std::string& device) {
    std::string name = std::filesystem::path(Canonical(device)).filename().string();
    std::string base = "/sys/class/block/" + name;
    for (const std::string& f : {base + "/removable", Canonical(base) + "/../removable"}) {
        std::ifstream in(f);
        char c;
        if (in >> c)
            return c == '1';
    }
    return false;
}

prim::Text BlockLabel(const std::string& device) {
    std::error_code ec;
    const std::string dev = Canonical(device);
    for (const auto& e : std::filesystem::directory_iterator("/dev/disk/by-label", ec)) {
        if (Canonical(e.path().string()) == dev)
            return prim::Utf8ToText(UnescapeHex(e.path().filename().string()));
    }
    return prim::Text();
}

}  // namespace

PosixConfig SystemConfig(const std::string& programFileNative) {
    PosixConfig config;
    std::string program = posix::NormalizeNative(programFileNative);
    config.runDirectory = Parent(program);

    std::string home;
    std::string user;
    if (const char* h = std::getenv("HOME"); h && *h == '/')
        home = h;
    if (struct passwd* pw = getpwuid(getuid())) {
        if (home.empty() && pw->pw_dir)
            home = pw->pw_dir;
        if (pw->pw_name)
            user = pw->pw_name;
    }
    if (user.empty())
        if (const char* u = std::getenv("USER"))
            user = u;
    home = home.empty() ? "/" : posix::NormalizeNative(home);
    config.drives.push_back({'C', home, prim::DriveType::Fixed, {}});

    std::set<std::string> parents = {"/mnt", "/media"};
    if (!user.empty()) {
        parents.insert("/media/" + user);
        parents.insert("/run/media/" + user);
    }
    std::vector<DriveRoot> found;
    for (const Mount& m : ReadMounts()) {
        if (IsPseudo(m.type) || m.point == "/" || m.point == home)
            continue;
        const bool network = IsNetwork(m.type);
        if (parents.count(Parent(m.point)) == 0 && !(network && !UnderSystemFolder(m.point)))
            continue;
        DriveRoot d{0, m.point, prim::DriveType::Fixed, {}};
        if (network) {
            d.type = prim::DriveType::Network;
            d.label = prim::Utf8ToText(m.source);
        } else if (m.type == "iso9660" || m.type == "udf") {
            d.type = prim::DriveType::CdRom;
        } else if (m.type == "tmpfs" || m.type == "ramfs") {
            d.type = prim::DriveType::RamDisk;
        }
        if (m.source.rfind("/dev/", 0) == 0) {
            if (d.type == prim::DriveType::Fixed && Removable(m.source))
                d.type = prim::DriveType::Other;
            d.label = BlockLabel(m.source);
        }
        // A later mount on the same point hides the earlier one but keeps its place.
        auto same = std::find_if(found.begin(), found.end(),
                                 [&](const DriveRoot& x) { return x.nativeRoot == m.point; });
        if (same != found.end())
            *same = d;
        else
            found.push_back(d);
    }
    char letter = 'D';
    for (auto& d : found) {
        if (letter > 'Y')
            break;
        d.letter = letter++;
        config.drives.push_back(d);
    }
    config.drives.push_back({'Z', "/", prim::DriveType::Fixed, {}});
    return config;
}

}  // namespace platform
