#include "ui/edit_boxes.h"

#include <QScrollBar>
#include <QTextCursor>

#include "ui/qt_text.h"

namespace ui {

LineEditBox::LineEditBox(QWidget* parent) : Bound(parent) {
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& s) { content_ = ToText(s); });
}

void LineEditBox::SetContent(const app::Text& text) {
    setText(ToQ(text));
    content_ = text;  // exactly as written, also where the widget would normalise it
}

void LineEditBox::SetSelectionStart(int start) {
    if (start == -1) {
        deselect();
        end(false);
    }
}

void LineEditBox::AppendText(const app::Text& text) {
    end(false);
    insert(ToQ(text));
}

MultiLineEditBox::MultiLineEditBox(QWidget* parent) : Bound(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

app::Text MultiLineEditBox::Content() const {
    return LinesToText(toPlainText());
}

void MultiLineEditBox::SetContent(const app::Text& text) {
    setPlainText(LinesToQ(text));
}

void MultiLineEditBox::SetSelectionStart(int start) {
    if (start == -1)
        moveCursor(QTextCursor::End);
}

void MultiLineEditBox::AppendText(const app::Text& text) {
    QTextCursor c = textCursor();
    c.movePosition(QTextCursor::End);
    c.insertText(LinesToQ(text));
    setTextCursor(c);
    ensureCursorVisible();
}

}  // namespace ui
