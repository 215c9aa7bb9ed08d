#pragma once
// The drive table of the POSIX backend and the translation between drive paths
// («C:\dir\a.txt») and native paths («/home/u/dir/a.txt»).
#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/posix_install.h"

namespace platform::posix {

struct Root {
    char letter;
    std::string native;     // normalized, no trailing "/" (except "/")
    std::string canonical;  // the same with links resolved
    bool haveId = false;
    dev_t dev = 0;
    ino_t ino = 0;
    prim::DriveType type;
    prim::Text label;
};

// A drive path taken apart: the drive and the native names below its root.
struct Resolved {
    int drive = -1;
    std::vector<std::string> parts;
    bool trailingSeparator = false;
    std::string native;  // the root and the parts joined with "/"

    bool IsRoot() const { return parts.empty(); }
    std::string Parent(const std::vector<Root>& roots) const;
};

class DriveTable {
  public:
    explicit DriveTable(const std::vector<DriveRoot>& drives);
    const std::vector<Root>& Roots() const { return roots_; }
    int IndexOf(char letter) const;
    // The drive whose root is the longest prefix of an absolute native path;
    // -1 when none. `rest` gets the names below that root.
    int Locate(std::string_view native, std::vector<std::string>* rest) const;
    // False when the path names nothing: an unknown drive, a relative path
    // outside every drive, a name that cannot be a native name.
    bool Resolve(std::string_view path, Resolved& out) const;
    prim::Text ToDrivePath(std::string_view native) const;
    // True for a drive root in any spelling and for a folder above one.
    bool HoldsDriveRoot(const std::string& native) const;
    // True when the stat names the root folder of a drive.
    bool IsRootId(dev_t dev, ino_t ino) const;

  private:
    std::vector<Root> roots_;
};

// "." and ".." resolved, "//" collapsed; relative paths are taken from "/".
std::string NormalizeNative(std::string_view native);

}  // namespace platform::posix
