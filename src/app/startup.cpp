#include "app/startup.h"

#include "app/window_ops.h"
#include "data/data_files.h"
#include "primitives/codepage.h"
#include "primitives/files.h"

namespace app {

using prim::ConcatText;
using prim::RunDirectory;
using prim::U8;

namespace {

void AttachTips(MainWindow& w) {
    auto tip = [&w](Control* c, const char* text) { AttachTip(w, *c, U8(text), -1); };
    tip(w.编辑框3,
        "这里显示的是你选中的文件地址！\r\n你也可以在这里输入你要进入到的文件夹，将快速打开该地址"
        "！");
    tip(w.选择框2,
        "选中本项将在每次开始搜索的时候自动清空列表."
        "\r\n如果取消本项，将把搜索结果加入到原有的列表项目里");
    tip(w.单选框搜文件, "选择查找带有该字符的所有类型文件");
    tip(w.单选框搜后缀, "选择查找固定类型的所有不同名文件");
    tip(w.驱动器框1, "请选择盘符");
    tip(w.按钮转到,
        "转到该目录下，目录以‘\\’结束，\r\n如果输入的地址不是以‘\\’结束，\r\n系统会自动在后面加上‘"
        "\\’,"
        "\r\n如果你是拖放进来的文件，\r\n会打开一个不存在的文件夹，\r\n你只要在左边的目录框中双击上"
        "一层"
        "文件夹，\r\n就能访问到该文件所在目录！");
    tip(w.目录框1, "双击更改目录");
    tip(w.按钮停止, "点击停止搜索，再次搜索将从新开始！");
    tip(w.选择框指定位置, "如果选中，就在已选择的目录中搜索！\r\n如果没选中，将搜索电脑内所有文件");
    tip(w.编辑框1, "这里输入你要查找的文件名，\r\n将在下面右边列出找到的文件！");
    tip(w.文件框1,
        "这里列出的是你电脑中已存在的文件，双击可查看文件属性，\r\n如果是系统文件，可以点上方的系统"
        "文件说明来查看该文件的说明！\r\n右键可进行更多操作！");
    tip(w.按钮加入后缀,
        "如果你选中的文件后缀名，系统中没有收录，这个按钮将可用.\r\n在左边编辑框内输入你自己的解说"
        "后，可增加一个说明！");
    tip(w.按钮搜索文件,
        "点击开始查找文件。\r\n如果要指定目录，可在下方选择框中打上勾，再选择你的目录！");
    tip(w.组合框1,
        "请输入你要查找的后缀名.\r\n或点击选择你要查找的文件后缀名！\r\n如果你要找的文件后缀是常用"
        "文件，建议指定目录查找，\r\n不然找出来的文件将很多很多！！");
    tip(w.按钮查看文件解说,
        "本系统自带大部分系统文件说明，\r\n你也可以自己增加你的说明，说明文件与本程序在同一目录下！"
        "\r\n注意格式要一样！");
    tip(w.列表框1, "这里将列出你所查找的文件，右键更多功能！");
    tip(w.编辑框说明,
        "说明框，双击你要查看的文件，这里可以看到说明！\r\n或者在这里输入说明，可以按右边的按钮增加"
        "一个说明!");
}

}  // namespace

void OnWindowCreated(MainWindow& w) {
    for (data::DataFile f : data::kStartupOrder) {
        prim::Text path = ConcatText({RunDirectory(), data::BackslashLiteral(f)});
        if (!prim::FileExists(path))
            prim::WriteFileBytes(ConcatText({RunDirectory(), data::BackslashLiteral(f)}),
                                 data::DefaultBytes(f));
    }

    int w0 = StatusGetPartWidth(*w.状态条1, 0);
    int outer = w.window->Width();
    StatusSetPartWidth(*w.状态条1, 1, outer - w0);

    RegisterDropTarget(w, WindowHandle(w));

    AttachTips(w);

    w.驱动器框1->SetDriveLetter("d");
    prim::Text d = w.驱动器框1->DriveLetter();
    w.目录框1->SetDirectory(ConcatText({d, ":\\"}));
    w.文件框1->SetDirectory(w.目录框1->Directory());
    w.编辑框3->SetContent(w.目录框1->Directory());

    w.state.notesFile = prim::OpenFile(
        ConcatText({RunDirectory(), data::SlashLiteral(data::DataFile::ExtensionNotes)}));
    w.state.notesText = prim::ReadAllText(w.state.notesFile);
}

void OnWindowWillBeDestroyed(MainWindow&) {
    prim::CloseAllFiles();
}

void ReleaseGlobalTexts(AppState& s) {
    s.notesText.clear();
    s.selectedFileName.clear();
    s.selectedExtension.clear();
    s.systemFilesText.clear();
}

}  // namespace app
