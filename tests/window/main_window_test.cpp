// The main window as it starts: controls, states, context menu, list and pane
// behaviour, and what startup does with the data files.
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>

#include "app/window_description.h"
#include "app/window_ops.h"
#include "data/data_files.h"
#include "primitives/files.h"
#include "ui/small_widgets.h"
#include "window_fixture.h"

namespace windowtest {
namespace {

using app::ListAddItem;
using app::ListItemCount;
using app::ListItemText;

// The texts of the context menu's next popup, which is then dismissed.
QStringList PopupTexts(std::function<void()> open) {
    QStringList texts;
    QTimer::singleShot(0, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : menu->actions())
                texts << a->text();
            menu->close();
        }
    });
    open();
    return texts;
}

TEST_F(WindowTest, StartsWithTheDesignedControlsAndStates) {
    Start();
    EXPECT_EQ(window_->windowTitle(), QString::fromUtf8(app::kWindowTitle));
    EXPECT_EQ(W().window->Width(), 547);
    EXPECT_FALSE(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window_->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());

    // Every shown control sits where the description puts it, in creation order.
    QWidget* previous = nullptr;
    for (const app::ControlSpec& c : app::ControlTable()) {
        QWidget* widget = Find(c.name.data());
        if (c.kind == app::ControlKind::DropTarget || c.kind == app::ControlKind::TipBox) {
            EXPECT_EQ(widget, nullptr);
            continue;
        }
        ASSERT_NE(widget, nullptr) << c.name;
        if (c.kind != app::ControlKind::StatusBar) {
            EXPECT_EQ(widget->geometry(), QRect(c.left, c.top, c.width, c.height)) << c.name;
        }
        if (previous) {
            EXPECT_LT(window_->children().indexOf(previous), window_->children().indexOf(widget));
        }
        previous = widget;
    }
    auto* bar = Find("状态条1");
    EXPECT_EQ(bar->geometry().bottom(), window_->height() - 1);
    EXPECT_EQ(bar->width(), window_->width());

    EXPECT_TRUE(W().编辑框1->Visible());
    EXPECT_EQ(W().编辑框1->Content(), U8("砚舟"));
    EXPECT_FALSE(W().组合框1->Visible());
    EXPECT_EQ(W().组合框1->Content(), "txt");
    EXPECT_TRUE(W().单选框搜文件->Checked());
    EXPECT_FALSE(W().单选框搜后缀->Checked());
    EXPECT_TRUE(W().选择框2->Checked());
    EXPECT_FALSE(W().选择框指定位置->Checked());
    EXPECT_TRUE(W().按钮加入后缀->Disabled());
    EXPECT_EQ(Find<QAbstractButton>("按钮搜索文件")->text(), QString::fromUtf8("开 始"));
    EXPECT_TRUE(W().编辑框说明->Content().find(U8("本软件完全免费，无任何限制！\r\n")) !=
                Text::npos);
    EXPECT_EQ(ListItemCount(*W().列表框1), 0);
}

