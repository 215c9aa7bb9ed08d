#pragma once
// The main window's description: title, size, the controls in creation order
// with their places and initial states, and the context menu. Texts are UTF-8.
#include <string_view>
#include <vector>

namespace app {

enum class ControlKind {
    Label,
    PictureBox,
    PushButton,
    RadioButton,
    CheckBox,
    DropTarget,
    LineEdit,
    MultiLineEdit,
    TipBox,
    StatusBar,
    FileBox,
    DirectoryBox,
    DriveBox,
    ListBox,
    ComboBox,
};

struct ControlSpec {
    std::string_view name;
    ControlKind kind;
    int left, top, width, height;  // in the client area
    std::string_view text;
    bool visible = true;
    bool disabled = false;
    bool checked = false;
    bool tabStop = false;
};

struct MenuItemSpec {
    std::string_view text;
    bool visible;
};

inline constexpr std::string_view kWindowTitle =
    "砚舟工作室－－－文件查找管理工具－－晨曦纪念版！！";
inline constexpr int kOuterWidth = 547;
inline constexpr int kOuterHeight = 538;
// The designed borders: a 3-pixel frame and a caption, around the client area.
inline constexpr int kFrameWidth = 3;
inline constexpr int kCaptionHeight = 16;

const std::vector<ControlSpec>& ControlTable();
const std::vector<MenuItemSpec>& MenuTable();  // children of "右键", in order
std::string_view WelcomeNote();                // lines joined by "\r\n"

}  // namespace app
