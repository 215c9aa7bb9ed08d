#pragma once
// The clicks a list with a context menu shares (the file box and the result
// list): a right click leaves the selection as it is (Qt's views would select
// the item under the pointer) and asks for the menu on release; the Menu key
// and Shift+F10 ask for it too; a double click on an item is reported.
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace ui {

template <class View>
class MenuClicks : public View {
  public:
    using View::View;

  protected:
    virtual void MenuRequested() = 0;
    virtual void ItemDoubleClicked() = 0;

    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::RightButton) {
            this->setFocus(Qt::MouseFocusReason);
            e->accept();
            return;
        }
        View::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::RightButton) {
            e->accept();
            MenuRequested();
            return;
        }
        View::mouseReleaseEvent(e);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        View::mouseDoubleClickEvent(e);
        if (e->button() == Qt::LeftButton && this->indexAt(e->position().toPoint()).isValid())
            ItemDoubleClicked();
    }
    // Qt turns only a Menu key from the window system into a context-menu
    // event; Shift+F10 and a Menu key sent to the widget come here as keys.
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Menu ||
            (e->key() == Qt::Key_F10 && (e->modifiers() & Qt::ShiftModifier))) {
            e->accept();
            MenuRequested();
            return;
        }
        View::keyPressEvent(e);
    }
    void contextMenuEvent(QContextMenuEvent* e) override {
        if (e->reason() == QContextMenuEvent::Keyboard)
            MenuRequested();
        e->accept();
    }
};

}  // namespace ui
