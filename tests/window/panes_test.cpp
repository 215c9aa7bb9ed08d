// The browsing panes, the current path, drops, and the two explanations.
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QTableView>
#include <QTreeWidget>
#include <QUrl>

#include "app/window_ops.h"
#include "data/data_files.h"
#include "panes/panes.h"
#include "window_fixture.h"

namespace windowtest {
namespace {

class PanesTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Drives().MakeFolder(Drives().Native('C', "abc"));
        Drives().Write(Drives().Native('C', "abc/a.txt"), "a");
        Drives().Write(Drives().Native('C', "abc/b.txt"), "b");
        Drives().Write(Drives().Native('C', "a.txt"), "root");
        Start();
    }
    // Selects the named rows of the file box as a user does: click, then Ctrl+click.
    void SelectFiles(std::initializer_list<const char*> names) {
        auto* box = Find<QListWidget>("文件框1");
        bool first = true;
        for (const char* n : names) {
            auto items = box->findItems(QString::fromUtf8(n), Qt::MatchExactly);
            ASSERT_EQ(items.size(), 1) << n;
            QTest::mouseClick(box->viewport(), Qt::LeftButton,
                              first ? Qt::NoModifier : Qt::ControlModifier,
                              box->visualItemRect(items[0]).center());
            first = false;
        }
    }
    void DoubleClickFile(const char* name) {
        auto* box = Find<QListWidget>("文件框1");
        auto items = box->findItems(QString::fromUtf8(name), Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name;
        QPoint at = box->visualItemRect(items[0]).center();
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, at);
        DoubleClick(box->viewport(), at);
    }
    QStringList TreeChain() {
        QStringList chain;
        auto* tree = Find<QTreeWidget>("目录框1");
        for (QTreeWidgetItem* i = tree->topLevelItemCount() ? tree->topLevelItem(0) : nullptr; i;) {
            chain << i->text(0);
            QTreeWidgetItem* next = nullptr;
            for (int k = 0; k < i->childCount(); ++k)
                if (i->child(k)->isExpanded() || i->child(k) == tree->currentItem())
                    next = i->child(k);
            i = next;
        }
        return chain;
    }
};

TEST_F(PanesTest, DriveAndDirectoryChangesSetTheCurrentPath) {
    auto* drive = Find<QComboBox>("驱动器框1");
    drive->setCurrentIndex(0);
    emit drive->activated(0);
    EXPECT_EQ(W().编辑框3->Content(), "C:\\");
    EXPECT_EQ(W().文件框1->Directory(), "C:\\");
    EXPECT_EQ(Find<QListWidget>("文件框1")->count(), 1);

    auto* tree = Find<QTreeWidget>("目录框1");
    QTreeWidgetItem* abc = nullptr;
    for (int k = 0; k < tree->topLevelItem(0)->childCount(); ++k)
        if (tree->topLevelItem(0)->child(k)->text(0) == "abc")
            abc = tree->topLevelItem(0)->child(k);
    ASSERT_NE(abc, nullptr);
    DoubleClick(tree->viewport(), tree->visualItemRect(abc).center());
    EXPECT_EQ(W().目录框1->Directory(), "C:\\abc");
    EXPECT_EQ(W().编辑框3->Content(), "C:\\abc\\");
    EXPECT_EQ(W().文件框1->Directory(), "C:\\abc");

    SelectFiles({"a.txt"});
    EXPECT_EQ(W().编辑框3->Content(), "C:\\abc\\a.txt");
    SelectFiles({"a.txt", "b.txt"});
    EXPECT_EQ(W().state.selectedFileName, "a.txt;b.txt");
    EXPECT_EQ(W().编辑框3->Content(), "C:\\abc\\a.txt;b.txt");
    // Ctrl+click both away: nothing selected.
    auto* box = Find<QListWidget>("文件框1");
    for (int k = 0; k < 2; ++k)
        QTest::mouseClick(box->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          box->visualItemRect(box->item(k)).center());
    EXPECT_EQ(W().state.selectedFileName, "");
    EXPECT_EQ(W().编辑框3->Content(), "C:\\abc\\");

    // At a drive root the directory box ends in "\".
    drive->setCurrentIndex(0);
    emit drive->activated(0);
    SelectFiles({"a.txt"});
    EXPECT_EQ(W().编辑框3->Content(), "C:\\a.txt");
}

