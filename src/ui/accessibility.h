#pragma once
// What assistive technology and keyboard users get from the main window:
// a spoken name for every control and a Tab order that follows the layout.
#include <QWidget>

namespace ui {

// Buttons, check boxes and labels are named by their caption; boxes and lists
// by what they hold (编辑框3 is 当前目录).
void NameControls(QWidget& window);
// Tab goes through the focusable controls from top to bottom, left to right.
void OrderTabsByPosition(QWidget& window);

}  // namespace ui
