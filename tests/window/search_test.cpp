// The search: the extension check, the walker's results and order, the probe,
// stopping, and closing the window mid-search.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>

#include "app/window_ops.h"
#include "primitives/codepage.h"
#include "primitives/files.h"
#include "window_fixture.h"

namespace windowtest {
namespace {

using testsupport::TempDrives;

class SearchTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Start();
    }
    std::string List() { return Drives().Native('C', "app/后缀名列表.txt"); }
    void ByType(const char* extension) {
        Click("单选框搜后缀");
        Find<QComboBox>("组合框1")->setEditText(QString::fromUtf8(extension));
    }
    void InFolder(const Text& folder) {
        if (!W().选择框指定位置->Checked())
            Click("选择框指定位置");
        W().目录框1->SetDirectory(folder);
    }
    std::vector<Text> Results() {
        std::vector<Text> out;
        for (int i = 0; i < W().列表框1->ItemCount(); ++i)
            out.push_back(W().列表框1->ItemText(i));
        return out;
    }
    static std::vector<Text> Sorted(std::vector<Text> v) {
        std::sort(v.begin(), v.end());
        return v;
    }
    Text Part(int k) { return W().状态条1->PartText(k); }
    // A small tree: files, a folder named like a file, a hidden folder and a
    // link back to the top.
    void MakeTree() {
        auto N = [&](const char* p) { return Drives().Native('C', p); };
        TempDrives::Write(N("t/readme.txt"), "r");
        TempDrives::Write(N("t/b.TXT"), "b");
        TempDrives::Write(N("t/notes.md"), "n");
        TempDrives::Write(N("t/sub/deep.txt"), "d");
        TempDrives::Write(N("t/.git/x.txt"), "x");
        TempDrives::Write(N("t/dir.txt/inner.md"), "i");
        ASSERT_EQ(symlink(N("t").c_str(), N("t/loop").c_str()), 0);
    }
};

TEST_F(SearchTest, BadExtensionsChangeNothing) {
    W().列表框1->AddItem("old");
    StatusSetText(*W().状态条1, 0, "p0");
    for (const char* ext : {".txt", "a.b", ""}) {
        ByType(ext);
        const int items = W().组合框1->ItemCount();
        services_.messages.clear();
        Click("按钮搜索文件");
        ASSERT_EQ(services_.messages.size(), 1u) << ext;
        EXPECT_EQ(services_.messages[0].message, U8("格式错误"));
        EXPECT_EQ(services_.messages[0].buttonSet, 0);
        EXPECT_EQ(services_.messages[0].title, U8("信息："));
        EXPECT_EQ(Results(), std::vector<Text>{"old"}) << ext;
        EXPECT_EQ(Part(0), "p0");
        EXPECT_EQ(W().组合框1->ItemCount(), items);
        EXPECT_FALSE(W().组合框1->Disabled());
    }
}

TEST_F(SearchTest, UnlistedExtensionIsOfferedAndAppended) {
    InFolder("C:\\nowhere");
    struct Case {
        const char* before;
        const char* ext;
        int answer;
        const char* after;
        bool asked;
    };
    const Case cases[] = {
        {"txt\r\ndoc\r\n", "TXT", 0, "txt\r\ndoc\r\nTXT\r\n", true},  // exact comparison
        {"txt\r\ndoc\r\n", "abc", 1, "txt\r\ndoc\r\n", true},         // Cancel writes nothing
        {"txt\r\ndoc", "abc", 0, "txt\r\ndocabc\r\n", true},          // no line end: joined
        {"txt\r\ndoc\r\nmp3\r\n", "doc", 0, "txt\r\ndoc\r\nmp3\r\n", false},
    };
    for (const Case& c : cases) {
        TempDrives::Write(List(), c.before);
        W().组合框1->Clear();
        ByType(c.ext);
        services_.messages.clear();
        services_.messageAnswers = {c.answer};
        Click("按钮搜索文件");
        EXPECT_EQ(TempDrives::Read(List()), c.after) << c.ext;
        ASSERT_EQ(services_.messages.size(), c.asked ? (c.answer == 0 ? 2u : 1u) : 0u) << c.ext;
        if (c.asked) {
            EXPECT_EQ(services_.messages[0].message, U8("记录里没有这个后缀，是不是增加？"));
            EXPECT_EQ(services_.messages[0].buttonSet, 1);
            EXPECT_EQ(services_.messages[0].title, U8("增加后缀吗？"));
            if (c.answer == 0) {
                EXPECT_EQ(services_.messages[1].message, U8("写入成功！"));
            }
        } else {
            // The lines down to the match went into the drop-down list.
            ASSERT_EQ(W().组合框1->ItemCount(), 2);
            EXPECT_EQ(W().组合框1->ItemText(1), "doc");
        }
        EXPECT_EQ(Part(0), U8("完成")) << "the search ran";
        EXPECT_EQ(Part(1), U8("搜索完毕"));
    }
    // A list that cannot be opened: asked every time, OK fails silently.
    ASSERT_EQ(unlink(List().c_str()), 0);
    TempDrives::MakeFolder(List());
    services_.messages.clear();
    Click("按钮搜索文件");
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].message, U8("记录里没有这个后缀，是不是增加？"));
}

