// MoveFile between two POSIX file systems: a rename cannot cross, so the copy
// and the delete do the move.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/posix_install.h"
#include "primitives/files.h"
#include "support/temp_drives.h"

using testsupport::TempDrives;

namespace {

TEST(MoveFile, AcrossFileSystemsCopiesThenDeletes) {
    // /dev/shm is a memory file system on most machines: a rename cannot reach it.
    struct stat shm, tmp;
    TempDrives drives;
    if (stat("/dev/shm", &shm) != 0 || stat(drives.Root().c_str(), &tmp) != 0 ||
        shm.st_dev == tmp.st_dev || access("/dev/shm", W_OK) != 0)
        GTEST_SKIP() << "no second file system to move to";
    char pattern[] = "/dev/shm/move-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string other = pattern;
    platform::InstallPosixFileSystem({{{'C', drives.Native('C'), prim::DriveType::Fixed, {}},
                                       {'R', other, prim::DriveType::RamDisk, {}}},
                                      drives.Native('C', "app")});
    TempDrives::Write(drives.Native('C', "src.txt"), "source");
    TempDrives::Write(drives.Native('C', "ro.txt"), "read-only");
    chmod(drives.Native('C', "ro.txt").c_str(), 0444);
    TempDrives::Write(drives.Native('C', "f/x.txt"), "x");

    EXPECT_TRUE(prim::MoveFile("C:\\src.txt", "R:\\src.txt"));
    EXPECT_FALSE(TempDrives::Exists(drives.Native('C', "src.txt")));
    EXPECT_EQ(TempDrives::Read(other + "/src.txt"), "source");

    EXPECT_TRUE(prim::MoveFile("C:\\ro.txt", "R:\\ro.txt"));  // the source cannot go
    EXPECT_EQ(TempDrives::Read(drives.Native('C', "ro.txt")), "read-only");
    EXPECT_EQ(TempDrives::Read(other + "/ro.txt"), "read-only");
    EXPECT_EQ(prim::GetFileAttributes("R:\\ro.txt") & prim::kAttrReadOnly, prim::kAttrReadOnly);

    EXPECT_FALSE(prim::MoveFile("C:\\f", "R:\\f"));  // folders move by rename only
    EXPECT_EQ(TempDrives::Read(drives.Native('C', "f/x.txt")), "x");
    EXPECT_FALSE(TempDrives::Exists(other + "/f"));

    chmod((other + "/ro.txt").c_str(), 0644);
    std::filesystem::remove_all(other);
}

}  // namespace
