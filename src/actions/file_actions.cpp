#include "actions/file_actions.h"

#include "actions/result_list.h"
#include "app/window_ops.h"
#include "primitives/codepage.h"
#include "primitives/files.h"
#include "primitives/services.h"

namespace actions {

using namespace app;
using prim::ConcatText;
using prim::IntToText;
using prim::RealToInt;
using prim::Text;
using prim::TextsEqual;
using prim::U8;

Text FormatFileSize(std::string_view path) {
    std::int32_t s = prim::GetFileSize(path);
    if (s < 1024)
        return ConcatText({IntToText(s), " B"});
    double q = s / 1024.0;
    if (q - 1024 < -0.0000001)
        return ConcatText({IntToText(RealToInt(q)), " KB"});
    q = s / 1048576.0;
    if (q - 1024 < -0.0000001)
        return ConcatText({IntToText(RealToInt(q)), " MB"});
    return ConcatText({IntToText(RealToInt(s / 1073741824.0)), " GB"});
}

void OnMenuOpenFolder(MainWindow& w) {
    Text p = w.编辑框3->Content();
    if (!prim::FileExists(p))
        return;
    prim::TextList parts = prim::SplitText(p, "\\");
    Text f;
    for (size_t i = 0; i + 1 < parts.size(); ++i)
        f = ConcatText({f, parts[i], "\\"});
    prim::OpenInShell(f);
}

void OnMenuShowProperties(MainWindow& w) {
    Text p = w.编辑框3->Content();
    if (!prim::FileExists(p))
        return;
    static const struct {
        int bit;
        const char* word;
    } kWords[] = {
        {1, "  只读"}, {2, "  隐藏"}, {4, "  系统文件"}, {16, "  目录"}, {32, "  存档文件"}};
    Text a = U8("文件属性为：");
    for (const auto& row : kWords)
        if ((prim::GetFileAttributes(p) & row.bit) == row.bit)
            a = ConcatText({a, U8(row.word)});
    Text s = FormatFileSize(p);
    Text n = prim::TextRight(p, prim::TextLength(p) - prim::FindTextReverse(p, "\\", false));
    Text d = prim::TimeToText(prim::GetFileTime(p), 2);
    prim::MessageBox(ConcatText({U8("文件: "), n, U8("  的属性如下\r\n"), a, U8("\r\n大小为： "), s,
                                 U8("\r\n创建于"), d}),
                     0);
}

namespace {

// The panes and the result list after a successful delete.
void TidyUpAfterDelete(MainWindow& w, const Text& p) {
    w.文件框1->SetDirectory(w.目录框1->Directory());
    if (w.state.menuFromResultList) {
        for (int i = 0; i < ListItemCount(*w.列表框1); ++i) {
            if (TextsEqual(ListItemText(*w.列表框1, i), p)) {
                ListDeleteItem(*w.列表框1, i);
                break;
            }
        }
    }
    w.编辑框3->SetContent("");
}

}  // namespace

void OnMenuDeleteFile(MainWindow& w) {
    Text p = w.编辑框3->Content();
    if (!prim::FileExists(p))
        return;
    prim::MessageBox(U8("本程序删除的文件不能在回收站找到，删除前请确认！"), 0);
    const Text title = U8("删除文件");
    if ((prim::GetFileAttributes(p) & prim::kAttrSystem) == prim::kAttrSystem) {
        if (prim::MessageBox(ConcatText({U8("这是一个系统文件，真的要删除吗？\r\n"), p}), 1,
                             title) == 1)
            return;
    } else if ((prim::GetFileAttributes(p) & prim::kAttrReadOnly) == prim::kAttrReadOnly) {
        if (prim::MessageBox(ConcatText({U8("这是一个只读文件，真的要删除吗？\r\n"), p}), 1,
                             title) == 1)
            return;
        prim::SetFileAttributes(p, prim::kAttrArchive);
    } else if ((prim::GetFileAttributes(p) & prim::kAttrDirectory) == prim::kAttrDirectory) {
        if (prim::MessageBox(U8("这是一个文件夹，删除的话会把文件夹里所有文件全部删除！确认吗？"),
                             1) == 1)
            return;
        if (prim::DeleteDirectory(p)) {
            prim::MessageBox(U8("已删除"), 0);
            TidyUpAfterDelete(w, p);
            return;
        }
    }
    if (prim::MessageBox(ConcatText({U8("真的要删除吗？\r\n"), p}), 1, title) == 1)
        return;
    prim::CloseAllFiles();
    if (!prim::DeleteFile(p))
        return;
    TidyUpAfterDelete(w, p);
    prim::MessageBox(U8("已删除"), 0);
}

void OnMenuRunFile(MainWindow& w) {
    Text p = w.编辑框3->Content();
    if (!TextsEqual(p, "") && prim::FileExists(p))
        prim::ShellExecuteFile(4, p);
    w.编辑框说明->SetContent(U8(
        "运行文件只是调用该文件，与本程序无关，该文件必须已经在注册表中注册了打开方式，才能正常调"
        "用!\r\n如果点击后没有反应，那么可能是该类型文件并没有在注册表中注册！\r\n你可以双击该文"
        "件，在本窗口可以看到该类型文件的说明.\r\n或打开该文件目录，用另外的方法去打开它！"));
}

void OnMenuMoveTo(MainWindow& w) {
    Text t = prim::BrowseForFolder(U8("要把文件移动到"));
    if (TextsEqual(t, "")) {
        w.编辑框说明->SetContent(U8("目标文件夹没选好！"));
        return;
    }
    if (!TextsEqual(prim::TextRight(t, 1), "\\"))
        t = ConcatText({t, "\\"});
    w.编辑框说明->SetContent(
        ConcatText({U8("任务：移动文件！\r\n要移动到的文件夹为："), t, "\r\n"}));

    // The sources are fixed once, before anything moves.
    std::vector<int> indexes;
    prim::TextList names;
    Text folder;
    if (w.state.menuFromResultList) {
        indexes = ListSelectedIndexes(*w.列表框1);
    } else {
        names = prim::SplitText(w.文件框1->SelectedNames(), ";");
        folder = w.文件框1->Directory();
        if (!TextsEqual(prim::TextRight(folder, 1), "\\"))
            folder = ConcatText({folder, "\\"});
    }
    size_t count = w.state.menuFromResultList ? indexes.size() : names.size();
    for (size_t k = 0; k < count; ++k) {
        Text s = w.state.menuFromResultList ? ListItemText(*w.列表框1, indexes[k])
                                            : ConcatText({folder, names[k]});
        Text z = FormatFileSize(s);
        EditAppendText(*w.编辑框说明,
                       ConcatText({U8("正在移动: "), s, U8("    文件大小: "), z, "\r\n"}));
        Text target = ConcatText(
            {t, prim::TextRight(s, prim::TextLength(s) - prim::FindTextReverse(s, "\\", false))});
        if (prim::MoveFile(s, target)) {
            EditAppendText(*w.编辑框说明, U8("移动成功！！\r\n"));
        } else {
            EditAppendText(*w.编辑框说明, ConcatText({U8("!!!!!!!注意!!!!!!!!移动文件： "), s,
                                                      U8("  失败!\r\n")}));
            prim::Beep();
        }
    }
    EditAppendText(*w.编辑框说明, U8("移动文件完毕！\r\n"));
    if (w.state.menuFromResultList)
        OnMenuRemoveFromList(w);
    w.文件框1->SetDirectory(w.目录框1->Directory());
}

}  // namespace actions