TEST_F(SearchTest, NameSearchBelowAFolder) {
    MakeTree();
    struct Case {
        const char* folder;
        const char* keyword;
        std::vector<Text> found;
    };
    const Case cases[] = {
        {"C:\\t",
         "",
         {"C:\\t\\.", "C:\\t\\..", "C:\\t\\readme.txt", "C:\\t\\b.TXT", "C:\\t\\notes.md",
          "C:\\t\\loop", "C:\\t\\sub", "C:\\t\\sub\\.", "C:\\t\\sub\\..", "C:\\t\\sub\\deep.txt",
          "C:\\t\\.git", "C:\\t\\dir.txt", "C:\\t\\dir.txt\\.", "C:\\t\\dir.txt\\..",
          "C:\\t\\dir.txt\\inner.md"}},
        {"C:\\t\\", "READ", {"C:\\t\\readme.txt"}},
        {"C:\\t",
         "txt",
         {"C:\\t\\readme.txt", "C:\\t\\b.TXT", "C:\\t\\sub\\deep.txt", "C:\\t\\dir.txt"}},
        {"C:\\t", "git", {"C:\\t\\.git"}},  // listed, never searched
    };
    for (const Case& c : cases) {
        ListClear(*W().列表框1);
        InFolder(c.folder);
        W().编辑框1->SetContent(c.keyword);
        Click("按钮搜索文件");
        EXPECT_EQ(Sorted(Results()), Sorted(c.found)) << c.folder << " " << c.keyword;
        EXPECT_EQ(Part(0), U8("完成"));
        EXPECT_EQ(Part(1), U8("搜索完毕"));
    }
    // Files of a folder come before its subfolders and what lies below them.
    ListClear(*W().列表框1);
    W().编辑框1->SetContent("");
    Click("按钮搜索文件");
    std::vector<Text> r = Results();
    auto at = [&](const char* t) { return std::find(r.begin(), r.end(), Text(t)) - r.begin(); };
    EXPECT_LT(at("C:\\t\\notes.md"), at("C:\\t\\sub"));
    EXPECT_EQ(at("C:\\t\\sub") + 1, at("C:\\t\\sub\\deep.txt"));
}

TEST_F(SearchTest, ExtensionSearchAndKeptResults) {
    MakeTree();
    TempDrives::Write(List(), "txt\r\n");
    InFolder("C:\\t");
    Click("选择框2");  // keep what the list holds
    W().列表框1->AddItem("old");
    ByType("txt");
    Click("按钮搜索文件");
    EXPECT_TRUE(services_.messages.empty());
    std::vector<Text> r = Results();
    ASSERT_FALSE(r.empty());
    EXPECT_EQ(r[0], "old");
    r.erase(r.begin());
    // Wildcard matching ignores case; a folder named dir.txt is not a hit.
    EXPECT_EQ(Sorted(r), Sorted({"C:\\t\\readme.txt", "C:\\t\\b.TXT", "C:\\t\\sub\\deep.txt"}));
}

