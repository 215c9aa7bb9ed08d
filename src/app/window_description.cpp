#include "app/window_description.h"

namespace app {

const std::vector<ControlSpec>& ControlTable() {
    using K = ControlKind;
    static const std::vector<ControlSpec> table = {
        {"标签4", K::Label, 454, 476, 80, 16, "欢迎提出意见"},
        {"标签3", K::Label, 456, 459, 80, 16, "BY:砚舟 "},
        {"标签1", K::Label, 460, 384, 72, 32, "青禾工作室"},
        {"图片框2", K::PictureBox, 472, 336, 48, 40, ""},
        {"图片框1", K::PictureBox, 474, 421, 42, 35, ""},
        {"按钮加入后缀", K::PushButton, 452, 4, 80, 22, "加入后缀解说", true, true, false, true},
        {"单选框搜文件", K::RadioButton, 156, 10, 80, 14, "按文件名搜", true, false, true, true},
        {"单选框搜后缀", K::RadioButton, 239, 10, 71, 14, "按类型搜", true, false, false, true},
        {"拖放对象1", K::DropTarget, 0, 0, 0, 0, "", false},
        {"按钮转到", K::PushButton, 483, 57, 48, 24, "转到", true, false, false, true},
        {"选择框2", K::CheckBox, 416, 37, 112, 17, "自动清空列表", true, false, true, true},
        {"按钮停止", K::PushButton, 378, 4, 61, 22, "停 止", true, false, false, true},
        {"标签2", K::Label, 6, 62, 50, 16, "当前目录"},
        {"编辑框3", K::LineEdit, 62, 59, 418, 24, "", true, false, false, true},
        {"气球提示框1", K::TipBox, 0, 0, 0, 0, "", false},
        {"状态条1", K::StatusBar, 0, 440, 541, 20, ""},
        {"按钮查看文件解说", K::PushButton, 176, 32, 88, 24, "系统文件说明", true, false, false,
         true},
        {"编辑框说明", K::MultiLineEdit, 3, 335, 453, 161, "", true, false, false, true},
        {"文件框1", K::FileBox, 149, 85, 180, 247, "", true, false, false, true},
        {"目录框1", K::DirectoryBox, 2, 85, 148, 247, "", true, false, false, true},
        {"驱动器框1", K::DriveBox, 5, 36, 150, 26, "", true, false, false, true},
        {"选择框指定位置", K::CheckBox, 298, 37, 112, 17, "在指定位置搜索", true, false, false,
         true},
        {"列表框1", K::ListBox, 331, 85, 206, 247, "", true, false, false, true},
        {"按钮搜索文件", K::PushButton, 315, 4, 61, 22, "开 始", true, false, false, true},
        {"组合框1", K::ComboBox, 5, 7, 83, 17, "txt", false, false, false, true},
        {"编辑框1", K::LineEdit, 5, 7, 150, 22, "砚舟", true, false, false, true},
    };
    return table;
}

const std::vector<MenuItemSpec>& MenuTable() {
    static const std::vector<MenuItemSpec> items = {
        {"打开目录", true}, {"查看属性", true}, {"从列表中删除", false}, {"删除文件", true},
        {"移动到", true},   {"全部选择", true}, {"运行该文件", true},    {"播放音乐", false},
    };
    return items;
}

std::string_view WelcomeNote() {
    return "愿这个小工具帮你把电脑里的文件找得快、理得清。\r\n"
           "本软件完全免费，无任何限制！\r\n"
           "所有的文件说明都在本程序目录下可找到，文件为TXT文件，可自由增加解说！\r\n"
           "鼠标放在组件上将显示说明文本！\r\n"
           "程序支技拖放，把文件拖到窗口，浏览框将转到该文件目录下！\r\n"
           "版本 1.0，2026年12月发布。";
}

}  // namespace app
