#pragma once
// Installing the POSIX file system backend: a drive table of native folders and
// the program's folder. Tests pass their own table; the program passes
// SystemConfig().
#include <string>
#include <vector>

#include "primitives/drives.h"
#include "primitives/text.h"

namespace platform {

struct DriveRoot {
    char letter;             // 'C'..'Z', either case
    std::string nativeRoot;  // an absolute native folder
    prim::DriveType type;
    prim::Text label;
};

struct PosixConfig {
    std::vector<DriveRoot> drives;  // a letter given twice keeps its first root
    std::string runDirectory;       // native, the program's folder
};

// The real table: C: the home folder, D:..Y: the mounted drives in mount order,
// Z: the root; runDirectory is the folder of the program file.
PosixConfig SystemConfig(const std::string& programFileNative);
// Installs the backend with this table and makes runDirectory the current
// directory (RunDirectory() and CurrentDirectory() report it as a drive path).
void InstallPosixFileSystem(const PosixConfig& config);

}  // namespace platform
