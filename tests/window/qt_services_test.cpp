// The real Qt message box: its title, its buttons and what each key answers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "primitives/codepage.h"
#include "primitives/services.h"
#include "support/temp_drives.h"
#include "ui/qt_services.h"

namespace {

struct Seen {
    QString title;
    QString text;
    int buttons = 0;
    bool icon = true;
};

// Answers the box that is about to show with `answer`, noting what it looked like.
int Ask(std::function<int()> open, std::function<void(QMessageBox*)> answer, Seen& seen) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.buttons = static_cast<int>(box->buttons().size());
        seen.icon = box->icon() != QMessageBox::NoIcon;
        answer(box);
    });
    return open();
}

void Key(QMessageBox* box, Qt::Key key) {
    QTest::keyClick(box, key);
}

TEST(QtMessageBox, AnswersAsTheContractSays) {
    ui::QtServices services;
    prim::InstallServices(&services);
    struct Case {
        int buttonSet;
        std::function<void(QMessageBox*)> answer;
        int result;
        const char* what;
    };
    const Case cases[] = {
        {0, [](QMessageBox* b) { Key(b, Qt::Key_Escape); }, 0, "Esc on OK only"},
        {0, [](QMessageBox* b) { Key(b, Qt::Key_Return); }, 0, "Enter on OK only"},
        {1, [](QMessageBox* b) { Key(b, Qt::Key_Escape); }, 1, "Esc on OK/Cancel"},
        {1, [](QMessageBox* b) { Key(b, Qt::Key_Return); }, 0, "Enter: OK is the default"},
        {1, [](QMessageBox* b) { b->button(QMessageBox::Cancel)->click(); }, 1, "Cancel"},
        {1, [](QMessageBox* b) { b->button(QMessageBox::Ok)->click(); }, 0, "OK"},
    };
    for (const Case& c : cases) {
        Seen seen;
        int result =
            Ask([&] { return prim::MessageBox(prim::U8("第一行\r\n第二行"), c.buttonSet); },
                c.answer, seen);
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(seen.title, QString::fromUtf8("信息：")) << c.what;
        EXPECT_EQ(seen.text, QString::fromUtf8("第一行\n第二行")) << c.what;
        EXPECT_EQ(seen.buttons, c.buttonSet + 1) << c.what;
        EXPECT_FALSE(seen.icon) << c.what;
    }
    Seen seen;
    Ask([] { return prim::MessageBox("x", 0, prim::U8("标题")); },
        [](QMessageBox* b) { Key(b, Qt::Key_Return); }, seen);
    EXPECT_EQ(seen.title, QString::fromUtf8("标题"));
    prim::InstallServices(nullptr);
}

// The real folder picker: its title, and the chosen folder as a drive path.
TEST(QtFolderPicker, GivesDrivePathsOrNothing) {
    testsupport::TempDrives drives;
    testsupport::TempDrives::MakeFolder(drives.Native('D', "目标"));
    ui::QtServices services;
    struct Case {
        std::string native;  // empty: cancel
        prim::Text expected;
    };
    const Case cases[] = {
        {drives.Native('D', "目标"), prim::U8("D:\\目标")},
        {drives.Native('D'), "D:\\"},
        {"/", ""},  // outside every drive
        {"", ""},
    };
    for (const Case& c : cases) {
        QString title;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            title = dialog->windowTitle();
            if (c.native.empty()) {
                dialog->reject();
                return;
            }
            dialog->setDirectory(QString::fromStdString(c.native));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        EXPECT_EQ(services.BrowseForFolder(prim::U8("要把文件移动到")), c.expected) << c.native;
        EXPECT_EQ(title, QString::fromUtf8("要把文件移动到"));
    }
}

}  // namespace
