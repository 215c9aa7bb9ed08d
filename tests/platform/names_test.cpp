// Names that are not plain ASCII go through every operation by their Text and
// reach exactly their own file.
#include <gtest/gtest.h>

#include <map>

#include "primitives/codepage.h"
#include "primitives/files.h"
#include "primitives/listing.h"
#include "support/temp_drives.h"

using prim::Text;
using testsupport::TempDrives;

namespace {

TEST(Names, EveryNameRoundTripsThroughItsText) {
    TempDrives drives;
    // Native name -> distinct content.
    const std::map<std::string, std::string> files = {
        {"中文名.txt", "chinese"},        {"日本語のファイル.txt", "japanese"},
        {"😀 emoji.txt", "emoji"},         {"bad\xFF\xC0name.txt", "invalid utf-8"},
        {"back\\slash.txt", "backslash"}, {"誠.txt", "trail byte 5C"},
    };
    for (const auto& [name, content] : files)
        TempDrives::Write(drives.Native('C', "n/" + name), content);
    // Decoys that a "\" read as a separator would reach.
    TempDrives::Write(drives.Native('C', "n/back/slash.txt"), "decoy");
    TempDrives::Write(drives.Native('C', "n/slash.txt"), "decoy 2");

    std::map<Text, int> listed;
    auto listing = prim::StartListing("C:\\n\\*.txt");
    ASSERT_NE(listing, nullptr);
    prim::ListedEntry e;
    while (listing->Next(e, prim::kAttrReadOnly))
        listed[e.name] = e.attributes;
    listing.reset();
    ASSERT_EQ(listed.size(), files.size() + 1);  // and slash.txt

    std::map<std::string, std::string> seen;
    for (const auto& [text, bits] : listed) {
        const std::string native = prim::TextToUtf8(text);
        if (native == "slash.txt")
            continue;
        ASSERT_EQ(files.count(native), 1u) << native;
        const std::string& content = files.at(native);
        EXPECT_EQ(bits, prim::kAttrArchive) << native;
        const Text path = "C:\\n\\" + text;
        EXPECT_TRUE(prim::FileExists(path)) << native;
        EXPECT_EQ(prim::GetFileSize(path), static_cast<int>(content.size())) << native;
        int f = prim::OpenFile(path);
        ASSERT_NE(f, 0) << native;
        EXPECT_EQ(prim::ReadAllText(f), content) << native;
        prim::CloseFile(f);
        const Text moved = "D:\\" + text;
        EXPECT_TRUE(prim::MoveFile(path, moved)) << native;
        EXPECT_FALSE(TempDrives::Exists(drives.Native('C', "n/" + native))) << native;
        EXPECT_EQ(TempDrives::Read(drives.Native('D', native)), content) << native;
        EXPECT_TRUE(prim::DeleteFile(moved)) << native;
        EXPECT_FALSE(TempDrives::Exists(drives.Native('D', native))) << native;
        seen[native] = content;
    }
    EXPECT_EQ(seen, files);
    EXPECT_EQ(TempDrives::Read(drives.Native('C', "n/back/slash.txt")), "decoy");
    EXPECT_EQ(TempDrives::Read(drives.Native('C', "n/slash.txt")), "decoy 2");
    EXPECT_TRUE(prim::DeleteDirectory("C:\\n\\back"));
    EXPECT_EQ(TempDrives::Read(drives.Native('C', "n/slash.txt")), "decoy 2");
}

TEST(Names, FolderWithAnOddNameIsDeletedByItsText) {
    TempDrives drives;
    TempDrives::Write(drives.Native('C', "a\\b/x.txt"), "inside");
    TempDrives::Write(drives.Native('C', "a/b/x.txt"), "decoy");
    const Text name = prim::DrivePathFromNative(drives.Native('C', "a\\b"));
    EXPECT_TRUE(prim::DeleteDirectory(name));
    EXPECT_FALSE(TempDrives::Exists(drives.Native('C', "a\\b")));
    EXPECT_EQ(TempDrives::Read(drives.Native('C', "a/b/x.txt")), "decoy");
}

}  // namespace
