#include "search/search_command.h"

#include "app/window_ops.h"
#include "data/data_files.h"
#include "primitives/codepage.h"
#include "primitives/files.h"
#include "primitives/services.h"
#include "search/walker.h"

namespace search {

using namespace app;
using prim::ConcatText;
using prim::Text;
using prim::U8;

void ApplySearchModeVisibility(MainWindow& w) {
    if (w.单选框搜文件->Checked()) {
        w.编辑框1->SetVisible(true);
        w.组合框1->SetVisible(false);
        SetFocus(*w.编辑框1);
        w.编辑框1->SetSelectionStart(-1);
    } else if (w.单选框搜后缀->Checked()) {
        w.编辑框1->SetVisible(false);
        w.组合框1->SetVisible(true);
    }
}

void OnByNameRadioClicked(MainWindow& w) {
    ApplySearchModeVisibility(w);
}

void OnByTypeRadioClicked(MainWindow& w) {
    ApplySearchModeVisibility(w);
}

void OnStopClicked(MainWindow& w) {
    w.state.stopRequested = true;
}

namespace {

// Offers to record an extension that the list file lacks; the search goes on either way.
void CheckExtensionList(MainWindow& w) {
    int file = prim::OpenFile(
        ConcatText({prim::RunDirectory(), data::SlashLiteral(data::DataFile::ExtensionList)}));
    prim::TextList lines = prim::SplitText(prim::ReadAllText(file), "\r\n");
    bool listed = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        ComboAddItem(*w.组合框1, lines[i], static_cast<int>(i));
        if (prim::TextsEqual(w.组合框1->Content(), lines[i])) {
            listed = true;
            break;
        }
    }
    if (!listed &&
        prim::MessageBox(U8("记录里没有这个后缀，是不是增加？"), 1, U8("增加后缀吗？")) == 0) {
        if (prim::WriteTextLine(file, w.组合框1->Content()))
            prim::MessageBox(U8("写入成功！"), 0);
    }
    prim::CloseFile(file);
}

// Drives c: to q: whose root takes a new file. The probe only ever creates a
// file of its own, so an existing 测试文件.txt is never touched.
prim::TextList WritableDriveRoots() {
    static const Text probeText =
        U8("本文件为测试文件，由本地文件搜索工具生成，程序关闭后会自动删除");
    const Text probeName = U8(":\\测试文件.txt");
    prim::TextList roots;
    prim::ByteBlock bytes = prim::TextToBytes(probeText);
    for (char letter = 'c'; letter <= 'q'; ++letter) {
        Text probe = ConcatText({Text(1, letter), probeName});
        bool writable = prim::CreateNewFileBytes(probe, bytes);
        if (writable) {
            prim::DeleteFile(probe);
        } else if (prim::FileExists(probe)) {
            // The name is taken by a file of the user's: try a name that is free.
            for (int k = 1; k < 100 && !writable; ++k) {
                Text other =
                    ConcatText({Text(1, letter), U8(":\\测试文件"), prim::IntToText(k), ".txt"});
                if (prim::CreateNewFileBytes(other, bytes)) {
                    writable = true;
                    prim::DeleteFile(other);
                } else if (!prim::FileExists(other)) {
                    break;
                }
            }
        }
        if (writable)
            roots.push_back(ConcatText({Text(1, letter), ":\\"}));
    }
    return roots;
}

}  // namespace

void OnStartSearchClicked(MainWindow& w) {
    w.state.searchByName = w.单选框搜文件->Checked();
    if (!w.state.searchByName) {
        Text ext = w.组合框1->Content();
        if (prim::FindText(ext, ".", 1, false) > 0 || prim::TextsEqual(ext, "")) {
            prim::MessageBox(U8("格式错误"), 0);
            return;
        }
        CheckExtensionList(w);
    }
    if (w.选择框2->Checked())
        ListClear(*w.列表框1);
    StatusSetText(*w.状态条1, 1, U8("正在搜索"));
    w.state.stopRequested = false;
    w.组合框1->SetDisabled(true);
    if (w.选择框指定位置->Checked()) {
        Text root = w.目录框1->Directory();
        if (!prim::TextsEqual(prim::TextRight(root, 1), "\\"))
            root = ConcatText({root, "\\"});
        SearchDirectory(w, root);
    } else {
        for (const Text& root : WritableDriveRoots()) {
            SearchDirectory(w, root);
            if (w.state.stopRequested)
                break;
        }
    }
    StatusSetText(*w.状态条1, 0, w.state.stopRequested ? U8("手动停止") : U8("完成"));
    w.组合框1->SetDisabled(false);
    StatusSetText(*w.状态条1, 1, U8("搜索完毕"));
}

}  // namespace search
