// The find-first / find-next listing.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <map>

#include "primitives/codepage.h"
#include "primitives/files.h"
#include "primitives/listing.h"
#include "support/temp_drives.h"

using prim::Text;
using testsupport::TempDrives;

namespace {

std::map<Text, int> List(const Text& pattern, int neededBits = 0) {
    std::map<Text, int> out;
    auto listing = prim::StartListing(pattern);
    if (!listing) return out;
    prim::ListedEntry e;
    while (listing->Next(e, neededBits)) out[e.name] = e.attributes;
    return out;
}

class Listing : public ::testing::Test {
protected:
    void SetUp() override {
        TempDrives::Write(drives.Native('C', "dir/a.txt"), "a");
        TempDrives::Write(drives.Native('C', "dir/B.TXT"), "b");
        TempDrives::Write(drives.Native('C', "dir/c.txtx"), "c");
        TempDrives::Write(drives.Native('C', "dir/noext"), "n");
        TempDrives::Write(drives.Native('C', "dir/.hidden"), "h");
        TempDrives::MakeFolder(drives.Native('C', "dir/sub.txt"));
        TempDrives::MakeFolder(drives.Native('C', "outside"));
        ASSERT_EQ(symlink(drives.Native('C', "outside").c_str(),
                          drives.Native('C', "dir/link").c_str()),
                  0);
        ASSERT_EQ(mkfifo(drives.Native('C', "dir/pipe").c_str(), 0600), 0);
        TempDrives::Write(drives.Native('C', "dir/ro"), "r");
        chmod(drives.Native('C', "dir/ro").c_str(), 0444);
    }
    TempDrives drives;
};

TEST_F(Listing, EveryEntryWithItsBits) {
    std::map<Text, int> expected = {
        {".", 16},      {"..", 16},   {"a.txt", 32}, {"B.TXT", 32},  {"c.txtx", 32},
        {"noext", 32},  {".hidden", 34}, {"sub.txt", 16}, {"link", 0}, {"pipe", 4},
        {"ro", 33},
    };
    EXPECT_EQ(List("C:\\dir\\*.*", prim::kAttrReadOnly), expected);
    EXPECT_EQ(List("c:/dir/*", prim::kAttrReadOnly), expected);
}

TEST_F(Listing, DotsComeFirstAndNotInADriveRoot) {
    auto listing = prim::StartListing("C:\\dir\\*");
    ASSERT_NE(listing, nullptr);
    prim::ListedEntry e;
    ASSERT_TRUE(listing->Next(e, 0));
    EXPECT_EQ(e.name, ".");
    ASSERT_TRUE(listing->Next(e, 0));
    EXPECT_EQ(e.name, "..");
    auto root = List("C:\\*.*");
    EXPECT_EQ(root.count("."), 0u);
    EXPECT_EQ(root.count(".."), 0u);
    EXPECT_EQ(root.count("dir"), 1u);
}

TEST_F(Listing, PatternsSelect) {
    auto names = [&](const Text& pattern) {
        std::vector<Text> out;
        for (const auto& [name, bits] : List(pattern)) out.push_back(name);
        return out;
    };
    using V = std::vector<Text>;
    EXPECT_EQ(names("C:\\dir\\*.txt"), (V{"B.TXT", "a.txt", "sub.txt"}));
    EXPECT_EQ(names("C:\\dir\\*."), (V{".", "..", "link", "noext", "pipe", "ro"}));
    EXPECT_EQ(names("C:\\dir\\?.txt"), (V{"B.TXT", "a.txt"}));
    EXPECT_EQ(names("C:\\dir\\a.txt"), (V{"a.txt"}));
}

TEST_F(Listing, NullWhenNothingCanBeListed) {
    for (Text pattern : {"C:\\dir\\*.zzz", "C:\\missing\\*.*", "C:\\dir\\a.txt\\*.*",
                         "C:\\dir\\", "C:\\", "Q:\\*.*", "C:\\dir\\nothing", "D:\\*.*"})
        EXPECT_EQ(prim::StartListing(pattern), nullptr) << pattern;
}

}  // namespace

namespace {

// Two listings of one folder in a row may share one read of it; a change made
// in between must show all the same, whether the folder was quiet before or not.
TEST(ListingReuse, AChangeBetweenTwoListingsIsSeen) {
    TempDrives drives;
    TempDrives::Write(drives.Native('C', "quiet/a.txt"), "a");
    TempDrives::Write(drives.Native('C', "busy/a.txt"), "a");
    usleep(120 * 1000);  // "quiet" has not changed for a while
    for (const char* folder : {"quiet", "busy"}) {
        const Text pattern = Text("C:\\") + folder + "\\*.*";
        if (Text(folder) == "busy") TempDrives::Write(drives.Native('C', "busy/b.txt"), "b");
        EXPECT_EQ(List(pattern).count("new.txt"), 0u) << folder;
        TempDrives::Write(drives.Native('C', std::string(folder) + "/new.txt"), "n");
        EXPECT_EQ(List(pattern).count("new.txt"), 1u) << folder;
        ASSERT_EQ(unlink(drives.Native('C', std::string(folder) + "/a.txt").c_str()), 0);
        EXPECT_EQ(List(pattern).count("a.txt"), 0u) << folder;
    }
}

}  // namespace
