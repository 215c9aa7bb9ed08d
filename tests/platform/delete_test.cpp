// DeleteFile and DeleteDirectory.
#include <gtest/gtest.h>

#include "primitives/file_system.h"
#include "primitives/files.h"
#include "support/temp_drives.h"

using prim::Text;
using testsupport::kWindows;
using testsupport::On;
using testsupport::TempDrives;

namespace {

// Links are made wherever the system can; POSIX always can.
bool Link(const std::string& target, const std::string& link) {
    const bool made = TempDrives::Link(target, link);
    if (!kWindows) {
        EXPECT_TRUE(made) << link;
    }
    return made;
}

TEST(DeleteFile, RemovesOneFileOrLink) {
    TempDrives drives;
    auto N = [&](const char* p) { return drives.Native('C', p); };
    TempDrives::Write(N("a.txt"), "a");
    TempDrives::Write(N("ro.txt"), "r");
    TempDrives::SetReadOnly(N("ro.txt"));
    TempDrives::Write(N("folder/inner.txt"), "i");
    TempDrives::Write(N("held.txt"), "h");
    TempDrives::Write(N("target.txt"), "t");
    const bool links = Link(N("target.txt"), N("filelink")) && Link(N("folder"), N("folderlink"));
    TempDrives::Write(N("rofolder/x.txt"), "x");
    TempDrives::SetReadOnly(N("rofolder"));
    int held = prim::OpenFile(drives.P("C:\\held.txt"));
    ASSERT_NE(held, 0);

    struct Case {
        Text path;
        bool result;
        const char* gone;  // removed entry, or nullptr
        On on = On::Both;
        bool link = false;
    } cases[] = {
        {"C:\\missing.txt", false, nullptr},
        {"C:\\ro.txt", false, nullptr},
        {"C:\\folder", false, nullptr},
        {"C:\\held.txt", false, nullptr},
        {"C:\\a.txt\\", false, nullptr},
        // A read-only folder's files can still be deleted on Windows.
        {"C:\\rofolder\\x.txt", false, nullptr, On::Posix},
        {"", false, nullptr},
        {"C:\\a.txt", true, "a.txt"},
        {"C:\\filelink", true, "filelink", On::Both, true},
        {"C:\\folderlink", true, "folderlink", On::Both, true},
    };
    for (const auto& c : cases) {
        if (!testsupport::Here(c.on) || (c.link && !links))
            continue;
        EXPECT_EQ(prim::DeleteFile(drives.P(c.path)), c.result) << c.path;
        if (c.gone) {
            EXPECT_FALSE(TempDrives::Exists(N(c.gone))) << c.path;
        }
    }
    EXPECT_EQ(TempDrives::Read(N("ro.txt")), "r");
    EXPECT_EQ(TempDrives::Read(N("held.txt")), "h");
    EXPECT_EQ(TempDrives::Read(N("target.txt")), "t");
    EXPECT_EQ(TempDrives::Read(N("folder/inner.txt")), "i");
    if (!kWindows) {
        EXPECT_EQ(TempDrives::Read(N("rofolder/x.txt")), "x");
    }
    prim::CloseFile(held);
    EXPECT_TRUE(prim::DeleteFile(drives.P("C:\\held.txt")));
}

// Drive roots and folders holding drives are tried for real only where the
// drives are made up for the test; on Windows they would be the system's.
TEST(DeleteDirectory, DriveRootsAreProtectedInEverySpelling) {
    TempDrives drives;
    const char c = kWindows ? drives.Root()[0] : 'C';
    const char lower = static_cast<char>(c | 0x20);
    auto fs = prim::InstalledFileSystem();
    for (Text path : {Text(1, c) + ":", Text(1, c) + ":\\", Text(1, lower) + ":\\\\",
                      Text(1, c) + ":\\.\\", Text(1, lower) + ":/", Text(1, c) + ":/x/../."})
        EXPECT_TRUE(fs->IsProtectedFolder(path)) << path;
    EXPECT_FALSE(fs->IsProtectedFolder(drives.P("C:\\x")));
}

TEST(DeleteDirectory, RefusesEverySpellingOfADriveRoot) {
    if (kWindows)
        GTEST_SKIP() << "the roots would be the system's own";
    TempDrives drives;
    TempDrives::Write(drives.Native('C', "x/keep.txt"), "k");
    for (Text path : {"C:", "C:\\", "c:\\\\", "C:\\.\\", "C:\\x\\..", "  C:\\", "c:/", "C:/x/../.",
                      "", "   ", "\\", "..\\..", "Q:\\x"}) {
        EXPECT_FALSE(prim::DeleteDirectory(drives.P(path))) << path;
        EXPECT_EQ(TempDrives::Read(drives.Native('C', "x/keep.txt")), "k") << path;
    }
}

TEST(DeleteDirectory, RefusesAFolderHoldingAnotherDrive) {
    if (kWindows)
        GTEST_SKIP() << "drives cannot be nested in a test there";
    // Z: is the whole tree, C: a home folder inside it, D: a mount point.
    TempDrives drives({{{'Z', "."}, {'C', "home/u"}, {'D', "mnt/d"}}, "home/u/app"});
    TempDrives::Write(drives.Native('C', "keep.txt"), "c");
    TempDrives::Write(drives.Native('D', "keep.txt"), "d");
    TempDrives::Write(drives.Native('Z', "mnt/other/x.txt"), "x");
    for (Text path : {"Z:\\home", "Z:\\home\\u", "z:/home/u/", "Z:\\mnt", "Z:\\mnt\\d", "Z:\\",
                      "Z:\\mnt\\other\\..\\d"}) {
        EXPECT_FALSE(prim::DeleteDirectory(drives.P(path))) << path;
        EXPECT_EQ(TempDrives::Read(drives.Native('C', "keep.txt")), "c") << path;
        EXPECT_EQ(TempDrives::Read(drives.Native('D', "keep.txt")), "d") << path;
    }
    EXPECT_TRUE(prim::DeleteDirectory(drives.P("Z:\\mnt\\other")));
    EXPECT_FALSE(TempDrives::Exists(drives.Native('Z', "mnt/other")));
}

TEST(DeleteDirectory, KeepsWhatCannotGoAndItsAncestorsOnly) {
    TempDrives drives;
    auto N = [&](const char* p) { return drives.Native('C', p); };
    TempDrives::Write(N("t/a.txt"), "a");
    TempDrives::Write(N("t/.dot"), "d");
    TempDrives::Write(N("t/.git/config"), "g");
    TempDrives::Write(N("t/sub/deep/ro.txt"), "r");
    TempDrives::SetReadOnly(N("t/sub/deep/ro.txt"));
    TempDrives::Write(N("t/sub/deep/other.txt"), "o");
    TempDrives::Write(N("t/sub/sibling/s.txt"), "s");
    TempDrives::Write(N("t/held/h.txt"), "h");
    int held = prim::OpenFile(drives.P("C:\\t\\held\\h.txt"));
    ASSERT_NE(held, 0);

    EXPECT_FALSE(prim::DeleteDirectory(drives.P("C:\\t")));

    EXPECT_EQ(TempDrives::Read(N("t/sub/deep/ro.txt")), "r");
    EXPECT_EQ(TempDrives::Read(N("t/held/h.txt")), "h");
    for (const char* gone :
         {"t/a.txt", "t/.dot", "t/.git", "t/sub/deep/other.txt", "t/sub/sibling"})
        EXPECT_FALSE(TempDrives::Exists(N(gone))) << gone;
    prim::CloseFile(held);
    TempDrives::SetReadOnly(N("t/sub/deep/ro.txt"), false);
    EXPECT_TRUE(prim::DeleteDirectory(drives.P("C:\\t\\")));
    EXPECT_FALSE(TempDrives::Exists(N("t")));
}

TEST(DeleteDirectory, RemovesLinksNotWhatTheyPointTo) {
    TempDrives drives;
    auto N = [&](const char* p) { return drives.Native('C', p); };
    TempDrives::Write(N("outside/precious.txt"), "p");
    TempDrives::Write(N("single.txt"), "s");
    TempDrives::Write(N("t/x.txt"), "x");
    if (!Link(N("outside"), N("t/to-folder")))
        GTEST_SKIP() << "no links on this system";
    Link(N("single.txt"), N("t/to-file"));
    Link(N("nowhere"), N("t/dangling"));
    Link(N("outside"), N("folderlink"));

    EXPECT_TRUE(prim::DeleteDirectory(drives.P("C:\\t")));
    EXPECT_FALSE(TempDrives::Exists(N("t")));
    EXPECT_EQ(TempDrives::Read(N("outside/precious.txt")), "p");
    EXPECT_EQ(TempDrives::Read(N("single.txt")), "s");

    // A link given as the folder is not followed: nothing goes.
    EXPECT_FALSE(prim::DeleteDirectory(drives.P("C:\\folderlink")));
    EXPECT_FALSE(prim::DeleteDirectory(drives.P("C:\\folderlink\\")));
    EXPECT_TRUE(TempDrives::Exists(N("folderlink")));
    EXPECT_EQ(TempDrives::Read(N("outside/precious.txt")), "p");
}

TEST(DeleteDirectory, FailsOnWhatIsNotAFolder) {
    TempDrives drives;
    TempDrives::Write(drives.Native('C', "f.txt"), "f");
    EXPECT_FALSE(prim::DeleteDirectory(drives.P("C:\\f.txt")));
    EXPECT_FALSE(prim::DeleteDirectory(drives.P("C:\\missing")));
    EXPECT_EQ(TempDrives::Read(drives.Native('C', "f.txt")), "f");
}

}  // namespace
