#pragma once
// The one call the program's entry makes: installs the system's file system
// backend with the real drive table, the program's folder as run directory.

namespace platform {

void InstallSystemFileSystem(const char* argv0);

}  // namespace platform
