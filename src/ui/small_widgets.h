#pragma once
// The type combo box, the two-part status bar, buttons and check boxes.
#include <QAbstractButton>
#include <QComboBox>
#include <QWidget>
#include <vector>

#include "ui/bound_control.h"

namespace ui {

class TypeComboBox : public Bound<QComboBox, app::ComboBox> {
    Q_OBJECT
  public:
    explicit TypeComboBox(QWidget* parent);
    app::Text Content() const override;
    void Clear() override;
    int AddItem(const app::Text& text, int value) override;
    int ItemCount() const override { return count(); }
    app::Text ItemText(int index) const override;
    void showPopup() override;

  signals:
    void listWillPopUp();
};

template <class Button>
class CheckButton : public Bound<Button, app::CheckBox> {
  public:
    using Bound<Button, app::CheckBox>::Bound;
    bool Checked() const override { return this->isChecked(); }
};

class StatusBarWidget : public Bound<QWidget, app::StatusBar> {
  public:
    explicit StatusBarWidget(QWidget* parent);
    void SetText(int part, const app::Text& text) override;
    app::Text PartText(int part) const override;
    int PartWidth(int part) const override;
    void SetPartWidth(int part, int width) override;
    // Where a part is drawn, in the bar's coordinates.
    QRect PartRect(int part) const;

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    std::vector<int> widths_{400, 100};
    std::vector<app::Text> texts_{app::Text(), app::Text()};
};

}  // namespace ui
