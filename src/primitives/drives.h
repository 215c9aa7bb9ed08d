#pragma once
// The drives of the installed file system backend, and the mapping between drive
// paths and the platform's native paths (UTF-8 on POSIX).
#include <string>
#include <string_view>
#include <vector>

#include "text.h"

namespace prim {

enum class DriveType { Fixed, Network, CdRom, RamDisk, Other };

struct DriveInfo {
    char letter = 'C';  // upper case
    DriveType type = DriveType::Fixed;
    Text label;  // volume label, may be empty
};

// In letter order, as fixed when the backend was installed.
std::vector<DriveInfo> Drives();
// The process's current directory: the program's directory (RunDirectory()).
Text CurrentDirectory();
// Upper-case letter of the current directory's drive.
char CurrentDriveLetter();
// A native path as a drive path («/home/u/a.txt» -> «C:\a.txt»); empty when unmapped.
Text DrivePathFromNative(std::string_view native);
// A drive path as a native path; empty when it names no drive.
std::string NativePathFromDrivePath(std::string_view path);

}  // namespace prim
