// MoveFile: rename without replacing, then a replacing copy and a delete.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "primitives/files.h"
#include "support/temp_drives.h"

using prim::Text;
using testsupport::kWindows;
using testsupport::On;
using testsupport::TempDrives;

namespace {

using Contents = std::vector<std::pair<const char*, std::optional<std::string>>>;

struct MoveCase {
    const char* what;
    std::function<void(TempDrives&)> setUp;
    Text from, to;
    bool result;
    Contents after;  // native paths under C: and what they hold (nullopt: absent)
    On on = On::Both;
};

bool Absent(const std::string& native) {
    return !TempDrives::Exists(native);
}

void Check(TempDrives& d, const MoveCase& c) {
    for (const auto& [path, content] : c.after) {
        if (content) {
            EXPECT_EQ(TempDrives::Read(d.Native('C', path)), *content) << c.what << ": " << path;
        } else
            EXPECT_TRUE(Absent(d.Native('C', path))) << c.what << ": " << path;
    }
}

void Src(TempDrives& d) {
    TempDrives::Write(d.Native('C', "src.txt"), "source");
}
void SrcAndTarget(TempDrives& d) {
    Src(d);
    TempDrives::Write(d.Native('C', "dst/t.txt"), "old target");
}

TEST(MoveFile, Cases) {
    const MoveCase cases[] = {
        {"rename",
         Src,
         "C:\\src.txt",
         "C:\\new.txt",
         true,
         {{"src.txt", std::nullopt}, {"new.txt", "source"}}},
        {"into another folder",
         SrcAndTarget,
         "C:\\src.txt",
         "C:\\dst\\n.txt",
         true,
         {{"src.txt", std::nullopt}, {"dst/n.txt", "source"}, {"dst/t.txt", "old target"}}},
        {"onto an existing target",
         SrcAndTarget,
         "C:\\src.txt",
         "C:\\dst\\t.txt",
         true,
         {{"src.txt", std::nullopt}, {"dst/t.txt", "source"}}},
        {"read-only source onto a target",
         [](TempDrives& d) {
             SrcAndTarget(d);
             TempDrives::SetReadOnly(d.Native('C', "src.txt"));
         },
         "C:\\src.txt",
         "C:\\dst\\t.txt",
         true,
         {{"src.txt", "source"}, {"dst/t.txt", "source"}}},
        {"read-only target",
         [](TempDrives& d) {
             SrcAndTarget(d);
             TempDrives::SetReadOnly(d.Native('C', "dst/t.txt"));
         },
         "C:\\src.txt",
         "C:\\dst\\t.txt",
         false,
         {{"src.txt", "source"}, {"dst/t.txt", "old target"}}},
        {"same file, other spelling",
         Src,
         "C:\\src.txt",
         "c:/dst/../src.txt",
         false,
         {{"src.txt", "source"}}},
        {"onto its hard link",
         [](TempDrives& d) {
             Src(d);
             TempDrives::HardLink(d.Native('C', "src.txt"), d.Native('C', "hard.txt"));
         },
         "C:\\src.txt",
         "C:\\hard.txt",
         false,
         {{"src.txt", "source"}, {"hard.txt", "source"}}},
        {"onto a link to itself",
         [](TempDrives& d) {
             Src(d);
             TempDrives::Link(d.Native('C', "src.txt"), d.Native('C', "soft.txt"));
         },
         "C:\\src.txt",
         "C:\\soft.txt",
         false,
         {{"src.txt", "source"}, {"soft.txt", "source"}},
         On::Posix},
        {"a link onto what it points to",
         [](TempDrives& d) {
             Src(d);
             TempDrives::Link(d.Native('C', "src.txt"), d.Native('C', "soft.txt"));
         },
         "C:\\soft.txt",
         "C:\\src.txt",
         false,
         {{"src.txt", "source"}, {"soft.txt", "source"}},
         On::Posix},
        {"onto a folder",
         [](TempDrives& d) {
             Src(d);
             TempDrives::Write(d.Native('C', "dst/inner.txt"), "inner");
         },
         "C:\\src.txt",
         "C:\\dst",
         false,
         {{"src.txt", "source"}, {"dst/inner.txt", "inner"}}},
        {"missing source", nullptr, "C:\\none.txt", "C:\\n.txt", false, {{"n.txt", std::nullopt}}},
        {"target under a regular file",
         SrcAndTarget,
         "C:\\src.txt",
         "C:\\dst\\t.txt\\x",
         false,
         {{"src.txt", "source"}, {"dst/t.txt", "old target"}}},
        {"target folder missing",
         Src,
         "C:\\src.txt",
         "C:\\none\\n.txt",
         false,
         {{"src.txt", "source"}, {"none", std::nullopt}}},
        {"folder renamed",
         [](TempDrives& d) { TempDrives::Write(d.Native('C', "f/x.txt"), "x"); },
         "C:\\f",
         "C:\\g",
         true,
         {{"f", std::nullopt}, {"g/x.txt", "x"}}},
        {"folder onto an existing folder",
         [](TempDrives& d) {
             TempDrives::Write(d.Native('C', "f/x.txt"), "x");
             TempDrives::MakeFolder(d.Native('C', "g"));
         },
         "C:\\f",
         "C:\\g",
         false,
         {{"f/x.txt", "x"}, {"g/x.txt", std::nullopt}}},
        {"folder into itself",
         [](TempDrives& d) { TempDrives::Write(d.Native('C', "f/sub/x.txt"), "x"); },
         "C:\\f",
         "C:\\f\\sub\\f",
         false,
         {{"f/sub/x.txt", "x"}, {"f/sub/f", std::nullopt}}},
        {"folder onto itself",
         [](TempDrives& d) { TempDrives::Write(d.Native('C', "f/x.txt"), "x"); },
         "C:\\f",
         "C:\\f",
         false,
         {{"f/x.txt", "x"}}},
        // Only POSIX tests have a drive root of their own to try.
        {"drive root", Src, "C:\\", "D:\\moved", false, {{"src.txt", "source"}}, On::Posix},
        {"empty target", Src, "C:\\src.txt", "", false, {{"src.txt", "source"}}},
    };
    for (const auto& c : cases) {
        if (!testsupport::Here(c.on))
            continue;
        TempDrives drives;
        if (c.setUp)
            c.setUp(drives);
        EXPECT_EQ(prim::MoveFile(drives.P(c.from), drives.P(c.to)), c.result) << c.what;
        Check(drives, c);
        EXPECT_FALSE(TempDrives::Exists(drives.Native('D', "moved"))) << c.what;
    }
}

TEST(MoveFile, FolderHoldingADriveStaysPut) {
    if (kWindows)
        GTEST_SKIP() << "drives cannot be nested in a test there";
    TempDrives drives({{{'Z', "."}, {'C', "home/u"}}, "home/u"});
    TempDrives::Write(drives.Native('C', "keep.txt"), "k");
    EXPECT_FALSE(prim::MoveFile(drives.P("Z:\\home"), drives.P("Z:\\elsewhere")));
    EXPECT_EQ(TempDrives::Read(drives.Native('C', "keep.txt")), "k");
}

TEST(MoveFile, FailedCopyLeavesTargetAndSource) {
    TempDrives drives;
    const std::string src = drives.Native('C', "src.txt"), dst = drives.Native('C', "dst/t.txt");
    TempDrives::Write(src, std::string(100, 's'));
    TempDrives::Write(dst, "old target");
    if (!testsupport::FileSizeLimit::Active())
        GTEST_SKIP() << "no file size limit here";
    bool moved;
    {
        testsupport::FileSizeLimit limit(50);  // the copy fails half-way
        moved = prim::MoveFile(drives.P("C:\\src.txt"), drives.P("C:\\dst\\t.txt"));
    }
    EXPECT_FALSE(moved);
    EXPECT_EQ(TempDrives::Read(src), std::string(100, 's'));
    EXPECT_EQ(TempDrives::Read(dst), "old target");
    // No temporary file is left beside the target.
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(drives.Native('C', "dst")))
        ++entries;
    EXPECT_EQ(entries, 1);
}

}  // namespace
