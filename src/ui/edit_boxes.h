#pragma once
// The single-line and the multi-line edit box.
#include <QLineEdit>
#include <QPlainTextEdit>

#include "ui/bound_control.h"

namespace ui {

class LineEditBox : public Bound<QLineEdit, app::EditBox> {
  public:
    explicit LineEditBox(QWidget* parent);
    // The walker reads the keyword once per entry: keep it as a Text.
    app::Text Content() const override { return content_; }
    void SetContent(const app::Text& text) override;
    void SetSelectionStart(int start) override;
    void AppendText(const app::Text& text) override;

  private:
    app::Text content_;
};

class MultiLineEditBox : public Bound<QPlainTextEdit, app::EditBox> {
  public:
    explicit MultiLineEditBox(QWidget* parent);
    app::Text Content() const override;
    void SetContent(const app::Text& text) override;
    void SetSelectionStart(int start) override;
    void AppendText(const app::Text& text) override;
};

}  // namespace ui