TEST_F(PanesTest, GoToButtonTexts) {
    const struct {
        const char* typed;
        const char* after;
        const char* directory;
    } cases[] = {
        {"C:\\Windows", "C:\\Windows\\", "C:\\Windows\\"},
        {"C:\\Windows\\", "C:\\Windows\\\\", "C:\\Windows\\\\"},
        {"C:\\Windows\\notepad.exe", "C:\\Windows", "C:\\Windows"},
        {"C:\\my.dir\\", "C:\\my.dir\\", "C:\\my.dir\\"},
        {"C:\\my.dir\\sub", "C:\\my.dir", "C:\\my.dir"},
        {"C:\\dir\\readme", "C:\\dir\\readme\\", "C:\\dir\\readme\\"},
        {"", "\\", "\\"},
    };
    for (const auto& c : cases) {
        W().编辑框3->SetContent(c.typed);
        Click("按钮转到");
        EXPECT_EQ(W().编辑框3->Content(), c.after) << c.typed;
        EXPECT_EQ(W().目录框1->Directory(), c.directory) << c.typed;
        EXPECT_EQ(W().文件框1->Directory(), c.directory) << c.typed;
    }
    // No "\" at all: the panes fall back to the program's folder.
    W().编辑框3->SetContent("a.txt");
    Click("按钮转到");
    EXPECT_EQ(W().编辑框3->Content(), "");
    EXPECT_EQ(W().目录框1->Directory(), "C:\\app");
    EXPECT_EQ(W().文件框1->Directory(), "C:\\app");
}

TEST_F(PanesTest, DroppedPathsMoveThePanes) {
    const struct {
        const char* dropped;
        const char* directory;
    } cases[] = {
        {"C:\\abc\\a.txt", "C:\\abc"},
        {"C:\\abc", "C:"},
        {"C:\\", "C:"},
        {"C:\\a\\x.txt\r\nC:\\a\\y.txt\r\n", "C:\\a\\x.txt\r\nC:\\a"},
        {"just words", "C:\\app"},
    };
    for (const auto& c : cases) {
        panes::ApplyDroppedPath(W(), c.dropped);
        EXPECT_EQ(W().编辑框3->Content(), c.dropped);
        EXPECT_EQ(W().目录框1->Directory(), c.directory) << c.dropped;
        EXPECT_EQ(W().文件框1->Directory(), c.directory) << c.dropped;
    }
}

// Sends a whole drag and drop of `mime` onto `target`, as Qt delivers it.
void DropOn(QWidget* target, QMimeData* mime) {
    QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_TRUE(drop.isAccepted());
}

TEST_F(PanesTest, DropsFromDesktopProgramsReachTheHandlerAnywhere) {
    const QString a = QString::fromStdString(Drives().Native('C', "abc/a.txt"));
    const QString b = QString::fromStdString(Drives().Native('C', "abc/b.txt"));
    QWidget* targets[] = {Find("标签1"), Find("编辑框3"), Find<QTableView>("列表框1")->viewport()};
    for (QWidget* target : targets) {
        // A file manager: the file list, and the same files again as plain text.
        auto* files = new QMimeData;
        files->setUrls({QUrl::fromLocalFile(a)});
        files->setText(QUrl::fromLocalFile(a).toString());
        DropOn(target, files);
        EXPECT_EQ(W().编辑框3->Content(), "C:\\abc\\a.txt") << target->objectName().toStdString();
        EXPECT_EQ(W().目录框1->Directory(), "C:\\abc");
        delete files;
    }
    auto* two = new QMimeData;
    two->setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
    DropOn(Find("编辑框说明"), two);
    EXPECT_EQ(W().编辑框3->Content(), "C:\\abc\\a.txt\r\nC:\\abc\\b.txt\r\n");
    EXPECT_EQ(W().目录框1->Directory(), "C:\\abc\\a.txt\r\nC:\\abc");
    delete two;

    // A browser link: URL and text; the URL comes last and decides.
    auto* link = new QMimeData;
    link->setUrls({QUrl("https://example.org/a/b.html")});
    link->setText("https://example.org/a/b.html");
    link->setHtml("<a href=\"https://example.org/a/b.html\">链接</a>");
    DropOn(Find("标签2"), link);
    EXPECT_EQ(W().编辑框3->Content(), "https://example.org/a/b.html");
    delete link;

    // A text selection.
    auto* text = new QMimeData;
    text->setText(QString::fromUtf8("C:\\abc\\选中的字"));
    DropOn(Find("列表框1"), text);
    EXPECT_EQ(W().编辑框3->Content(), U8("C:\\abc\\选中的字"));
    EXPECT_EQ(W().目录框1->Directory(), "C:\\abc");
    delete text;
}

