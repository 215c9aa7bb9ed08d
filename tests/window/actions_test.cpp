// The context-menu commands on real files: properties, open folder, delete,
// run and move, each checked against what is left on disk.
#include <sys/stat.h>
#include <unistd.h>

#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QTableView>
#include <QTimer>
#include <ctime>
#include <fstream>

#include "actions/file_actions.h"
#include "app/window_ops.h"
#include "primitives/codepage.h"
#include "primitives/files.h"
#include "window_fixture.h"

namespace windowtest {
namespace {

using testsupport::TempDrives;

class ActionsTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Start();
    }
    std::string N(const char* below) { return Drives().Native('C', below); }
    // Opens the popup from a list, as a right click does, and picks `item`.
    void Choose(bool fromResultList, const char* item) {
        QTimer::singleShot(0, [item] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* a : menu->actions())
                if (a->text() == QString::fromUtf8(item)) {
                    menu->setActiveAction(a);
                    QTest::keyClick(menu, Qt::Key_Return);
                    return;
                }
            menu->close();
            FAIL() << item;
        });
        QWidget* list = fromResultList ? static_cast<QWidget*>(Find<QTableView>("列表框1"))
                                       : Find<QListWidget>("文件框1");
        QTest::mouseClick(static_cast<QAbstractScrollArea*>(list)->viewport(), Qt::RightButton, {},
                          QPoint(5, 5));
    }
    void Current(const Text& path) { W().编辑框3->SetContent(path); }
    std::vector<Text> Messages() {
        std::vector<Text> out;
        for (const auto& m : services_.messages)
            out.push_back(m.message);
        return out;
    }
    std::vector<Text> Results() {
        std::vector<Text> out;
        for (int i = 0; i < W().列表框1->ItemCount(); ++i)
            out.push_back(W().列表框1->ItemText(i));
        return out;
    }
    static void Sized(const std::string& native, off_t size) {
        TempDrives::Write(native, "");
        ASSERT_EQ(truncate(native.c_str(), size), 0);
    }
};

TEST_F(ActionsTest, FileSizesInTheirUnits) {
    const struct {
        off_t size;
        const char* text;
    } cases[] = {
        {0, "0 B"},           {1023, "1023 B"},  {1024, "1 KB"},          {1536, "1 KB"},
        {1048575, "1023 KB"}, {1048576, "1 MB"}, {1073741823, "1023 MB"}, {1073741824, "1 GB"}};
    for (const auto& c : cases) {
        Sized(N("size.bin"), c.size);
        EXPECT_EQ(actions::FormatFileSize("C:\\size.bin"), c.text) << c.size;
    }
    TempDrives::MakeFolder(N("dir"));
    EXPECT_EQ(actions::FormatFileSize("C:\\dir"), "0 B");
    EXPECT_EQ(actions::FormatFileSize("C:\\missing"), "-1 B");
}

TEST_F(ActionsTest, PropertiesOfAFileAndOfAFolder) {
    TempDrives::Write(N("a.txt"), std::string(2048, 'a'));
    ASSERT_EQ(chmod(N("a.txt").c_str(), 0444), 0);
    TempDrives::MakeFolder(N("dir"));
    struct stat st;
    ASSERT_EQ(stat(N("a.txt").c_str(), &st), 0);
    std::tm tm{};
    localtime_r(&st.st_mtime, &tm);
    const Text date = U8(std::to_string(tm.tm_year + 1900) + "年" + std::to_string(tm.tm_mon + 1) +
                         "月" + std::to_string(tm.tm_mday) + "日");

    Current("C:\\a.txt");
    Choose(true, "查看属性");
    Current("C:\\dir");
    Choose(false, "查看属性");
    ASSERT_EQ(services_.messages.size(), 2u);
    EXPECT_EQ(
        services_.messages[0].message,
        U8("文件: a.txt  的属性如下\r\n文件属性为：  只读  存档文件\r\n大小为： 2 KB\r\n创建于") +
            date);
    EXPECT_EQ(services_.messages[0].title, U8("信息："));
    EXPECT_EQ(services_.messages[0].buttonSet, 0);
    EXPECT_EQ(prim::SplitText(services_.messages[1].message, "\r\n")[1], U8("文件属性为：  目录"));
    EXPECT_EQ(prim::SplitText(services_.messages[1].message, "\r\n")[2], U8("大小为： 0 B"));
}

