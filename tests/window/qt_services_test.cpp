// The real Qt message box: its title, its buttons and what each key answers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "primitives/codepage.h"
#include "primitives/services.h"
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

}  // namespace
