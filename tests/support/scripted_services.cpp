#include "scripted_services.h"

namespace testsupport {

ScriptedServices::ScriptedServices() {
    prim::InstallServices(this);
}

ScriptedServices::~ScriptedServices() {
    if (prim::InstalledServices() == this)
        prim::InstallServices(nullptr);
}

int ScriptedServices::MessageBox(const prim::Text& message, int buttonSet,
                                 const prim::Text& title) {
    messages.push_back({message, buttonSet, title});
    if (messageAnswers.empty())
        return 0;
    int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

void ScriptedServices::Beep() {
    ++beeps;
}

prim::Text ScriptedServices::BrowseForFolder(const prim::Text& title) {
    pickerTitles.push_back(title);
    if (folderAnswers.empty())
        return prim::Text();
    prim::Text answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

void ScriptedServices::ShellExecuteFile(int operation, const prim::Text& file) {
    shellCalls.push_back({operation, file});
}

void ScriptedServices::OpenInShell(const prim::Text& target) {
    shellCalls.push_back({0, target});
}

}  // namespace testsupport
