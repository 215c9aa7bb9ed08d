#include "ui/small_widgets.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionFrame>

#include "ui/qt_text.h"

namespace ui {

TypeComboBox::TypeComboBox(QWidget* parent) : Bound(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(12);
    view()->setMinimumHeight(160);
}

app::Text TypeComboBox::Content() const {
    return ToText(currentText());
}

void TypeComboBox::Clear() {
    clear();
    clearEditText();
}

int TypeComboBox::AddItem(const app::Text& text, int value) {
    // Adding an item must not replace what is typed in the edit field.
    const QString typed = currentText();
    QSignalBlocker block(this);
    addItem(ToQ(text), value);
    setCurrentIndex(-1);
    setEditText(typed);
    return count() - 1;
}

app::Text TypeComboBox::ItemText(int index) const {
    if (index < 0 || index >= count())
        return app::Text();
    return ToText(itemText(index));
}

void TypeComboBox::showPopup() {
    emit listWillPopUp();
    QComboBox::showPopup();
}

StatusBarWidget::StatusBarWidget(QWidget* parent) : Bound(parent) {}

void StatusBarWidget::SetText(int part, const app::Text& text) {
    if (part < 0 || part >= static_cast<int>(texts_.size()))
        return;
    if (texts_[static_cast<size_t>(part)] == text)
        return;
    texts_[static_cast<size_t>(part)] = text;
    update(PartRect(part));
}

app::Text StatusBarWidget::PartText(int part) const {
    if (part < 0 || part >= static_cast<int>(texts_.size()))
        return app::Text();
    return texts_[static_cast<size_t>(part)];
}

int StatusBarWidget::PartWidth(int part) const {
    if (part < 0 || part >= static_cast<int>(widths_.size()))
        return 0;
    return widths_[static_cast<size_t>(part)];
}

void StatusBarWidget::SetPartWidth(int part, int width) {
    if (part < 0 || part >= static_cast<int>(widths_.size()))
        return;
    widths_[static_cast<size_t>(part)] = width < -1 ? -1 : width;
    update();
}

QRect StatusBarWidget::PartRect(int part) const {
    int x = 0;
    for (int i = 0; i < part; ++i) {
        if (widths_[static_cast<size_t>(i)] < 0)
            return QRect();
        x += widths_[static_cast<size_t>(i)];
    }
    int w = widths_[static_cast<size_t>(part)];
    int right = (w < 0 || x + w > width()) ? width() : x + w;
    return QRect(x, 0, std::max(0, right - x), height());
}

void StatusBarWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    for (int i = 0; i < static_cast<int>(widths_.size()); ++i) {
        QRect r = PartRect(i);
        if (r.isEmpty())
            continue;
        r.adjust(1, 2, -1, 0);
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.rect = r;
        frame.state |= QStyle::State_Sunken;
        frame.lineWidth = 1;
        style()->drawPrimitive(QStyle::PE_Frame, &frame, &p, this);
        p.setPen(palette().windowText().color());
        p.drawText(r.adjusted(4, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                   ToQ(texts_[static_cast<size_t>(i)]));
    }
}

}  // namespace ui
