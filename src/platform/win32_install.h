#pragma once
// Installing the Windows file system backend. The drives are the system's own;
// only the program's folder is given. Tests pass a folder of their own, the
// program the folder of its program file.
#include "primitives/text.h"

namespace platform {

struct Win32Config {
    // A drive path («D:\Tools», «D:»); it becomes the current directory.
    prim::Text runDirectory;
};

// The folder of the running program file («D:\Tools», «D:» in a root).
prim::Text ProgramFolder();
// Installs the backend and makes runDirectory the current directory.
void InstallWin32FileSystem(const Win32Config& config);

}  // namespace platform
