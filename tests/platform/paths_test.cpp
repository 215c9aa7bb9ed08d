// Translation of drive paths to native paths and back.
#include <gtest/gtest.h>

#include "primitives/codepage.h"
#include "primitives/drives.h"
#include "primitives/file_system.h"
#include "primitives/files.h"
#include "support/temp_drives.h"

using prim::Text;
using prim::U8;
using testsupport::TempDrives;

namespace {

TEST(Paths, DrivePathsNameNativeFolders) {
    TempDrives drives;  // current directory C:\app
    const std::string r = drives.Root();
    struct Case {
        Text path;
        std::string native;  // "" = names nothing
    } cases[] = {
        {"C:\\a\\b.txt", r + "/C/a/b.txt"},
        {"c:/a/b.txt", r + "/C/a/b.txt"},
        {"C:\\\\a//\\b", r + "/C/a/b"},
        {"C:\\a\\.\\b\\..\\c", r + "/C/a/c"},
        {"C:\\..\\..\\x", r + "/C/x"},
        {"C:\\", r + "/C"},
        {"C:", r + "/C/app"},
        {"C:x.txt", r + "/C/app/x.txt"},
        {"D:x.txt", r + "/D/x.txt"},
        {"d:\\", r + "/D"},
        {"x.txt", r + "/C/app/x.txt"},
        {"..\\x.txt", r + "/C/x.txt"},
        {"\\x.txt", r + "/C/x.txt"},
        {"/x.txt", r + "/C/x.txt"},
        {"C:\\a\\b\\", r + "/C/a/b"},
        {U8("C:\\中文\\誠.txt"), r + "/C/中文/誠.txt"},
        {"E:\\x", ""},
        {"\\\\server\\share\\x", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(prim::NativePathFromDrivePath(c.path), c.native) << c.path;
}

TEST(Paths, SeparatorBytesInsideCharactersAndNamesDoNotSplit) {
    TempDrives drives;
    // 誠 is D5 5C: its second byte is the code of "\".
    Text two = U8("誠");
    ASSERT_EQ(two, "\xD5\x5C");
    EXPECT_EQ(prim::NativePathFromDrivePath("C:\\" + two + "\\x"), drives.Native('C', "誠/x"));
    // A "\" inside a name on disk comes back escaped and goes out as the same byte.
    Text escaped = prim::Utf8ToText("a\\b", true);
    EXPECT_EQ(prim::NativePathFromDrivePath("C:\\" + escaped), drives.Native('C', "a\\b"));
    // An undecodable byte goes out as itself.
    EXPECT_EQ(prim::NativePathFromDrivePath("C:\\" + prim::Utf8ToText("\xFF", false)),
              drives.Native('C', "\xFF"));
    // Escapes that would spell "/" or ".." name nothing rather than another entry.
    const Text slash = prim::Utf16ToText(u"\xDC2F"), dot = prim::Utf16ToText(u"\xDC2E");
    EXPECT_EQ(prim::NativePathFromDrivePath("C:\\a" + slash + "b"), "");
    EXPECT_EQ(prim::NativePathFromDrivePath("C:\\a\\" + dot + dot + "\\b"), "");
}

TEST(Paths, NativePathsMapBackByLongestRoot) {
    TempDrives drives({{{'Z', "."}, {'C', "home/u"}, {'D', "mnt/d"}}, "home/u/app"});
    const std::string r = drives.Root();
    struct Case {
        std::string native;
        Text path;
    } cases[] = {
        {r + "/home/u/a.txt", "C:\\a.txt"},
        {r + "/home/u", "C:\\"},
        {r + "/home/u/", "C:\\"},
        {r + "/home/other", "Z:\\home\\other"},
        {r + "/home/uu", "Z:\\home\\uu"},
        {r + "/mnt/d/x/../y", "D:\\y"},
        {r, "Z:\\"},
        {"/somewhere/else", ""},
        {"relative/path", ""},
        {r + "/home/u/" + "\xE4\xB8\xAD", U8("C:\\中")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(prim::DrivePathFromNative(c.native), c.path) << c.native;
}

TEST(Paths, OddNamesRoundTrip) {
    TempDrives drives;
    for (std::string name : {"a\\b", "bad\xFF\xFE", "中文", "😀", "x.", " lead"}) {
        std::string native = drives.Native('D', name);
        Text path = prim::DrivePathFromNative(native);
        EXPECT_EQ(prim::NativePathFromDrivePath(path), native) << name;
        EXPECT_EQ(path.find('\\', 3), Text::npos) << "one component for " << name;
    }
}

TEST(Paths, RunAndCurrentDirectory) {
    {
        TempDrives drives;
        EXPECT_EQ(prim::RunDirectory(), "C:\\app");
        EXPECT_EQ(prim::CurrentDirectory(), "C:\\app");
        EXPECT_EQ(prim::CurrentDriveLetter(), 'C');
        // A data-file path joined with "/" reads as a path in that folder.
        TempDrives::Write(drives.Native('C', "app/data.txt"), "x");
        EXPECT_TRUE(prim::FileExists(prim::RunDirectory() + "/data.txt"));
    }
    {
        TempDrives drives({{{'C', ""}, {'D', ""}}, "D"});
        EXPECT_EQ(prim::RunDirectory(), "D:");
        EXPECT_EQ(prim::CurrentDriveLetter(), 'D');
        TempDrives::Write(drives.Native('D', "data.txt"), "x");
        EXPECT_EQ(prim::RunDirectory() + "/data.txt", "D:/data.txt");
        EXPECT_TRUE(prim::FileExists(prim::RunDirectory() + "/data.txt"));
    }
}

TEST(Paths, DrivesAreListedInLetterOrder) {
    TempDrives drives({{{'E', "", prim::DriveType::CdRom, U8("光盘")},
                        {'c', ""},
                        {'D', "", prim::DriveType::Network, "share"},
                        {'C', "again"}},
                       "C"});
    auto list = prim::Drives();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].letter, 'C');
    EXPECT_EQ(list[1].letter, 'D');
    EXPECT_EQ(list[1].type, prim::DriveType::Network);
    EXPECT_EQ(list[1].label, "share");
    EXPECT_EQ(list[2].letter, 'E');
    EXPECT_EQ(list[2].type, prim::DriveType::CdRom);
    EXPECT_EQ(list[2].label, U8("光盘"));
    // The letter given twice keeps its first root.
    EXPECT_EQ(prim::NativePathFromDrivePath("C:\\"), drives.Root() + "/c");
}

TEST(Paths, NothingWorksWithoutABackend) {
    prim::InstallFileSystem(nullptr);
    EXPECT_TRUE(prim::Drives().empty());
    EXPECT_EQ(prim::RunDirectory(), "");
    EXPECT_FALSE(prim::FileExists("C:\\x"));
    EXPECT_EQ(prim::OpenFile("C:\\x"), 0);
    EXPECT_EQ(prim::GetFileSize("C:\\x"), -1);
    EXPECT_EQ(prim::StartListing("C:\\*.*"), nullptr);
}

}  // namespace
