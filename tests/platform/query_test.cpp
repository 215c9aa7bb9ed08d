// FileExists, GetFileSize, GetFileTime, GetFileAttributes and SetFileAttributes.
#include <gtest/gtest.h>

#include "primitives/files.h"
#include "support/temp_drives.h"

using prim::Text;
using testsupport::kWindows;
using testsupport::On;
using testsupport::TempDrives;

namespace {

class Query : public ::testing::Test {
  protected:
    void SetUp() override {
        TempDrives::Write(N("dir/a.txt"), "12345");
        TempDrives::Write(N("dir/.hidden"), "h");
        TempDrives::MakeFolder(N("dir/.git"));
        TempDrives::MakeFolder(N("empty"));
        TempDrives::Write(N("ro.txt"), "r");
        TempDrives::SetReadOnly(N("ro.txt"));
        TempDrives::Link(N("dir"), N("link"));
        TempDrives::MakePipe(N("pipe"));
    }
    std::string N(const char* p) const { return drives.Native('C', p); }
    TempDrives drives;
};

TEST_F(Query, FileExistsAndSize) {
    struct Case {
        Text path;
        bool exists;
        std::int32_t size;
        On on = On::Both;
    } cases[] = {
        {"C:\\dir\\a.txt", true, 5},
        {"C:/dir/a.txt", true, 5},
        {"C:\\dir", true, 0},
        {"C:\\dir\\", false, -1},
        {"C:\\", false, -1},
        {"C:\\dir\\a*", true, 5},
        {"C:\\dir\\?.TXT", true, 5},
        {"C:\\dir\\*.zzz", false, -1},
        {"C:\\dir\\*", true, 0},          // "." comes first
        {"C:\\empty\\*", true, 0},        // "." is in every folder but a root
        {"D:\\*", false, -1, On::Posix},  // an empty drive root; a folder on Windows
        {"C:\\missing", false, -1},
        {"C:\\dir\\a.txt\\x", false, -1},
        {"Q:\\dir", false, -1},
        {"", false, -1},
        {"C:\\link", true, 0, On::Posix},
        {"C:\\pipe", true, 0, On::Posix},
    };
    for (const auto& c : cases) {
        if (!testsupport::Here(c.on))
            continue;
        EXPECT_EQ(prim::FileExists(drives.P(c.path)), c.exists) << c.path;
        EXPECT_EQ(prim::GetFileSize(drives.P(c.path)), c.size) << c.path;
    }
}

TEST_F(Query, SizeIsTheLow32BitsSigned) {
    struct Case {
        std::uint64_t length;
        std::int32_t size;
    } cases[] = {
        {0, 0},
        {0x7FFFFFFF, 0x7FFFFFFF},
        {0x80000000LL, INT32_MIN},
        {0xC0000000LL, -1073741824},
        {0x140000000LL, 0x40000000},
    };
    for (const auto& c : cases) {
        const std::string big = N("big.bin");
        if (!TempDrives::MakeFileOfLength(big, c.length))
            GTEST_SKIP() << "no sparse files here";
        EXPECT_EQ(prim::GetFileSize(drives.P("C:\\big.bin")), c.size) << c.length;
        TempDrives::Remove(big);
    }
}

TEST_F(Query, FileTimeIsLocalLastWrite) {
    ASSERT_TRUE(TempDrives::SetLastWrite(N("dir/a.txt"), {2021, 7, 15, 13, 45, 30}));
    EXPECT_EQ(prim::GetFileTime(drives.P("C:\\dir\\a.txt")),
              (prim::DateTime{2021, 7, 15, 13, 45, 30}));
    EXPECT_EQ(prim::GetFileTime(drives.P("C:\\dir\\a.*")),
              (prim::DateTime{2021, 7, 15, 13, 45, 30}));
    for (Text missing : {"C:\\missing", "C:\\dir\\", "C:\\dir\\*.zzz", "Q:\\x"})
        EXPECT_EQ(prim::GetFileTime(drives.P(missing)), (prim::DateTime{100, 1, 1, 0, 0, 0}))
            << missing;
}

TEST_F(Query, Attributes) {
    struct Case {
        Text path;
        int bits;
        On on = On::Both;
    } cases[] = {
        {"C:\\dir\\a.txt", 32},
        {"C:\\ro.txt", 33},
        {"C:\\dir", 16},
        {"C:\\dir\\", 16},
        // Only POSIX promises that a dot name is hidden; on Windows it is the system's
        // choice (wine hides them, Windows does not).
        {"C:\\dir\\.hidden", 34, On::Posix},
        {"C:\\dir\\.git", 18, On::Posix},
        {"C:\\link", 0, On::Posix},
        {"C:\\pipe", 4, On::Posix},
        {"C:\\", 16},
        {"C:\\missing", -1},
        {"C:\\dir\\a.txt\\", -1},
        {"C:\\dir\\a*", -1},
        {"", -1},
    };
    for (const auto& c : cases)
        if (testsupport::Here(c.on)) {
            EXPECT_EQ(prim::GetFileAttributes(drives.P(c.path)), c.bits) << c.path;
        }
    // A bit test on the result for a missing path comes out set.
    EXPECT_TRUE(prim::GetFileAttributes(drives.P("C:\\missing")) & prim::kAttrDirectory);
}

TEST_F(Query, SetAttributesAppliesReadOnly) {
    EXPECT_TRUE(prim::SetFileAttributes(drives.P("C:\\dir\\a.txt"), prim::kAttrReadOnly | 0x100));
    EXPECT_EQ(prim::GetFileAttributes(drives.P("C:\\dir\\a.txt")), 33);
    EXPECT_EQ(prim::OpenFile(drives.P("C:\\dir\\a.txt")), 0);
    EXPECT_FALSE(prim::DeleteFile(drives.P("C:\\dir\\a.txt")));
    EXPECT_TRUE(prim::SetFileAttributes(drives.P("C:\\dir\\a.txt"), prim::kAttrArchive));
    EXPECT_EQ(prim::GetFileAttributes(drives.P("C:\\dir\\a.txt")), 32);
    EXPECT_TRUE(prim::SetFileAttributes(drives.P("C:\\ro.txt"), 0));
    // Archive may stay: on POSIX it is what a regular file is, and wine keeps it.
    EXPECT_EQ(prim::GetFileAttributes(drives.P("C:\\ro.txt")) & ~prim::kAttrArchive, 0);
    int f = prim::OpenFile(drives.P("C:\\ro.txt"));
    EXPECT_NE(f, 0);
    prim::CloseFile(f);
    EXPECT_FALSE(prim::SetFileAttributes(drives.P("C:\\missing"), 0));
    // A link has none of its own here; its target keeps its bits.
    if (!kWindows) {
        EXPECT_FALSE(prim::SetFileAttributes(drives.P("C:\\link"), prim::kAttrReadOnly));
    }
    EXPECT_EQ(prim::GetFileAttributes(drives.P("C:\\dir")), 16);
    EXPECT_EQ(TempDrives::Read(N("dir/a.txt")), "12345");
}

}  // namespace