TEST_F(WindowTest, StartupLaysOutTheStatusBarAndAttachesTips) {
    Start();
    EXPECT_EQ(app::StatusGetPartWidth(*W().状态条1, 0), 400);
    EXPECT_EQ(app::StatusGetPartWidth(*W().状态条1, 1), 147);
    EXPECT_EQ(app::StatusGetPartWidth(*W().状态条1, 5), 0);
    app::StatusSetPartWidth(*W().状态条1, 1, -7);
    EXPECT_EQ(app::StatusGetPartWidth(*W().状态条1, 1), -1);
    auto* bar = static_cast<ui::StatusBarWidget*>(Find("状态条1"));
    EXPECT_EQ(bar->PartRect(1).right(), bar->width() - 1);

    EXPECT_EQ(Find("按钮转到")->toolTip().count('\n'), 6);
    EXPECT_TRUE(Find("标签1")->toolTip().isEmpty());
    int tips = 0;
    for (QWidget* child : window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        tips += !child->toolTip().isEmpty();
    EXPECT_EQ(tips, 17);
    EXPECT_TRUE(window_->DropTargetRegistered());
    EXPECT_FALSE(W().window->RegisterDropTarget(W().window->WindowHandle()));
}

TEST_F(WindowTest, ContextMenuShowsTheVisibleItemsOfEachContext) {
    Start();
    const QStringList fromFiles = PopupTexts(
        [&] { QTest::mouseClick(Find<QListWidget>("文件框1")->viewport(), Qt::RightButton); });
    EXPECT_EQ(fromFiles, (QStringList{"打开目录", "查看属性", "删除文件", "移动到", "运行该文件"}));
    EXPECT_FALSE(W().state.menuFromResultList);
    const QStringList fromList = PopupTexts(
        [&] { QTest::mouseClick(Find<QTableView>("列表框1")->viewport(), Qt::RightButton); });
    EXPECT_EQ(fromList, (QStringList{"打开目录", "查看属性", "从列表中删除", "删除文件", "移动到",
                                     "全部选择", "运行该文件"}));
    EXPECT_TRUE(W().state.menuFromResultList);
}

TEST_F(WindowTest, ResultListOperationsAtTheirEdges) {
    Start();
    app::ListBox& list = *W().列表框1;
    for (const char* t : {"a", "b", "c"})
        ListAddItem(list, t);
    EXPECT_EQ(ListItemText(list, 3), "");
    EXPECT_EQ(ListItemText(list, -1), "");
    EXPECT_FALSE(app::ListDeleteItem(list, -1));
    EXPECT_FALSE(app::ListSelectItem(list, 3, true));
    EXPECT_EQ(ListItemCount(list), 3);
    EXPECT_TRUE(app::ListSelectedIndexes(list).empty());
    app::ListSelectItem(list, 0, true);
    app::ListSelectItem(list, 2, true);
    EXPECT_EQ(app::ListSelectedIndexes(list), (std::vector<int>{0, 2}));
    EXPECT_EQ(W().编辑框3->Content(), U8("D:\\")) << "selecting by program raises no event";
    EXPECT_TRUE(app::ListDeleteItem(list, 1));
    EXPECT_EQ(ListItemText(list, 1), "c");
    EXPECT_EQ(app::ListSelectedIndexes(list), (std::vector<int>{0, 1}));

    // A right click keeps the selection as it was.
    auto* view = Find<QTableView>("列表框1");
    QApplication::processEvents();
    QRect second = view->visualRect(view->model()->index(1, 0));
    PopupTexts([&] { QTest::mouseClick(view->viewport(), Qt::RightButton, {}, second.center()); });
    EXPECT_EQ(app::ListSelectedIndexes(list), (std::vector<int>{0, 1}));
    app::ListClear(list);
    EXPECT_EQ(ListItemCount(list), 0);
}

TEST_F(WindowTest, ResultListHoldsAMillionItemsWithoutAStall) {
    Start();
    app::ListBox& list = *W().列表框1;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 1000000; ++i)
        ListAddItem(list, "C:\\some\\folder\\file_" + std::to_string(i));
    W().window->ProcessEvents();
    QApplication::processEvents();
    EXPECT_EQ(ListItemCount(list), 1000000);
    EXPECT_EQ(ListItemText(list, 999999), "C:\\some\\folder\\file_999999");
    for (int i = 0; i < 1000000; ++i)
        app::ListSelectItem(list, i, true);
    EXPECT_EQ(app::ListSelectedIndexes(list).size(), 1000000u);
    EXPECT_LT(t.elapsed(), 5000);
}

TEST_F(WindowTest, EditBoxesPlaceTheCaretAndAppendAtTheEnd) {
    Start();
    W().编辑框1->SetContent("abc");
    W().编辑框1->SetSelectionStart(-1);
    auto* line = Find<QLineEdit>("编辑框1");
    EXPECT_EQ(line->cursorPosition(), 3);
    EXPECT_FALSE(line->hasSelectedText());

    auto* notes = Find<QPlainTextEdit>("编辑框说明");
    W().编辑框说明->SetContent("one\r\ntwo");
    QTextCursor c = notes->textCursor();
    c.setPosition(1);
    c.setPosition(2, QTextCursor::KeepAnchor);
    notes->setTextCursor(c);
    app::EditAppendText(*W().编辑框说明, "!\r\n");
    EXPECT_EQ(W().编辑框说明->Content(), "one\r\ntwo!\r\n");
    EXPECT_EQ(notes->textCursor().position(), notes->document()->characterCount() - 1);
    EXPECT_FALSE(notes->textCursor().hasSelection());
}

TEST_F(WindowTest, ComboClearEmptiesListAndField) {
    Start();
    app::ComboAddItem(*W().组合框1, "jpg", 0);
    EXPECT_EQ(W().组合框1->Content(), "txt") << "adding an item keeps the typed text";
    app::ComboClear(*W().组合框1);
    EXPECT_EQ(W().组合框1->Content(), "");
    EXPECT_EQ(W().组合框1->ItemCount(), 0);
}