TEST_F(SearchTest, AllDrivesAreTheWritableOnesAndTheProbeKeepsUserFiles) {
    TempDrives::Write(Drives().Native('C', "测试文件.txt"), "mine");
    TempDrives::Write(Drives().Native('D', "hit-d.txt"), "d");
    TempDrives::Write(Drives().Native('C', "hit-c.txt"), "c");
    W().编辑框1->SetContent("hit-");
    Click("按钮搜索文件");
    EXPECT_EQ(Results(), (std::vector<Text>{"c:\\hit-c.txt", "d:\\hit-d.txt"}));
    EXPECT_EQ(TempDrives::Read(Drives().Native('C', "测试文件.txt")), "mine");
    EXPECT_FALSE(TempDrives::Exists(Drives().Native('D', "测试文件.txt")));
    EXPECT_FALSE(TempDrives::Exists(Drives().Native('C', "测试文件1.txt")));
    EXPECT_EQ(Part(0), U8("完成"));
}

// Three drives: E:'s root is a regular file, so no probe can go there, root or not.
class ThreeDrivesTest : public SearchTest {
  protected:
    testsupport::TempDrives::Options DriveOptions() override {
        return {{{'C', ""}, {'D', ""}, {'E', ""}}, "C/app"};
    }
    void SetUp() override {
        SearchTest::SetUp();
        ASSERT_EQ(rmdir(Drives().Native('E').c_str()), 0);
        TempDrives::Write(Drives().Native('E'), "not a folder");
        for (char d : {'C', 'D'})
            for (int k = 0; k < 5; ++k)
                TempDrives::Write(Drives().Native(d, "hit" + std::to_string(k) + ".txt"), "h");
        W().编辑框1->SetContent("hit");
    }
};

TEST_F(ThreeDrivesTest, OnlyWritableDrivesAreWalkedInOrder) {
    Click("按钮搜索文件");
    std::vector<Text> r = Results();
    ASSERT_EQ(r.size(), 10u);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(prim::TextLeft(r[k], 3), "c:\\");
    for (int k = 5; k < 10; ++k)
        EXPECT_EQ(prim::TextLeft(r[k], 3), "d:\\");
    EXPECT_EQ(TempDrives::Read(Drives().Native('E')), "not a folder");
    EXPECT_EQ(Part(0), U8("完成"));
    EXPECT_EQ(Part(1), U8("搜索完毕"));
}

TEST_F(ThreeDrivesTest, StopDuringTheFirstRootSkipsTheOthers) {
    QTimer::singleShot(0, [this] { Click("按钮停止"); });
    Click("按钮搜索文件");
    for (const Text& t : Results())
        EXPECT_EQ(prim::TextLeft(t, 3), "c:\\");
    EXPECT_LE(Results().size(), 1u);
    EXPECT_EQ(Part(0), U8("手动停止"));
    EXPECT_EQ(Part(1), U8("搜索完毕"));
}

TEST_F(SearchTest, NestedSearchRunsWholeInsideTheFirst) {
    for (int k = 0; k < 20; ++k)
        TempDrives::Write(Drives().Native('C', "n/f" + std::to_string(k) + ".txt"), "f");
    InFolder("C:\\n");
    W().编辑框1->SetContent("f");
    // The second click arrives at the first pump, before the first search has
    // listed anything: it clears the list, lists all 20, and the first goes on.
    QTimer::singleShot(0, [this] { Click("按钮搜索文件"); });
    Click("按钮搜索文件");
    std::vector<Text> r = Results();
    ASSERT_EQ(r.size(), 40u);
    EXPECT_EQ(Sorted({r.begin(), r.begin() + 20}), Sorted({r.begin() + 20, r.end()}));
    EXPECT_EQ(Part(0), U8("完成"));
}

