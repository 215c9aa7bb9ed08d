#pragma once
// The main window on Qt: builds the controls from the window description, gives
// the handlers their window operations, and runs every handler through Run() so
// that a close request waits until no handler is on the stack.
#include <QWidget>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"

namespace ui {

class ResultListView;

class MenuItemAdapter : public app::MenuItem {
  public:
    explicit MenuItemAdapter(QString text, bool visible)
        : text_(std::move(text)), visible_(visible) {}
    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override { visible_ = visible; }
    const QString& Text() const { return text_; }
    std::function<void()> onSelected;

  private:
    QString text_;
    bool visible_;
};

class QtMainWindow : public QWidget, public app::WindowOps {
    Q_OBJECT
  public:
    QtMainWindow();
    ~QtMainWindow() override;

    app::MainWindow& Window() { return w_; }
    // Runs a handler; a close asked for meanwhile happens once the last one returns.
    void Run(const std::function<void(app::MainWindow&)>& handler);
    // Raises *created*: the startup handler runs once.
    void RaiseCreated();
    QWidget* Control(std::string_view name) const;
    const std::vector<std::unique_ptr<MenuItemAdapter>>& MenuItems() const { return menuItems_; }
    bool DropTargetRegistered() const { return dropRegistered_; }

    int Width() const override;
    long long WindowHandle() const override;
    bool RegisterDropTarget(long long windowHandle) override;
    bool AttachTip(app::Control& control, const app::Text& text, int icon) override;
    void PopupMenu() override;
    void ProcessEvents() override;
    // Tests that must act at an exact point of a walk pump at every call.
    void SetPumpInterval(std::chrono::milliseconds interval) { pumpInterval_ = interval; }

    std::function<void(app::MainWindow&)> onCreated, onWillBeDestroyed;
    std::function<void(app::MainWindow&, const app::Text&)> onDrop;

  protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void BuildControls();
    template <class T>
    T* Get(std::string_view name) const;

    app::MainWindow w_;
    std::map<std::string, QWidget*, std::less<>> controls_;
    std::vector<std::unique_ptr<MenuItemAdapter>> menuItems_;
    ResultListView* resultList_ = nullptr;
    bool dropRegistered_ = false;
    int handlerDepth_ = 0;
    bool closePending_ = false;
    bool destroyed_ = false;
    std::chrono::steady_clock::time_point lastPump_{};
    // The walker pumps once per entry; dispatching every few milliseconds
    // keeps the window live at a small fraction of the cost.
    std::chrono::milliseconds pumpInterval_{16};
};

}  // namespace ui
