#include "explain/extension_notes.h"

#include "app/window_ops.h"
#include "data/data_files.h"
#include "primitives/codepage.h"
#include "primitives/files.h"

namespace explain {

using namespace app;
using prim::ConcatText;
using prim::Text;
using prim::TextList;
using prim::U8;

void OnFileBoxDoubleClick(MainWindow& w) {
    TextList p = prim::SplitText(w.state.selectedFileName, ".");
    if (p.size() <= 1) {
        const Text none = U8("这个文件没有后缀");
        w.编辑框说明->SetContent(none);
        StatusSetText(*w.状态条1, 0, none);
        return;
    }
    w.state.selectedExtension = p.back();
    TextList l = prim::SplitText(w.state.notesText, "\r\n");
    w.编辑框说明->SetContent(ConcatText(
        {U8("这个类型文件没有记录！如果你知道该类型文件说明，可以在本程序目录下找到‘后缀解说."
            "txt’文件"
            "，并在里面加入你的说明！以后就可以正常查看该类型文件说明了！\r\n本程序地址： \r\n"),
         prim::RunDirectory(), "\\"}));
    const int n = prim::TextLength(w.state.selectedExtension);
    for (size_t i = 0; i < l.size(); ++i) {
        if (!prim::TextsEqual(prim::TextLeft(l[i], 1), "."))
            continue;
        Text e = prim::SplitText(l[i], ".").back();
        if (prim::TextLength(e) != n)
            continue;
        if (prim::CompareText(e, w.state.selectedExtension, false) == 0) {
            // A header on the last line has no description: show the header alone.
            if (i + 1 < l.size()) {
                w.编辑框说明->SetContent(ConcatText({l[i], "\r\n", l[i + 1]}));
                StatusSetText(*w.状态条1, 0, l[i + 1]);
            } else {
                w.编辑框说明->SetContent(l[i]);
            }
            w.按钮加入后缀->SetDisabled(true);
            return;
        }
    }
    // No note for this extension: the button's tip says it becomes usable now.
    w.按钮加入后缀->SetDisabled(false);
}

void OnExtensionComboPopup(MainWindow& w) {
    ComboClear(*w.组合框1);
    int f = prim::OpenFile(
        ConcatText({prim::RunDirectory(), data::SlashLiteral(data::DataFile::ExtensionList)}));
    TextList l = prim::SplitText(prim::ReadAllText(f), "\r\n");
    for (size_t i = 0; i < l.size(); ++i)
        ComboAddItem(*w.组合框1, l[i], static_cast<int>(i));
    prim::CloseFile(f);
}

}  // namespace explain
