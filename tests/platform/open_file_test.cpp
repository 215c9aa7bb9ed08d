// OpenFile, ReadAllText, WriteTextLine, CloseFile and the table of file numbers.
#include <gtest/gtest.h>

#include "primitives/files.h"
#include "support/temp_drives.h"

using prim::Text;
using testsupport::On;
using testsupport::TempDrives;

namespace {

TEST(OpenFile, RefusesWhatCannotBeOpenedForWriting) {
    TempDrives drives;
    TempDrives::Write(drives.Native('C', "ok.txt"), "ok");
    TempDrives::Write(drives.Native('C', "ro.txt"), "ro");
    TempDrives::SetReadOnly(drives.Native('C', "ro.txt"));
    TempDrives::MakeFolder(drives.Native('C', "folder"));
    struct Case {
        Text path;
        bool opens;
        On on = On::Both;
    } cases[] = {
        {"C:\\ok.txt", true},
        {"c:/OK.TXT", false, On::Posix},  // names are case-blind on Windows
        {"c:/OK.TXT", true, On::Windows},
        {"", false},
        {"C:\\missing.txt", false},
        {"C:\\folder", false},
        {"C:\\ro.txt", false},
        {"C:\\ok.txt\\x", false},
        {"C:\\ok.txt\\", false},
        {"Q:\\ok.txt", false},
        {"C:\\o*.txt", false},
    };
    for (const auto& c : cases) {
        if (!testsupport::Here(c.on))
            continue;
        int f = prim::OpenFile(drives.P(c.path));
        EXPECT_EQ(f != 0, c.opens) << c.path;
        prim::CloseFile(f);
    }
    EXPECT_EQ(TempDrives::Read(drives.Native('C', "ok.txt")), "ok");
    EXPECT_EQ(TempDrives::Read(drives.Native('C', "ro.txt")), "ro");
}

TEST(OpenFile, NumbersAreDistinctNonZeroAndReleased) {
    TempDrives drives;
    TempDrives::Write(drives.Native('C', "a.txt"), "alpha");
    int a = prim::OpenFile(drives.P("C:\\a.txt"));
    int b = prim::OpenFile(drives.P("C:\\a.txt"));
    ASSERT_NE(a, 0);
    ASSERT_NE(b, 0);
    EXPECT_NE(a, b);
    EXPECT_EQ(prim::ReadAllText(a), "alpha");
    EXPECT_EQ(prim::ReadAllText(b), "alpha");  // each number has its own position
    prim::CloseFile(a);
    EXPECT_EQ(prim::ReadAllText(a), "");
    EXPECT_FALSE(prim::WriteTextLine(a, "x"));
    prim::CloseAllFiles();
    EXPECT_FALSE(prim::WriteTextLine(b, "x"));
    EXPECT_EQ(TempDrives::Read(drives.Native('C', "a.txt")), "alpha");
}

TEST(OpenFile, ZeroAndUnknownNumbersAreNoFile) {
    TempDrives drives;
    TempDrives::Write(drives.Native('C', "a.txt"), "alpha");
    int f = prim::OpenFile(drives.P("C:\\a.txt"));
    for (int n : {0, f + 1000, -1}) {
        EXPECT_EQ(prim::ReadAllText(n), "");
        EXPECT_FALSE(prim::WriteTextLine(n, "x"));
        prim::CloseFile(n);
    }
    EXPECT_EQ(prim::ReadAllText(f), "alpha");  // untouched by the calls above
    prim::CloseFile(f);
    EXPECT_EQ(TempDrives::Read(drives.Native('C', "a.txt")), "alpha");
}

TEST(ReadAllText, StopsAtNulOr1AWithTwoByteStepping) {
    struct Case {
        std::string content;
        Text first;
        // After the first read a line "X" is written at the position.
        std::string afterWrite;
    } cases[] = {
        {"hello", "hello", "helloX\r\n"},
        {std::string("0123456789\0rest", 15), "0123456789", "0123456789X\r\nst"},
        {"ab\x1A"
         "cd",
         "ab", "abX\r\n"},
        {"\xB0\x1Axy", "\xB0\x1Axy", "\xB0\x1AxyX\r\n"},      // 0x1A as a trail byte is taken
        {std::string("ab\xB0\0cd", 6), "ab", "ab\xB0X\r\n"},  // lead + NUL: position on the NUL
        {"ab\xB0", "ab\xB0", "ab\xB0X\r\n"},
        {"", "", "X\r\n"},
        {"line1\r\n", "line1\r\n", "line1\r\nX\r\n"},
    };
    for (const auto& c : cases) {
        TempDrives drives;
        TempDrives::Write(drives.Native('C', "f.txt"), c.content);
        int f = prim::OpenFile(drives.P("C:\\f.txt"));
        ASSERT_NE(f, 0);
        EXPECT_EQ(prim::ReadAllText(f), c.first) << c.content;
        EXPECT_EQ(prim::ReadAllText(f), "") << "second read of " << c.content;
        EXPECT_TRUE(prim::WriteTextLine(f, "X"));
        prim::CloseFile(f);
        EXPECT_EQ(TempDrives::Read(drives.Native('C', "f.txt")), c.afterWrite) << c.content;
    }
}

TEST(WriteTextLine, WritesAtThePositionAndMovesPastTheLine) {
    TempDrives drives;
    TempDrives::Write(drives.Native('C', "f.txt"), "0123456789");
    int f = prim::OpenFile(drives.P("C:\\f.txt"));
    EXPECT_TRUE(prim::WriteTextLine(f, "ab"));  // overwrites at 0
    EXPECT_TRUE(prim::WriteTextLine(f, ""));    // a bare CR LF after it
    EXPECT_EQ(prim::ReadAllText(f), "6789");
    EXPECT_TRUE(prim::WriteTextLine(f, "end"));
    prim::CloseFile(f);
    EXPECT_EQ(TempDrives::Read(drives.Native('C', "f.txt")), "ab\r\n\r\n6789end\r\n");
}

TEST(WriteTextLine, FailedWriteLeavesFileAndPositionAsTheyWere) {
    struct Case {
        std::string content;
        bool readFirst;  // position at the end, or at 0
        std::string line;
    } cases[] = {
        {std::string(20, 'a'), true, "0123456789"},
        {std::string(20, 'a'), false, std::string(40, 'z')},
    };
    if (!testsupport::FileSizeLimit::Active())
        GTEST_SKIP() << "no file size limit here";
    for (const auto& c : cases) {
        TempDrives drives;
        const std::string native = drives.Native('C', "f.txt");
        TempDrives::Write(native, c.content);
        int f = prim::OpenFile(drives.P("C:\\f.txt"));
        ASSERT_NE(f, 0);
        if (c.readFirst)
            prim::ReadAllText(f);
        {
            testsupport::FileSizeLimit limit(25);
            EXPECT_FALSE(prim::WriteTextLine(f, c.line));
        }
        EXPECT_EQ(TempDrives::Read(native), c.content);
        // The position is where it was: a read from it gives what followed it.
        EXPECT_EQ(prim::ReadAllText(f), c.readFirst ? "" : c.content);
        prim::CloseFile(f);
    }
}

}  // namespace
