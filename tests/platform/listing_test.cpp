// The find-first / find-next listing.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "primitives/codepage.h"
#include "primitives/files.h"
#include "primitives/listing.h"
#include "support/temp_drives.h"

using prim::Text;
using testsupport::kWindows;
using testsupport::TempDrives;

namespace {

std::map<Text, int> List(const Text& pattern, int neededBits = 0) {
    std::map<Text, int> out;
    auto listing = prim::StartListing(pattern);
    if (!listing)
        return out;
    prim::ListedEntry e;
    while (listing->Next(e, neededBits)) {
        // Whether a dot name is hidden is the system's choice on Windows (wine
        // hides them, Windows does not); only POSIX promises it.
        if (kWindows && e.name.size() > 2 && e.name[0] == '.')
            e.attributes &= ~prim::kAttrHidden;
        out[e.name] = e.attributes;
    }
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
        // Some systems cannot make links (wine), none but POSIX makes pipes here.
        haveLink = TempDrives::Link(drives.Native('C', "outside"), drives.Native('C', "dir/link"));
        if (!kWindows) {
            ASSERT_TRUE(haveLink);
        }
        if (!kWindows) {
            ASSERT_TRUE(TempDrives::MakePipe(drives.Native('C', "dir/pipe")));
        }
        TempDrives::Write(drives.Native('C', "dir/ro"), "r");
        TempDrives::SetReadOnly(drives.Native('C', "dir/ro"));
    }
    // Leaves out what this system could not make.
    template <class C>
    C Made(C c) const {
        if (!haveLink)
            c.erase("link");
        if (kWindows)
            c.erase("pipe");
        return c;
    }
    TempDrives drives;
    bool haveLink = false;
};

TEST_F(Listing, EveryEntryWithItsBits) {
    const std::map<Text, int> expected = Made(std::map<Text, int>{
        {".", 16},
        {"..", 16},
        {"a.txt", 32},
        {"B.TXT", 32},
        {"c.txtx", 32},
        {"noext", 32},
        {".hidden", kWindows ? 32 : 34},  // hidden is an attribute there, not a dot
        {"sub.txt", 16},
        {"link", 0},
        {"pipe", 4},
        {"ro", 33},
    });
    EXPECT_EQ(List(drives.P("C:\\dir\\*.*"), prim::kAttrReadOnly), expected);
    EXPECT_EQ(List(drives.P("c:/dir/*"), prim::kAttrReadOnly), expected);
}

TEST_F(Listing, DotsComeFirstAndNotInADriveRoot) {
    auto listing = prim::StartListing(drives.P("C:\\dir\\*"));
    ASSERT_NE(listing, nullptr);
    prim::ListedEntry e;
    ASSERT_TRUE(listing->Next(e, 0));
    EXPECT_EQ(e.name, ".");
    ASSERT_TRUE(listing->Next(e, 0));
    EXPECT_EQ(e.name, "..");
    // Windows: the real drive the temporary folder is on.
    auto root = List(kWindows ? drives.Root().substr(0, 3) + "*.*" : Text("C:\\*.*"));
    EXPECT_FALSE(root.empty());
    EXPECT_EQ(root.count("."), 0u);
    EXPECT_EQ(root.count(".."), 0u);
    if (!kWindows) {
        EXPECT_EQ(root.count("dir"), 1u);
    }
}

TEST_F(Listing, PatternsSelect) {
    auto names = [&](const Text& pattern) {
        std::set<Text> out;
        for (const auto& [name, bits] : List(drives.P(pattern)))
            out.insert(name);
        return out;
    };
    using V = std::set<Text>;
    EXPECT_EQ(names("C:\\dir\\*.txt"), (V{"B.TXT", "a.txt", "sub.txt"}));
    EXPECT_EQ(names("C:\\dir\\*."), Made(V{".", "..", "link", "noext", "pipe", "ro"}));
    EXPECT_EQ(names("C:\\dir\\?.txt"), (V{"B.TXT", "a.txt"}));
    EXPECT_EQ(names("C:\\dir\\a.txt"), (V{"a.txt"}));
}

TEST_F(Listing, NullWhenNothingCanBeListed) {
    using testsupport::On;
    const std::pair<Text, On> patterns[] = {
        {"C:\\dir\\*.zzz", On::Both},
        {"C:\\missing\\*.*", On::Both},
        {"C:\\dir\\a.txt\\*.*", On::Both},
        {"C:\\dir\\", On::Both},
        {"C:\\", On::Both},
        {"Q:\\*.*", On::Both},
        {"C:\\dir\\nothing", On::Both},
        {"D:\\*.*", On::Posix},  // an empty drive root; on Windows D: is a folder with "."
    };
    for (const auto& [pattern, on] : patterns)
        if (testsupport::Here(on)) {
            EXPECT_EQ(prim::StartListing(drives.P(pattern)), nullptr) << pattern;
        }
}

}  // namespace

namespace {

// Two listings of one folder in a row may share one read of it; a change made
// in between must show all the same, whether the folder was quiet before or not.
TEST(ListingReuse, AChangeBetweenTwoListingsIsSeen) {
    TempDrives drives;
    TempDrives::Write(drives.Native('C', "quiet/a.txt"), "a");
    TempDrives::Write(drives.Native('C', "busy/a.txt"), "a");
    TempDrives::SleepMs(120);  // "quiet" has not changed for a while
    for (const char* folder : {"quiet", "busy"}) {
        const Text pattern = drives.P(Text("C:\\") + folder + "\\*.*");
        if (Text(folder) == "busy")
            TempDrives::Write(drives.Native('C', "busy/b.txt"), "b");
        EXPECT_EQ(List(pattern).count("new.txt"), 0u) << folder;
        TempDrives::Write(drives.Native('C', std::string(folder) + "/new.txt"), "n");
        EXPECT_EQ(List(pattern).count("new.txt"), 1u) << folder;
        ASSERT_TRUE(TempDrives::Remove(drives.Native('C', std::string(folder) + "/a.txt")));
        EXPECT_EQ(List(pattern).count("a.txt"), 0u) << folder;
    }
}

}  // namespace