TEST_F(ActionsTest, OpenFolderAndRun) {
    TempDrives::Write(N("dir/a.txt"), "a");
    const struct {
        const char* path;
        const char* opened;  // nullptr: nothing opened
    } cases[] = {{"C:\\dir\\a.txt", "C:\\dir\\"},
                 {"C:\\dir", "C:\\"},
                 {"C:\\dir\\", nullptr},
                 {"C:\\none", nullptr}};
    for (const auto& c : cases) {
        services_.shellCalls.clear();
        Current(c.path);
        Choose(false, "打开目录");
        ASSERT_EQ(services_.shellCalls.size(), c.opened ? 1u : 0u) << c.path;
        if (c.opened) {
            EXPECT_EQ(services_.shellCalls[0].target, c.opened);
        }
    }
    for (const char* path : {"C:\\dir\\a.txt", "C:\\dir\\", ""}) {
        services_.shellCalls.clear();
        W().编辑框说明->SetContent("");
        Current(path);
        Choose(true, "运行该文件");
        const bool runs = Text(path) == "C:\\dir\\a.txt";
        ASSERT_EQ(services_.shellCalls.size(), runs ? 1u : 0u) << path;
        if (runs) {
            EXPECT_EQ(services_.shellCalls[0].operation, 4);
        }
        EXPECT_EQ(prim::FindText(W().编辑框说明->Content(), U8("运行文件只是调用该文件"), false),
                  1);
    }
    // Properties and delete do nothing either with a folder path ending in "\".
    Current("C:\\dir\\");
    Choose(false, "查看属性");
    Choose(false, "删除文件");
    EXPECT_TRUE(services_.messages.empty());
    EXPECT_EQ(TempDrives::Read(N("dir/a.txt")), "a");
}

TEST_F(ActionsTest, DeleteAsksInOrderAndKeepsWhatWasRefused) {
    const Text warn = U8("本程序删除的文件不能在回收站找到，删除前请确认！");
    const Text sure = U8("真的要删除吗？\r\n");
    const Text ro = U8("这是一个只读文件，真的要删除吗？\r\n");
    const Text sys = U8("这是一个系统文件，真的要删除吗？\r\n");
    const Text dir = U8("这是一个文件夹，删除的话会把文件夹里所有文件全部删除！确认吗？");
    const Text done = U8("已删除");
    enum Kind { Plain, ReadOnly, ReadOnlySystem, Folder, FolderWithReadOnly };
    struct Case {
        Kind kind;
        std::deque<int> answers;  // after the warning, which answers too
        std::vector<Text> asked;  // after the warning; P is "C:\x"
        bool gone;
        bool stillReadOnly;
    };
    const Text p = "C:\\x";
    const Case cases[] = {
        {Plain, {0, 0}, {sure + p, done}, true, false},
        {Plain, {0, 1}, {sure + p}, false, false},
        {ReadOnly, {0, 0, 0}, {ro + p, sure + p, done}, true, false},
        {ReadOnly, {0, 1}, {ro + p}, false, true},
        {ReadOnly, {0, 0, 1}, {ro + p, sure + p}, false, false},
        {ReadOnlySystem, {0, 0, 0}, {sys + p, sure + p}, false, true},  // cannot go: read-only
        {Folder, {0, 0}, {dir, done}, true, false},
        {Folder, {0, 1}, {dir}, false, false},
        {FolderWithReadOnly, {0, 0, 0}, {dir, sure + p}, false, false},
    };
    int k = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(k++);
        TempDrives::Write(N("keep.txt"), "keep");
        switch (c.kind) {
            case Plain:
            case ReadOnly:
                TempDrives::Write(N("x"), "x");
                if (c.kind == ReadOnly)
                    chmod(N("x").c_str(), 0444);
                break;
            case ReadOnlySystem:
                ASSERT_EQ(mkfifo(N("x").c_str(), 0444), 0);
                break;
            case Folder:
                TempDrives::Write(N("x/a.txt"), "a");
                TempDrives::Write(N("x/sub/b.txt"), "b");
                break;
            case FolderWithReadOnly:
                TempDrives::Write(N("x/a.txt"), "a");
                TempDrives::Write(N("x/ro.txt"), "r");
                chmod(N("x/ro.txt").c_str(), 0444);
                break;
        }
        services_.messages.clear();
        services_.messageAnswers = c.answers;
        Current(p);
        Choose(false, "删除文件");
        std::vector<Text> expected{warn};
        expected.insert(expected.end(), c.asked.begin(), c.asked.end());
        EXPECT_EQ(Messages(), expected);
        EXPECT_EQ(TempDrives::Exists(N("x")), !c.gone);
        EXPECT_EQ(W().编辑框3->Content(), c.gone ? "" : p);
        EXPECT_EQ(TempDrives::Read(N("keep.txt")), "keep");
        struct stat st;
        if (!c.gone) {
            ASSERT_EQ(lstat(N("x").c_str(), &st), 0);
            EXPECT_EQ((st.st_mode & S_IWUSR) == 0, c.stillReadOnly);
        }
        if (c.kind == Folder && !c.gone) {
            EXPECT_EQ(TempDrives::Read(N("x/sub/b.txt")), "b");
        }
        if (c.kind == FolderWithReadOnly) {
            EXPECT_EQ(TempDrives::Read(N("x/ro.txt")), "r");
            EXPECT_FALSE(TempDrives::Exists(N("x/a.txt")));
        }
        std::string rm = "rm -rf '" + N("x") + "'";
        ASSERT_EQ(std::system(rm.c_str()), 0);
    }
}