// The explanations, over the default data files that startup wrote.
class ExplainTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        for (const char* name : {"a.JPG", "x.AIF", "x.asp", "readme", "x.qqq", "a.txt", "b.doc",
                                 "calc.exe", "ALC.EXE", "A", "USER32.DLL", "NOTEPAD.EXE", "b.txt"})
            Drives().Write(Drives().Native('D', std::string("files/") + name), "x");
        Start();
        W().目录框1->SetDirectory("D:\\files");
        W().文件框1->SetDirectory("D:\\files");
    }
    void Select(std::initializer_list<const char*> names) {
        auto* box = Find<QListWidget>("文件框1");
        bool first = true;
        for (const char* n : names) {
            auto items = box->findItems(QString::fromUtf8(n), Qt::MatchExactly);
            ASSERT_EQ(items.size(), 1) << n;
            lastClicked_ = box->visualItemRect(items[0]).center();
            QTest::mouseClick(box->viewport(), Qt::LeftButton,
                              first ? Qt::NoModifier : Qt::ControlModifier, lastClicked_);
            first = false;
        }
    }
    // The second half of a double click on the item clicked last: the first click
    // has already made the selection.
    void DoubleClickSelection() {
        QWidget* viewport = Find<QListWidget>("文件框1")->viewport();
        QMouseEvent e(QEvent::MouseButtonDblClick, QPointF(lastClicked_),
                      QPointF(viewport->mapToGlobal(lastClicked_)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(viewport, &e);
    }
    QPoint lastClicked_;
    static prim::TextList Lines(data::DataFile f) {
        return prim::SplitText(data::DefaultBytes(f), "\r\n");
    }
    // The header line of the first entry for `ext`, and its description.
    static std::pair<Text, Text> Entry(const char* ext) {
        prim::TextList l = Lines(data::DataFile::ExtensionNotes);
        for (size_t i = 0; i + 1 < l.size(); ++i)
            if (l[i] == std::string(".") + ext)
                return {l[i], l[i + 1]};
        return {};
    }
};

TEST_F(ExplainTest, ExtensionNotesOfTheDefaults) {
    const struct {
        std::initializer_list<const char*> select;
        const char* entry;  // nullptr: no note
    } cases[] = {
        {{"a.JPG"}, "jpg"},
        {{"x.AIF"}, "aif"},
        {{"x.asp"}, "asp"},
        {{"a.txt", "b.doc"}, "doc"},
    };
    for (const auto& c : cases) {
        Select(c.select);
        DoubleClickSelection();
        auto [header, description] = Entry(c.entry);
        ASSERT_FALSE(header.empty()) << c.entry;
        EXPECT_EQ(W().编辑框说明->Content(), header + "\r\n" + description) << c.entry;
        EXPECT_EQ(W().状态条1->PartText(0), description) << c.entry;
        EXPECT_TRUE(W().按钮加入后缀->Disabled());
    }
    EXPECT_EQ(W().state.selectedExtension, "doc");

    Select({"readme"});
    DoubleClickSelection();
    EXPECT_EQ(W().编辑框说明->Content(), U8("这个文件没有后缀"));
    EXPECT_EQ(W().状态条1->PartText(0), U8("这个文件没有后缀"));
    EXPECT_EQ(W().state.selectedExtension, "doc") << "kept from the last name with an extension";

    W().状态条1->SetText(0, "before");
    Select({"x.qqq"});
    DoubleClickSelection();
    EXPECT_EQ(
        W().编辑框说明->Content(),
        U8("这个类型文件没有记录！如果你知道该类型文件说明，可以在本程序目录下找到‘后缀解说.txt’"
           "文件，并在里面加入你的说明！以后就可以正常查看该类型文件说明了！\r\n本程序地址： "
           "\r\nC:\\app\\"));
    EXPECT_EQ(W().状态条1->PartText(0), "before");
    EXPECT_FALSE(W().按钮加入后缀->Disabled()) << "no note: the add button is offered";
}

TEST_F(ExplainTest, SystemFileNotesOfTheDefaults) {
    prim::TextList l = Lines(data::DataFile::SystemFileNotes);
    auto firstWith = [&](const char* name) {
        for (const Text& line : l)
            if (line.rfind(name, 0) == 0)
                return line;
        return Text();
    };
    const struct {
        std::initializer_list<const char*> select;
        Text expected;
    } cases[] = {
        {{"calc.exe"}, U8("CALC.EXE - 计算器应用程序 ")},
        {{"ALC.EXE"}, U8("CALC.EXE - 计算器应用程序 ")},
        {{"A"}, l.front()},
        {{"USER32.DLL"}, firstWith("USER32.DLL")},
        {{"NOTEPAD.EXE"}, firstWith("NOTEPAD.EXE")},
        {{"a.txt", "b.txt"}, U8("这文件没有记录入库")},
    };
    for (const auto& c : cases) {
        Select(c.select);
        Click("按钮查看文件解说");
        EXPECT_EQ(W().编辑框说明->Content(), c.expected) << *c.select.begin();
        EXPECT_EQ(W().状态条1->PartText(1), U8("搜索完成"));
    }
    EXPECT_NE(firstWith("USER32.DLL").find(U8("V　↑")), Text::npos);
}

TEST_F(ExplainTest, SystemNotesAreReadAtEveryClickExtensionNotesOnlyAtStart) {
    const std::string system = Drives().Native(
        'C', "app/" + prim::TextToUtf8(data::FileName(data::DataFile::SystemFileNotes)));
    const std::string notes = Drives().Native(
        'C', "app/" + prim::TextToUtf8(data::FileName(data::DataFile::ExtensionNotes)));
    Drives().Write(system, *Drives().Read(system) + "X.QQQ - added while running \r\n");
    Drives().Write(notes, ".qqq\r\nadded while running\r\n" + *Drives().Read(notes));
    Select({"x.qqq"});
    Click("按钮查看文件解说");
    EXPECT_EQ(W().编辑框说明->Content(), "X.QQQ - added while running ");
    DoubleClickSelection();
    EXPECT_NE(W().编辑框说明->Content().find(U8("这个类型文件没有记录")), Text::npos);

    window_->close();
    window_.reset();
    Start();
    W().文件框1->SetDirectory("D:\\files");
    Select({"x.qqq"});
    DoubleClickSelection();
    EXPECT_EQ(W().编辑框说明->Content(), ".qqq\r\nadded while running");
}

TEST_F(ExplainTest, NothingSelectedChangesNothing) {
    W().编辑框说明->SetContent("keep");
    Click("按钮查看文件解说");
    EXPECT_EQ(W().编辑框说明->Content(), "keep");
}

TEST_F(ExplainTest, TypeListIsRefilledAtEveryDropDown) {
    Click("单选框搜后缀");
    auto* combo = Find<QComboBox>("组合框1");
    for (int round = 0; round < 2; ++round) {
        combo->showPopup();
        combo->hidePopup();
        ASSERT_EQ(combo->count(), 16);
        EXPECT_EQ(combo->itemText(0), "txt");
        EXPECT_EQ(combo->itemText(15), "mdb");
        EXPECT_EQ(W().组合框1->Content(), "") << "the typed text is cleared";
    }
}

}  // namespace
}  // namespace windowtest