TEST_F(WindowTest, DriveBoxDirectoryBoxAndFileBox) {
    Drives().MakeFolder(Drives().Native('C', "Windows/System"));
    Drives().MakeFolder(Drives().Native('C', "Windows/.hidden"));
    Drives().Write(Drives().Native('C', "Windows/b.txt"), "b");
    Drives().Write(Drives().Native('C', "Windows/A.txt"), "a");
    Start();
    auto* drive = Find<QComboBox>("驱动器框1");
    ASSERT_EQ(drive->count(), 2);
    EXPECT_TRUE(drive->itemText(0).startsWith(QString::fromUtf8("C: （硬盘）")));
    EXPECT_EQ(W().驱动器框1->DriveLetter(), "D");
    W().驱动器框1->SetDriveLetter("z");
    EXPECT_EQ(drive->currentIndex(), -1);
    EXPECT_EQ(W().驱动器框1->DriveLetter(), "C") << "the program's drive";
    W().驱动器框1->SetDriveLetter("c");
    EXPECT_EQ(W().驱动器框1->DriveLetter(), "C");

    W().目录框1->SetDirectory("C:\\\\Windows");
    EXPECT_EQ(W().目录框1->Directory(), "C:\\\\Windows");
    auto* tree = Find<QTreeWidget>("目录框1");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* top = tree->topLevelItem(0);
    EXPECT_EQ(top->text(0), "C:");
    ASSERT_EQ(top->childCount(), 1);
    QTreeWidgetItem* windows = top->child(0);
    EXPECT_EQ(windows->text(0), "Windows");
    ASSERT_EQ(windows->childCount(), 2);
    EXPECT_EQ(windows->child(0)->text(0), ".hidden");
    EXPECT_EQ(windows->child(1)->text(0), "System");

    // A double click on the top item makes it the whole chain.
    DoubleClick(tree->viewport(), tree->visualItemRect(top).center());
    EXPECT_EQ(W().目录框1->Directory(), "C:");
    EXPECT_EQ(W().编辑框3->Content(), "C:\\");
    ASSERT_EQ(tree->topLevelItem(0)->childCount(), 2);  // app and Windows

    auto* files = Find<QListWidget>("文件框1");
    W().文件框1->SetDirectory("C:\\Windows");
    ASSERT_EQ(files->count(), 2);
    EXPECT_EQ(files->item(0)->text(), "A.txt");
    EXPECT_EQ(files->item(1)->text(), "b.txt");
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(1)).center());
    EXPECT_EQ(W().文件框1->SelectedNames(), "b.txt");
    EXPECT_EQ(W().编辑框3->Content(), "C:\\b.txt") << "the directory box still reads C:";
    W().文件框1->SetDirectory("C:\\Windows");
    EXPECT_EQ(W().文件框1->SelectedNames(), "b.txt") << "kept across a relist";
    W().文件框1->SetDirectory("C:\\nowhere");
    EXPECT_EQ(files->count(), 0);
    EXPECT_EQ(W().文件框1->SelectedNames(), "");
}

// Startup and the data files.
class StartupTest : public WindowTest {
  protected:
    std::string RunFile(data::DataFile f) {
        return Drives().Native('C', "app/" + prim::TextToUtf8(data::FileName(f)));
    }
};

TEST_F(StartupTest, FirstStartWritesTheDefaultsAndLaterStartsKeepEdits) {
    Start();
    for (data::DataFile f : data::kStartupOrder)
        EXPECT_EQ(Drives().Read(RunFile(f)), data::DefaultBytes(f));
    EXPECT_EQ(W().state.notesText, data::DefaultBytes(data::DataFile::ExtensionNotes));
    EXPECT_NE(W().state.notesFile, 0);
    window_->close();
    window_.reset();

    Drives().Write(RunFile(data::DataFile::ExtensionList), "");
    Drives().Write(RunFile(data::DataFile::ExtensionNotes), ".abc\r\nmine\r\n");
    Start();
    EXPECT_EQ(Drives().Read(RunFile(data::DataFile::ExtensionList)), "");
    EXPECT_EQ(W().state.notesText, ".abc\r\nmine\r\n");
}

