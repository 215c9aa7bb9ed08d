#pragma once
// The POSIX backend of prim::FileSystem over a drive table.
#include <memory>

#include "platform/posix_install.h"
#include "primitives/file_system.h"

namespace platform::posix {

std::shared_ptr<prim::FileSystem> MakePosixFileSystem(const PosixConfig& config);

}  // namespace platform::posix
