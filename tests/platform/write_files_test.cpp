// WriteFileBytes and CreateNewFileBytes.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "primitives/codepage.h"
#include "primitives/files.h"
#include "support/temp_drives.h"

using prim::Text;
using testsupport::On;
using testsupport::TempDrives;

namespace {

struct WriteCase {
    const char* what;
    std::function<void(TempDrives&)> setUp;
    Text path;
    bool result;
    // What the native path "C/<name>" holds afterwards; nullopt: nothing readable.
    const char* name;
    std::optional<std::string> after;
    On on = On::Both;
};

void RunCase(const WriteCase& c, bool createNew) {
    if (!testsupport::Here(c.on))
        return;
    TempDrives drives;
    if (c.setUp)
        c.setUp(drives);
    int held = prim::OpenFile(drives.P("C:\\held.txt"));  // a file in use, when there is one
    bool ok = createNew ? prim::CreateNewFileBytes(drives.P(c.path), "new")
                        : prim::WriteFileBytes(drives.P(c.path), "new");
    EXPECT_EQ(ok, c.result) << c.what;
    EXPECT_EQ(TempDrives::Read(drives.Native('C', c.name)), c.after) << c.what;
    prim::CloseFile(held);
}

void Existing(TempDrives& d) {
    TempDrives::Write(d.Native('C', "f.txt"), "old and longer");
}
void ReadOnly(TempDrives& d) {
    Existing(d);
    TempDrives::SetReadOnly(d.Native('C', "f.txt"));
}
void Folder(TempDrives& d) {
    TempDrives::Write(d.Native('C', "f.txt/inner"), "kept");
}
void Held(TempDrives& d) {
    TempDrives::Write(d.Native('C', "held.txt"), "held");
}
void Dangling(TempDrives& d) {
    ASSERT_TRUE(TempDrives::Link(d.Native('C', "target.txt"), d.Native('C', "f.txt")));
}
void ReadOnlyFolder(TempDrives& d) {
    TempDrives::MakeFolder(d.Native('C', "ro"));
    TempDrives::SetReadOnly(d.Native('C', "ro"));
}

TEST(WriteFileBytes, CreatesOrEmptiesOrRefuses) {
    const WriteCase cases[] = {
        {"new file", nullptr, "C:\\f.txt", true, "f.txt", "new"},
        {"longer file", Existing, "C:\\f.txt", true, "f.txt", "new"},
        {"read-only file", ReadOnly, "C:\\f.txt", false, "f.txt", "old and longer"},
        {"name taken by a folder", Folder, "C:\\f.txt", false, "f.txt/inner", "kept"},
        {"missing folder", nullptr, "C:\\no\\f.txt", false, "no/f.txt", std::nullopt},
        {"under a regular file", Existing, "C:\\f.txt\\x", false, "f.txt", "old and longer"},
        {"trailing separator", nullptr, "C:\\f.txt\\", false, "f.txt", std::nullopt},
        {"empty path", nullptr, "", false, "app", std::nullopt},
        {"file in use", Held, "C:\\held.txt", false, "held.txt", "held"},
        // A read-only folder still takes new files on Windows; links need rights there.
        {"read-only folder", ReadOnlyFolder, "C:\\ro\\f.txt", false, "ro/f.txt", std::nullopt,
         On::Posix},
        {"dangling link", Dangling, "C:\\f.txt", false, "target.txt", std::nullopt, On::Posix},
    };
    for (const auto& c : cases)
        RunCase(c, false);
}

TEST(WriteFileBytes, EmptyBlockLeavesAnEmptyFile) {
    TempDrives drives;
    Existing(drives);
    EXPECT_TRUE(prim::WriteFileBytes(drives.P("C:\\f.txt"), ""));
    EXPECT_EQ(TempDrives::Read(drives.Native('C', "f.txt")), "");
    EXPECT_TRUE(
        prim::WriteFileBytes(drives.P(prim::U8("D:\\测试文件.txt")), std::string("a\0b", 3)));
    EXPECT_EQ(TempDrives::Read(drives.Native('D', "测试文件.txt")), std::string("a\0b", 3));
}

TEST(CreateNewFileBytes, NeverTouchesAnExistingName) {
    const WriteCase cases[] = {
        {"new file", nullptr, "C:\\f.txt", true, "f.txt", "new"},
        {"existing file", Existing, "C:\\f.txt", false, "f.txt", "old and longer"},
        {"read-only file", ReadOnly, "C:\\f.txt", false, "f.txt", "old and longer"},
        {"folder", Folder, "C:\\f.txt", false, "f.txt/inner", "kept"},
        {"dangling link", Dangling, "C:\\f.txt", false, "target.txt", std::nullopt, On::Posix},
        {"missing folder", nullptr, "C:\\no\\f.txt", false, "no/f.txt", std::nullopt},
        {"read-only folder", ReadOnlyFolder, "C:\\ro\\f.txt", false, "ro/f.txt", std::nullopt,
         On::Posix},
    };
    for (const auto& c : cases)
        RunCase(c, true);
}

}  // namespace
