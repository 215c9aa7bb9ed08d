// DeleteFile and DeleteDirectory.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "primitives/files.h"
#include "support/temp_drives.h"

using prim::Text;
using testsupport::TempDrives;

namespace {

void Link(const std::string& target, const std::string& link) {
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
}

TEST(DeleteFile, RemovesOneFileOrLink) {
    TempDrives drives;
    auto N = [&](const char* p) { return drives.Native('C', p); };
    TempDrives::Write(N("a.txt"), "a");
    TempDrives::Write(N("ro.txt"), "r");
    chmod(N("ro.txt").c_str(), 0444);
    TempDrives::Write(N("folder/inner.txt"), "i");
    TempDrives::Write(N("held.txt"), "h");
    TempDrives::Write(N("target.txt"), "t");
    Link(N("target.txt"), N("filelink"));
    Link(N("folder"), N("folderlink"));
    TempDrives::Write(N("rofolder/x.txt"), "x");
    chmod(N("rofolder").c_str(), 0555);
    int held = prim::OpenFile("C:\\held.txt");
    ASSERT_NE(held, 0);

    struct Case {
        Text path;
        bool result;
        const char* gone;  // removed entry, or nullptr
    } cases[] = {
        {"C:\\missing.txt", false, nullptr}, {"C:\\ro.txt", false, nullptr},
        {"C:\\folder", false, nullptr},      {"C:\\held.txt", false, nullptr},
        {"C:\\a.txt\\", false, nullptr},     {"C:\\rofolder\\x.txt", false, nullptr},
        {"", false, nullptr},                {"C:\\a.txt", true, "a.txt"},
        {"C:\\filelink", true, "filelink"},  {"C:\\folderlink", true, "folderlink"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(prim::DeleteFile(c.path), c.result) << c.path;
        if (c.gone) {
            EXPECT_FALSE(TempDrives::Exists(N(c.gone))) << c.path;
        }
    }
    EXPECT_EQ(TempDrives::Read(N("ro.txt")), "r");
    EXPECT_EQ(TempDrives::Read(N("held.txt")), "h");
    EXPECT_EQ(TempDrives::Read(N("target.txt")), "t");
    EXPECT_EQ(TempDrives::Read(N("folder/inner.txt")), "i");
    EXPECT_EQ(TempDrives::Read(N("rofolder/x.txt")), "x");
    prim::CloseFile(held);
    EXPECT_TRUE(prim::DeleteFile("C:\\held.txt"));
}

TEST(DeleteDirectory, RefusesEverySpellingOfADriveRoot) {
    TempDrives drives;
    TempDrives::Write(drives.Native('C', "x/keep.txt"), "k");
    for (Text path : {"C:", "C:\\", "c:\\\\", "C:\\.\\", "C:\\x\\..", "  C:\\", "c:/", "C:/x/../.",
                      "", "   ", "\\", "..\\..", "Q:\\x"}) {
        EXPECT_FALSE(prim::DeleteDirectory(path)) << path;
        EXPECT_EQ(TempDrives::Read(drives.Native('C', "x/keep.txt")), "k") << path;
    }
}

TEST(DeleteDirectory, RefusesAFolderHoldingAnotherDrive) {
    // Z: is the whole tree, C: a home folder inside it, D: a mount point.
    TempDrives drives({{{'Z', "."}, {'C', "home/u"}, {'D', "mnt/d"}}, "home/u/app"});
    TempDrives::Write(drives.Native('C', "keep.txt"), "c");
    TempDrives::Write(drives.Native('D', "keep.txt"), "d");
    TempDrives::Write(drives.Native('Z', "mnt/other/x.txt"), "x");
    for (Text path : {"Z:\\home", "Z:\\home\\u", "z:/home/u/", "Z:\\mnt", "Z:\\mnt\\d", "Z:\\",
                      "Z:\\mnt\\other\\..\\d"}) {
        EXPECT_FALSE(prim::DeleteDirectory(path)) << path;
        EXPECT_EQ(TempDrives::Read(drives.Native('C', "keep.txt")), "c") << path;
        EXPECT_EQ(TempDrives::Read(drives.Native('D', "keep.txt")), "d") << path;
    }
    EXPECT_TRUE(prim::DeleteDirectory("Z:\\mnt\\other"));
    EXPECT_FALSE(TempDrives::Exists(drives.Native('Z', "mnt/other")));
}

TEST(DeleteDirectory, KeepsWhatCannotGoAndItsAncestorsOnly) {
    TempDrives drives;
    auto N = [&](const char* p) { return drives.Native('C', p); };
    TempDrives::Write(N("t/a.txt"), "a");
    TempDrives::Write(N("t/.dot"), "d");
    TempDrives::Write(N("t/.git/config"), "g");
    TempDrives::Write(N("t/sub/deep/ro.txt"), "r");
    chmod(N("t/sub/deep/ro.txt").c_str(), 0444);
    TempDrives::Write(N("t/sub/deep/other.txt"), "o");
    TempDrives::Write(N("t/sub/sibling/s.txt"), "s");
    TempDrives::Write(N("t/held/h.txt"), "h");
    int held = prim::OpenFile("C:\\t\\held\\h.txt");
    ASSERT_NE(held, 0);

    EXPECT_FALSE(prim::DeleteDirectory("C:\\t"));

    EXPECT_EQ(TempDrives::Read(N("t/sub/deep/ro.txt")), "r");
    EXPECT_EQ(TempDrives::Read(N("t/held/h.txt")), "h");
    for (const char* gone :
         {"t/a.txt", "t/.dot", "t/.git", "t/sub/deep/other.txt", "t/sub/sibling"})
        EXPECT_FALSE(TempDrives::Exists(N(gone))) << gone;
    prim::CloseFile(held);
    chmod(N("t/sub/deep/ro.txt").c_str(), 0644);
    EXPECT_TRUE(prim::DeleteDirectory("C:\\t\\"));
    EXPECT_FALSE(TempDrives::Exists(N("t")));
}

TEST(DeleteDirectory, RemovesLinksNotWhatTheyPointTo) {
    TempDrives drives;
    auto N = [&](const char* p) { return drives.Native('C', p); };
    TempDrives::Write(N("outside/precious.txt"), "p");
    TempDrives::Write(N("single.txt"), "s");
    TempDrives::Write(N("t/x.txt"), "x");
    Link(N("outside"), N("t/to-folder"));
    Link(N("single.txt"), N("t/to-file"));
    Link(N("nowhere"), N("t/dangling"));
    Link(N("outside"), N("folderlink"));

    EXPECT_TRUE(prim::DeleteDirectory("C:\\t"));
    EXPECT_FALSE(TempDrives::Exists(N("t")));
    EXPECT_EQ(TempDrives::Read(N("outside/precious.txt")), "p");
    EXPECT_EQ(TempDrives::Read(N("single.txt")), "s");

    // A link given as the folder is not followed: nothing goes.
    EXPECT_FALSE(prim::DeleteDirectory("C:\\folderlink"));
    EXPECT_FALSE(prim::DeleteDirectory("C:\\folderlink\\"));
    EXPECT_TRUE(TempDrives::Exists(N("folderlink")));
    EXPECT_EQ(TempDrives::Read(N("outside/precious.txt")), "p");
}

TEST(DeleteDirectory, FailsOnWhatIsNotAFolder) {
    TempDrives drives;
    TempDrives::Write(drives.Native('C', "f.txt"), "f");
    EXPECT_FALSE(prim::DeleteDirectory("C:\\f.txt"));
    EXPECT_FALSE(prim::DeleteDirectory("C:\\missing"));
    EXPECT_EQ(TempDrives::Read(drives.Native('C', "f.txt")), "f");
}

}  // namespace
