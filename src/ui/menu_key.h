#pragma once
// The keys that open a context menu from the keyboard: the Menu key and
// Shift+F10. Qt turns only the first into a context-menu event, and only when
// it comes from the window system.
#include <QKeyEvent>

namespace ui {

inline bool IsMenuKey(const QKeyEvent& e) {
    return e.key() == Qt::Key_Menu ||
           (e.key() == Qt::Key_F10 && (e.modifiers() & Qt::ShiftModifier));
}

}  // namespace ui
