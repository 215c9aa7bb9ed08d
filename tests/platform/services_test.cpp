// The free dialog and shell functions over the installed service.
#include <gtest/gtest.h>

#include "primitives/codepage.h"
#include "primitives/services.h"
#include "support/scripted_services.h"

using testsupport::ScriptedServices;

namespace {

TEST(Services, ScriptedAnswersAndRecords) {
    ScriptedServices s;
    s.messageAnswers = {1};
    s.folderAnswers = {"D:\\"};
    EXPECT_EQ(prim::MessageBox("first", 1), 1);
    EXPECT_EQ(prim::MessageBox("second", 0, "title"), 0);  // queue empty: OK
    ASSERT_EQ(s.messages.size(), 2u);
    EXPECT_EQ(s.messages[0].message, "first");
    EXPECT_EQ(s.messages[0].buttonSet, 1);
    EXPECT_EQ(s.messages[0].title, prim::U8("信息："));
    EXPECT_EQ(s.messages[1].title, "title");
    EXPECT_EQ(prim::BrowseForFolder("pick"), "D:\\");
    EXPECT_EQ(prim::BrowseForFolder("again"), "");
    EXPECT_EQ(s.pickerTitles, (std::vector<prim::Text>{"pick", "again"}));
    prim::Beep();
    prim::ShellExecuteFile(4, "C:\\a.txt");
    prim::OpenInShell("C:\\dir");
    EXPECT_EQ(s.beeps, 1);
    ASSERT_EQ(s.shellCalls.size(), 2u);
    EXPECT_EQ(s.shellCalls[0].operation, 4);
    EXPECT_EQ(s.shellCalls[0].target, "C:\\a.txt");
    EXPECT_EQ(s.shellCalls[1].operation, 0);
    EXPECT_EQ(s.shellCalls[1].target, "C:\\dir");
}

TEST(Services, WithoutAServiceBoxesAnswerOk) {
    prim::InstallServices(nullptr);
    EXPECT_EQ(prim::MessageBox("x", 1), 0);
    EXPECT_EQ(prim::BrowseForFolder("x"), "");
    prim::Beep();
    prim::OpenInShell("x");
}

}  // namespace
