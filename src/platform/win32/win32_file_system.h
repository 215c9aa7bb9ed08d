#pragma once
// The Windows backend of prim::FileSystem over the wide-character Win32 calls.
#include <memory>

#include "platform/win32_install.h"
#include "primitives/file_system.h"

namespace platform::win32 {

std::shared_ptr<prim::FileSystem> MakeWin32FileSystem(const Win32Config& config);

}  // namespace platform::win32
