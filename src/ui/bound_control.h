#pragma once
// A Qt widget that is also one of the handlers' control interfaces.
#include <QWidget>

#include "app/controls.h"

namespace ui {

template <class Widget, class Interface>
class Bound : public Widget, public Interface {
  public:
    using Widget::Widget;
    bool Visible() const override { return !this->isHidden(); }
    void SetVisible(bool visible) override { this->setVisible(visible); }
    bool Disabled() const override { return !this->isEnabled(); }
    void SetDisabled(bool disabled) override { this->setEnabled(!disabled); }
    void SetFocus() override { this->setFocus(Qt::OtherFocusReason); }
};

// Controls the handlers only show, hide, enable or focus.
template <class Widget>
class Plain : public Bound<Widget, app::Control> {
  public:
    using Bound<Widget, app::Control>::Bound;
};

}  // namespace ui
