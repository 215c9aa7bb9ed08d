#pragma once
// The main window as the handlers see it: every control by its name, the
// context menu's items, the window operations and the shared state. The window
// toolkit fills in the pointers; they stay valid while the window exists.
#include "app/app_state.h"
#include "app/controls.h"

namespace app {

struct MainWindow {
    Control* 标签4 = nullptr;
    Control* 标签3 = nullptr;
    Control* 标签1 = nullptr;
    Control* 图片框2 = nullptr;
    Control* 图片框1 = nullptr;
    Control* 按钮加入后缀 = nullptr;
    CheckBox* 单选框搜文件 = nullptr;
    CheckBox* 单选框搜后缀 = nullptr;
    Control* 按钮转到 = nullptr;
    CheckBox* 选择框2 = nullptr;
    Control* 按钮停止 = nullptr;
    Control* 标签2 = nullptr;
    EditBox* 编辑框3 = nullptr;
    StatusBar* 状态条1 = nullptr;
    Control* 按钮查看文件解说 = nullptr;
    EditBox* 编辑框说明 = nullptr;
    FileBox* 文件框1 = nullptr;
    DirectoryBox* 目录框1 = nullptr;
    DriveBox* 驱动器框1 = nullptr;
    CheckBox* 选择框指定位置 = nullptr;
    ListBox* 列表框1 = nullptr;
    Control* 按钮搜索文件 = nullptr;
    ComboBox* 组合框1 = nullptr;
    EditBox* 编辑框1 = nullptr;

    // Children of the hidden top item "右键" of ContextMenu, in menu order.
    MenuItem* 打开目录 = nullptr;
    MenuItem* 查看属性 = nullptr;
    MenuItem* 从列表中删除 = nullptr;
    MenuItem* 删除文件 = nullptr;
    MenuItem* 移动到 = nullptr;
    MenuItem* 全部选择 = nullptr;
    MenuItem* 运行该文件 = nullptr;
    MenuItem* 播放音乐 = nullptr;

    WindowOps* window = nullptr;
    AppState state;
};

}  // namespace app
