#include "explain/system_file_notes.h"

#include "app/window_ops.h"
#include "data/data_files.h"
#include "primitives/codepage.h"
#include "primitives/files.h"

namespace explain {

using namespace app;
using prim::Text;
using prim::U8;

void OnSystemFileNotesClicked(MainWindow& w) {
    if (prim::TextsEqual(w.state.selectedFileName, ""))
        return;
    w.state.systemFilesFile = prim::OpenFile(prim::ConcatText(
        {prim::RunDirectory(), data::SlashLiteral(data::DataFile::SystemFileNotes)}));
    w.state.systemFilesText = prim::ReadAllText(w.state.systemFilesFile);
    w.编辑框说明->SetContent("");
    prim::TextList l = prim::SplitText(w.state.systemFilesText, "\r\n");
    const Text searching = U8("正在搜索");
    const Text* match = nullptr;
    for (const Text& line : l) {
        if (prim::FindText(line, w.state.selectedFileName, 1, true) > 0) {
            match = &line;
            break;
        }
        StatusSetText(*w.状态条1, 1, searching);
    }
    if (match)
        EditAppendText(*w.编辑框说明, *match);
    else
        w.编辑框说明->SetContent(U8("这文件没有记录入库"));
    StatusSetText(*w.状态条1, 1, U8("搜索完成"));
    prim::CloseFile(w.state.systemFilesFile);
}

}  // namespace explain
