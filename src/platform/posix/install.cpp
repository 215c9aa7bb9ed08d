#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "platform/install.h"
#include "platform/posix_install.h"
#include "posix_file_system.h"

namespace platform {

void InstallPosixFileSystem(const PosixConfig& config) {
    prim::InstallFileSystem(posix::MakePosixFileSystem(config));
    // The program's folder is the current directory, as the primitives promise.
    [[maybe_unused]] int rc = chdir(config.runDirectory.c_str());
}

void InstallSystemFileSystem(const char* argv0) {
    char buf[PATH_MAX];
    std::string program;
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n > 0) {
        program.assign(buf, static_cast<std::size_t>(n));
    } else if (argv0 && realpath(argv0, buf)) {
        program = buf;
    } else if (argv0) {
        program = argv0;
    }
    InstallPosixFileSystem(SystemConfig(program));
}

}  // namespace platform
