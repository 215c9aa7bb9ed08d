// FileExists, GetFileSize, GetFileTime, GetFileAttributes and SetFileAttributes.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <ctime>

#include "primitives/files.h"
#include "support/temp_drives.h"

using prim::Text;
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
        chmod(N("ro.txt").c_str(), 0444);
        symlink(N("dir").c_str(), N("link").c_str());
        mkfifo(N("pipe").c_str(), 0600);
    }
    std::string N(const char* p) const { return drives.Native('C', p); }
    TempDrives drives;
};

TEST_F(Query, FileExistsAndSize) {
    struct Case {
        Text path;
        bool exists;
        std::int32_t size;
    } cases[] = {
        {"C:\\dir\\a.txt", true, 5},
        {"C:/dir/a.txt", true, 5},
        {"C:\\dir", true, 0},
        {"C:\\dir\\", false, -1},
        {"C:\\", false, -1},
        {"C:\\dir\\a*", true, 5},
        {"C:\\dir\\?.TXT", true, 5},
        {"C:\\dir\\*.zzz", false, -1},
        {"C:\\dir\\*", true, 0},    // "." comes first
        {"C:\\empty\\*", true, 0},  // "." is in every folder but a root
        {"D:\\*", false, -1},       // an empty drive root has nothing
        {"C:\\missing", false, -1},
        {"C:\\dir\\a.txt\\x", false, -1},
        {"Q:\\dir", false, -1},
        {"", false, -1},
        {"C:\\link", true, 0},
        {"C:\\pipe", true, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(prim::FileExists(c.path), c.exists) << c.path;
        EXPECT_EQ(prim::GetFileSize(c.path), c.size) << c.path;
    }
}

TEST_F(Query, SizeIsTheLow32BitsSigned) {
    struct Case {
        off_t length;
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
        int fd = open(big.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        if (ftruncate(fd, c.length) != 0) {
            close(fd);
            GTEST_SKIP() << "no sparse files here";
        }
        close(fd);
        EXPECT_EQ(prim::GetFileSize("C:\\big.bin"), c.size) << c.length;
        unlink(big.c_str());
    }
}

TEST_F(Query, FileTimeIsLocalLastWrite) {
    std::tm when{};
    when.tm_year = 2021 - 1900;
    when.tm_mon = 6;
    when.tm_mday = 15;
    when.tm_hour = 13;
    when.tm_min = 45;
    when.tm_sec = 30;
    when.tm_isdst = -1;
    const time_t t = mktime(&when);
    struct timespec times[2] = {{t - 86400, 0}, {t, 500000000}};  // last access a day earlier
    ASSERT_EQ(utimensat(AT_FDCWD, N("dir/a.txt").c_str(), times, 0), 0);
    EXPECT_EQ(prim::GetFileTime("C:\\dir\\a.txt"), (prim::DateTime{2021, 7, 15, 13, 45, 30}));
    EXPECT_EQ(prim::GetFileTime("C:\\dir\\a.*"), (prim::DateTime{2021, 7, 15, 13, 45, 30}));
    for (Text missing : {"C:\\missing", "C:\\dir\\", "C:\\dir\\*.zzz", "Q:\\x"})
        EXPECT_EQ(prim::GetFileTime(missing), (prim::DateTime{100, 1, 1, 0, 0, 0})) << missing;
}

TEST_F(Query, Attributes) {
    struct Case {
        Text path;
        int bits;
    } cases[] = {
        {"C:\\dir\\a.txt", 32}, {"C:\\ro.txt", 33},   {"C:\\dir", 16},     {"C:\\dir\\", 16},
        {"C:\\dir\\.hidden", 34}, {"C:\\dir\\.git", 18}, {"C:\\link", 0},  {"C:\\pipe", 4},
        {"C:\\", 16},           {"C:\\missing", -1},  {"C:\\dir\\a.txt\\", -1},
        {"C:\\dir\\a*", -1},    {"", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(prim::GetFileAttributes(c.path), c.bits) << c.path;
    // A bit test on the result for a missing path comes out set.
    EXPECT_TRUE(prim::GetFileAttributes("C:\\missing") & prim::kAttrDirectory);
}

TEST_F(Query, SetAttributesAppliesReadOnly) {
    EXPECT_TRUE(prim::SetFileAttributes("C:\\dir\\a.txt", prim::kAttrReadOnly | 0x100));
    EXPECT_EQ(prim::GetFileAttributes("C:\\dir\\a.txt"), 33);
    EXPECT_EQ(prim::OpenFile("C:\\dir\\a.txt"), 0);
    EXPECT_FALSE(prim::DeleteFile("C:\\dir\\a.txt"));
    EXPECT_TRUE(prim::SetFileAttributes("C:\\dir\\a.txt", prim::kAttrArchive));
    EXPECT_EQ(prim::GetFileAttributes("C:\\dir\\a.txt"), 32);
    EXPECT_TRUE(prim::SetFileAttributes("C:\\ro.txt", 0));
    EXPECT_EQ(prim::GetFileAttributes("C:\\ro.txt"), 32);
    int f = prim::OpenFile("C:\\ro.txt");
    EXPECT_NE(f, 0);
    prim::CloseFile(f);
    EXPECT_FALSE(prim::SetFileAttributes("C:\\missing", 0));
    // A link has none of its own; its target keeps its bits.
    EXPECT_FALSE(prim::SetFileAttributes("C:\\link", prim::kAttrReadOnly));
    EXPECT_EQ(prim::GetFileAttributes("C:\\dir"), 16);
    EXPECT_EQ(TempDrives::Read(N("dir/a.txt")), "12345");
}

}  // namespace