TEST_F(StartupTest, AFolderInPlaceOfTheNotesLeavesThemEmpty) {
    Drives().MakeFolder(RunFile(data::DataFile::ExtensionNotes));
    Start();
    EXPECT_EQ(W().state.notesFile, 0);
    EXPECT_EQ(W().state.notesText, "");
    EXPECT_TRUE(Drives().Read(RunFile(data::DataFile::SystemFileNotes)).has_value());
}

TEST_F(StartupTest, PanesOpenAtDriveD) {
    Drives().MakeFolder(Drives().Native('D', "sub"));
    Drives().Write(Drives().Native('D', "root.txt"), "x");
    Start();
    EXPECT_EQ(Find<QComboBox>("驱动器框1")->currentIndex(), 1);
    EXPECT_EQ(W().目录框1->Directory(), "D:\\");
    EXPECT_EQ(W().文件框1->Directory(), "D:\\");
    EXPECT_EQ(W().编辑框3->Content(), "D:\\");
    auto* tree = Find<QTreeWidget>("目录框1");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "D:");
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(Find<QListWidget>("文件框1")->count(), 1);
}

class NoDriveDTest : public StartupTest {
    testsupport::TempDrives::Options DriveOptions() override {
        testsupport::TempDrives::Options o;
        o.drives = {{'C', ""}, {'E', ""}};
        return o;
    }
};

TEST_F(NoDriveDTest, PanesOpenAtTheProgramsDrive) {
    Start();
    EXPECT_EQ(Find<QComboBox>("驱动器框1")->currentIndex(), -1);
    EXPECT_EQ(W().编辑框3->Content(), "C:\\");
    EXPECT_EQ(W().目录框1->Directory(), "C:\\");
}

TEST_F(WindowTest, ClosingTheWindowClosesEveryFile) {
    Start();
    int f = prim::OpenFile("C:\\app\\" + data::FileName(data::DataFile::ExtensionList));
    ASSERT_NE(f, 0);
    window_->close();
    EXPECT_EQ(prim::ReadAllText(f), "");
    EXPECT_EQ(prim::ReadAllText(W().state.notesFile), "");
}

}  // namespace
}  // namespace windowtest

namespace windowtest {
namespace {

TEST_F(WindowTest, EveryControlHasANameAndTheKeyboardReachesThem) {
    Start();
    for (QWidget* w : window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->objectName().isEmpty() || qobject_cast<QMenu*>(w))
            continue;
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
    EXPECT_EQ(Find("编辑框3")->accessibleName(), QString::fromUtf8("当前目录"));
    EXPECT_EQ(Find("按钮转到")->accessibleName(), QString::fromUtf8("转到"));

    // Tab runs through the focusable controls along the layout, and comes back.
    QWidget* first = Find("编辑框1");
    first->setFocus();
    QStringList visited;
    QWidget* at = first;
    for (int k = 0; k < 30; ++k) {
        at = at->nextInFocusChain();
        while (!(at->focusPolicy() & Qt::TabFocus) || !at->isVisible() || !at->isEnabled())
            at = at->nextInFocusChain();
        if (at == first)
            break;
        visited << at->objectName();
    }
    EXPECT_EQ(visited.front(), QString::fromUtf8("单选框搜文件"));
    EXPECT_TRUE(visited.contains(QString::fromUtf8("列表框1")));
    EXPECT_LT(visited.indexOf(QString::fromUtf8("编辑框3")),
              visited.indexOf(QString::fromUtf8("目录框1")));

    // Enter presses the button that has the focus.
    auto* notes = Find<QAbstractButton>("按钮查看文件解说");
    int clicks = 0;
    QObject::connect(notes, &QAbstractButton::clicked, [&] { ++clicks; });
    notes->setFocus();
    QTest::keyClick(notes, Qt::Key_Return);
    EXPECT_EQ(clicks, 1);

    // Shift+F10 and the Menu key open the context menu on the list and the file box.
    for (const char* name : {"列表框1", "文件框1"}) {
        for (auto key : {std::pair{Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier)},
                         std::pair{Qt::Key_Menu, Qt::KeyboardModifiers()}}) {
            QWidget* list = Find(name);
            list->setFocus();
            const QStringList items =
                PopupTexts([&] { QTest::keyClick(list, key.first, key.second); });
            EXPECT_FALSE(items.isEmpty()) << name;
            EXPECT_EQ(W().state.menuFromResultList, std::string(name) == "列表框1") << name;
        }
    }
}

}  // namespace
}  // namespace windowtest