TEST_F(SearchTest, StopInADeepFolderAppendsNothingAfter) {
    std::string path = "deep";
    for (int level = 0; level < 6; ++level) {
        path += "/l" + std::to_string(level);
        for (int k = 0; k < 2500; ++k)
            TempDrives::Write(Drives().Native('C', path + "/f" + std::to_string(k)), "");
    }
    InFolder("C:\\deep");
    W().编辑框1->SetContent("");
    window_->SetPumpInterval(std::chrono::milliseconds(0));  // a pump at every entry
    int atStop = -1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const int n = W().列表框1->ItemCount();
        if (atStop < 0 && n > 6000) {
            atStop = n;
            Click("按钮停止");
        }
    });
    poll.start(0);
    Click("按钮搜索文件");
    poll.stop();
    ASSERT_GT(atStop, 0);
    EXPECT_LE(W().列表框1->ItemCount(), atStop + 1);
    EXPECT_EQ(Part(0), U8("手动停止"));
}

TEST_F(SearchTest, StopEndsTheWalk) {
    for (int k = 0; k < 30; ++k) {
        TempDrives::Write(Drives().Native('C', "s/" + std::to_string(k) + "/a.txt"), "a");
        TempDrives::Write(Drives().Native('C', "s/f" + std::to_string(k) + ".txt"), "f");
    }
    InFolder("C:\\s");
    W().编辑框1->SetContent("");
    // The stop is clicked at the first chance the walk gives: at the start of
    // the top folder, so at most its first entry is listed.
    QTimer::singleShot(0, [this] { Click("按钮停止"); });
    Click("按钮搜索文件");
    EXPECT_LE(Results().size(), 1u);
    EXPECT_EQ(Part(0), U8("手动停止"));
    EXPECT_EQ(Part(1), U8("搜索完毕"));
    EXPECT_FALSE(W().组合框1->Disabled());

    // A later search lowers the flag again.
    Click("按钮搜索文件");
    EXPECT_EQ(Results().size(), 2u + 30 + 30 * 4);
    EXPECT_EQ(Part(0), U8("完成"));
}

TEST_F(SearchTest, ClosingTheWindowStopsTheSearchThenCloses) {
    for (int k = 0; k < 200; ++k)
        TempDrives::Write(Drives().Native('C', "s/" + std::to_string(k) + "/a.txt"), "a");
    InFolder("C:\\s");
    QTimer::singleShot(0, [this] { window_->close(); });
    Click("按钮搜索文件");
    EXPECT_LT(Results().size(), 200u);
    EXPECT_FALSE(window_->isVisible());
    // The notes file the startup left open was closed: it is no longer in use.
    EXPECT_TRUE(prim::DeleteFile(U8("C:\\app\\后缀解说.txt")));
}

TEST_F(SearchTest, TreesDeeperThanAPathOrTheOpenFileLimitDoNotBreakTheWalk) {
    const std::string name(60, 'x');
    TempDrives::MakeFolder(Drives().Native('C', "d"));
    // 80 levels of 61 bytes, far beyond PATH_MAX: made step by step, as one
    // mkdir of the whole path would fail too.
    ASSERT_EQ(chdir(Drives().Native('C', "d").c_str()), 0);
    for (int k = 0; k < 80; ++k) {
        ASSERT_EQ(mkdir(name.c_str(), 0755), 0);
        ASSERT_EQ(chdir(name.c_str()), 0);
    }
    TempDrives::Write("bottom.txt", "b");
    ASSERT_EQ(chdir(Drives().Native('C', "app").c_str()), 0);
    TempDrives::Write(Drives().Native('C', "d/sibling.txt"), "s");
    InFolder("C:\\d");
    W().编辑框1->SetContent(".txt");

    // Each level is listed below the one above it, so the length of the whole
    // path does not matter.
    Click("按钮搜索文件");
    std::vector<Text> r = Results();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], "C:\\d\\sibling.txt");
    EXPECT_EQ(prim::TextRight(r[1], 11), "\\bottom.txt");
    EXPECT_GT(r[1].size(), 4096u);
    EXPECT_EQ(Part(0), U8("完成"));

    // With few files left to open, the deep levels cannot be listed and are
    // skipped; the walk still ends as usual.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit low = saved;
    low.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
    ListClear(*W().列表框1);
    Click("按钮搜索文件");
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(Results(), std::vector<Text>{"C:\\d\\sibling.txt"});
    EXPECT_EQ(Part(0), U8("完成"));
}

}  // namespace
}  // namespace windowtest
