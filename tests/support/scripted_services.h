#pragma once
// A prim::Services for tests: records every call and answers from queues.
//
//   ScriptedServices s;                      // installs itself, uninstalls when destroyed
//   s.messageAnswers = {1};                  // the first box answers Cancel, later ones 0
//   ... run a handler ...
//   ASSERT_EQ(s.messages.size(), 1u);
//   EXPECT_EQ(s.messages[0].title, prim::U8("删除文件"));
#include <deque>
#include <vector>

#include "primitives/services.h"

namespace testsupport {

class ScriptedServices : public prim::Services {
  public:
    struct Message {
        prim::Text message;
        int buttonSet;
        prim::Text title;
    };
    struct ShellCall {
        int operation;  // ShellExecuteFile's code; 0 for OpenInShell
        prim::Text target;
    };

    ScriptedServices();  // installs itself
    ~ScriptedServices() override;

    // Answers, taken from the front; when empty a box answers 0 and the picker empty text.
    std::deque<int> messageAnswers;
    std::deque<prim::Text> folderAnswers;

    std::vector<Message> messages;
    std::vector<prim::Text> pickerTitles;
    std::vector<ShellCall> shellCalls;  // ShellExecuteFile and OpenInShell, in call order
    int beeps = 0;

    int MessageBox(const prim::Text& message, int buttonSet, const prim::Text& title) override;
    void Beep() override;
    prim::Text BrowseForFolder(const prim::Text& title) override;
    void ShellExecuteFile(int operation, const prim::Text& file) override;
    void OpenInShell(const prim::Text& target) override;
};

}  // namespace testsupport