TEST_F(ActionsTest, DeleteFromTheResultListRemovesTheFirstEqualItemAndRelists) {
    TempDrives::Write(N("d/a.txt"), "a");
    TempDrives::Write(N("d/b.txt"), "b");
    W().目录框1->SetDirectory("C:\\d");
    W().文件框1->SetDirectory("C:\\d");
    for (const char* t : {"C:\\d\\a.txt", "other", "C:\\d\\a.txt"})
        W().列表框1->AddItem(t);
    Current("C:\\d\\a.txt");
    Choose(true, "删除文件");
    EXPECT_EQ(Results(), (std::vector<Text>{"other", "C:\\d\\a.txt"}));
    EXPECT_FALSE(TempDrives::Exists(N("d/a.txt")));
    EXPECT_EQ(TempDrives::Read(N("d/b.txt")), "b");
    auto* files = Find<QListWidget>("文件框1");
    ASSERT_EQ(files->count(), 1);
    EXPECT_EQ(files->item(0)->text(), "b.txt");
    EXPECT_EQ(services_.messages.back().message, U8("已删除"));
}

TEST_F(ActionsTest, MoveFromTheFileBoxLogsEachFileAndItsOutcome) {
    TempDrives::Write(N("src/a.txt"), "a");
    TempDrives::Write(N("src/b.txt"), "bb");
    TempDrives::Write(N("src/c.txt"), "c");
    TempDrives::MakeFolder(Drives().Native('D', "target/b.txt"));  // b cannot go there
    W().目录框1->SetDirectory("C:\\src");
    W().文件框1->SetDirectory("C:\\src");
    auto* files = Find<QListWidget>("文件框1");
    ASSERT_EQ(files->count(), 3);
    files->item(0)->setSelected(true);
    files->item(1)->setSelected(true);
    services_.folderAnswers = {"D:\\target"};
    Choose(false, "移动到");
    EXPECT_EQ(services_.pickerTitles, std::vector<Text>{U8("要把文件移动到")});
    EXPECT_EQ(W().编辑框说明->Content(),
              U8("任务：移动文件！\r\n要移动到的文件夹为：D:\\target\\\r\n"
                 "正在移动: C:\\src\\a.txt    文件大小: 1 B\r\n移动成功！！\r\n"
                 "正在移动: C:\\src\\b.txt    文件大小: 2 B\r\n"
                 "!!!!!!!注意!!!!!!!!移动文件： C:\\src\\b.txt  失败!\r\n移动文件完毕！\r\n"));
    EXPECT_EQ(services_.beeps, 1);
    EXPECT_EQ(TempDrives::Read(Drives().Native('D', "target/a.txt")), "a");
    EXPECT_FALSE(TempDrives::Exists(N("src/a.txt")));
    EXPECT_EQ(TempDrives::Read(N("src/b.txt")), "bb");
    EXPECT_EQ(TempDrives::Read(N("src/c.txt")), "c");
    ASSERT_EQ(files->count(), 2);
    EXPECT_EQ(files->item(0)->text(), "b.txt");
}

TEST_F(ActionsTest, MoveFromTheResultListRemovesEveryMovedItem) {
    TempDrives::Write(N("a.txt"), "a");
    TempDrives::MakeFolder(Drives().Native('D', "t"));
    for (const char* t : {"C:\\a.txt", "keep", "C:\\gone.txt", "C:\\a.txt"})
        W().列表框1->AddItem(t);
    app::ListSelectItem(*W().列表框1, 0, true);
    app::ListSelectItem(*W().列表框1, 2, true);
    services_.folderAnswers = {"D:\\t\\"};
    Choose(true, "移动到");
    EXPECT_EQ(Results(), std::vector<Text>{"keep"});
    EXPECT_EQ(TempDrives::Read(Drives().Native('D', "t/a.txt")), "a");
    EXPECT_NE(prim::FindText(W().编辑框说明->Content(), U8("文件大小: -1 B"), false), -1);
    EXPECT_EQ(services_.beeps, 1);

    // A cancelled picker moves nothing.
    TempDrives::Write(N("b.txt"), "b");
    W().列表框1->AddItem("C:\\b.txt");
    app::ListSelectItem(*W().列表框1, 1, true);
    Choose(true, "移动到");
    EXPECT_EQ(W().编辑框说明->Content(), U8("目标文件夹没选好！"));
    EXPECT_EQ(TempDrives::Read(N("b.txt")), "b");
    EXPECT_EQ(Results(), (std::vector<Text>{"keep", "C:\\b.txt"}));
}

}  // namespace
}  // namespace windowtest
