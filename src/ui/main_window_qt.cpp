#include "ui/main_window_qt.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "app/window_description.h"
#include "ui/accessibility.h"
#include "ui/drop_forms.h"
#include "ui/edit_boxes.h"
#include "ui/icon.h"
#include "ui/panes_widgets.h"
#include "ui/qt_text.h"
#include "ui/result_list.h"
#include "ui/small_widgets.h"

namespace ui {

namespace {

QString Utf8(std::string_view s) {
    return FromUtf8(s);
}

}  // namespace

QtMainWindow::QtMainWindow() {
    setWindowTitle(Utf8(app::kWindowTitle));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(app::kOuterWidth - 2 * app::kFrameWidth,
                 app::kOuterHeight - app::kCaptionHeight - 2 * app::kFrameWidth);
    setWindowIcon(ProgramIcon());
    BuildControls();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - QPoint(app::kOuterWidth / 2, app::kOuterHeight / 2));
    }
    qApp->installEventFilter(this);
}

QtMainWindow::~QtMainWindow() {
    qApp->removeEventFilter(this);
}

template <class T>
T* QtMainWindow::Get(std::string_view name) const {
    auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : dynamic_cast<T*>(it->second);
}

QWidget* QtMainWindow::Control(std::string_view name) const {
    auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

namespace {

// A radio button or check box with its caption and initial state.
QAbstractButton* CheckControl(QAbstractButton* b, const QString& text, bool checked) {
    b->setText(text);
    b->setChecked(checked);
    return b;
}

}  // namespace

void QtMainWindow::BuildControls() {
    using K = app::ControlKind;
    for (const app::ControlSpec& c : app::ControlTable()) {
        QWidget* widget = nullptr;
        const QString text = Utf8(c.text);
        switch (c.kind) {
            case K::Label: {
                auto* l = new Plain<QLabel>(this);
                l->setText(text);
                l->setWordWrap(c.height > 20);
                widget = l;
                break;
            }
            case K::PictureBox: {
                auto* l = new Plain<QLabel>(this);
                l->setAlignment(Qt::AlignCenter);
                l->setPixmap(c.width >= 48 ? DrawSidePicture(c.width, c.height) : DrawIcon(32));
                widget = l;
                break;
            }
            case K::PushButton: {
                auto* b = new Plain<QPushButton>(this);
                b->setText(text);
                b->setAutoDefault(true);
                widget = b;
                break;
            }
            case K::RadioButton:
                widget = CheckControl(new CheckButton<QRadioButton>(this), text, c.checked);
                break;
            case K::CheckBox:
                widget = CheckControl(new CheckButton<QCheckBox>(this), text, c.checked);
                break;
            case K::LineEdit: {
                auto* e = new LineEditBox(this);
                e->SetContent(prim::U8(c.text));
                e->home(false);
                widget = e;
                break;
            }
            case K::MultiLineEdit: {
                auto* e = new MultiLineEditBox(this);
                e->SetContent(prim::U8(app::WelcomeNote()));
                widget = e;
                break;
            }
            case K::StatusBar: {
                auto* s = new StatusBarWidget(this);
                widget = s;
                break;
            }
            case K::FileBox:
                widget = new FileBoxWidget(this);
                break;
            case K::DirectoryBox:
                widget = new DirectoryBoxWidget(this);
                break;
            case K::DriveBox:
                widget = new DriveBoxWidget(this);
                break;
            case K::ListBox:
                widget = resultList_ = new ResultListView(this);
                break;
            case K::ComboBox: {
                auto* cb = new TypeComboBox(this);
                cb->setEditText(text);
                widget = cb;
                break;
            }
            case K::DropTarget:
            case K::TipBox:
                break;  // not shown: the window itself does their work
        }
        if (!widget)
            continue;
        widget->setObjectName(Utf8(c.name));
        if (c.kind == K::StatusBar)  // aligned to the bottom across the whole client area
            widget->setGeometry(0, height() - c.height, width(), c.height);
        else
            widget->setGeometry(c.left, c.top, c.width, c.height);
        widget->setFocusPolicy(c.tabStop ? Qt::StrongFocus : Qt::NoFocus);
        widget->setEnabled(!c.disabled);
        widget->setVisible(c.visible);
        controls_.emplace(std::string(c.name), widget);
    }
    NameControls(*this);
    OrderTabsByPosition(*this);

    w_.标签4 = Get<app::Control>("标签4");
    w_.标签3 = Get<app::Control>("标签3");
    w_.标签1 = Get<app::Control>("标签1");
    w_.图片框2 = Get<app::Control>("图片框2");
    w_.图片框1 = Get<app::Control>("图片框1");
    w_.按钮加入后缀 = Get<app::Control>("按钮加入后缀");
    w_.单选框搜文件 = Get<app::CheckBox>("单选框搜文件");
    w_.单选框搜后缀 = Get<app::CheckBox>("单选框搜后缀");
    w_.按钮转到 = Get<app::Control>("按钮转到");
    w_.选择框2 = Get<app::CheckBox>("选择框2");
    w_.按钮停止 = Get<app::Control>("按钮停止");
    w_.标签2 = Get<app::Control>("标签2");
    w_.编辑框3 = Get<app::EditBox>("编辑框3");
    w_.状态条1 = Get<app::StatusBar>("状态条1");
    w_.按钮查看文件解说 = Get<app::Control>("按钮查看文件解说");
    w_.编辑框说明 = Get<app::EditBox>("编辑框说明");
    w_.文件框1 = Get<app::FileBox>("文件框1");
    w_.目录框1 = Get<app::DirectoryBox>("目录框1");
    w_.驱动器框1 = Get<app::DriveBox>("驱动器框1");
    w_.选择框指定位置 = Get<app::CheckBox>("选择框指定位置");
    w_.列表框1 = Get<app::ListBox>("列表框1");
    w_.按钮搜索文件 = Get<app::Control>("按钮搜索文件");
    w_.组合框1 = Get<app::ComboBox>("组合框1");
    w_.编辑框1 = Get<app::EditBox>("编辑框1");

    for (const app::MenuItemSpec& m : app::MenuTable())
        menuItems_.push_back(std::make_unique<MenuItemAdapter>(Utf8(m.text), m.visible));
    app::MenuItem** fields[] = {&w_.打开目录, &w_.查看属性, &w_.从列表中删除, &w_.删除文件,
                                &w_.移动到,   &w_.全部选择, &w_.运行该文件,   &w_.播放音乐};
    for (size_t i = 0; i < menuItems_.size(); ++i)
        *fields[i] = menuItems_[i].get();
    w_.window = this;
}

void QtMainWindow::Run(const std::function<void(app::MainWindow&)>& handler) {
    if (destroyed_)
        return;
    ++handlerDepth_;
    handler(w_);
    --handlerDepth_;
    if (handlerDepth_ == 0 && closePending_) {
        closePending_ = false;
        close();
    }
}

void QtMainWindow::RaiseCreated() {
    if (onCreated)
        Run(onCreated);
}

void QtMainWindow::closeEvent(QCloseEvent* e) {
    if (handlerDepth_ > 0) {
        // A handler is on the stack (a search, a message box): stop the search and
        // close once it has returned, so nothing runs on destroyed controls.
        w_.state.stopRequested = true;
        closePending_ = true;
        e->ignore();
        return;
    }
    if (!destroyed_ && onWillBeDestroyed)
        Run(onWillBeDestroyed);
    destroyed_ = true;
    e->accept();
}

int QtMainWindow::Width() const {
    // The outer width with the designed frame: window managers draw frames of
    // their own sizes, and handlers lay out against the designed one.
    return width() + 2 * app::kFrameWidth;
}

long long QtMainWindow::WindowHandle() const {
    return static_cast<long long>(winId());
}

bool QtMainWindow::RegisterDropTarget(long long windowHandle) {
    if (dropRegistered_ || windowHandle != WindowHandle())
        return false;
    dropRegistered_ = true;
    setAcceptDrops(true);
    return true;
}

bool QtMainWindow::AttachTip(app::Control& control, const app::Text& text, int) {
    auto* widget = dynamic_cast<QWidget*>(&control);
    if (!widget)
        return false;
    widget->setToolTip(LinesToQ(text));
    return true;
}

void QtMainWindow::PopupMenu() {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("ContextMenu"));
    std::map<QAction*, MenuItemAdapter*> items;
    for (const auto& m : menuItems_)
        if (m->Visible())
            items[menu.addAction(m->Text())] = m.get();
    QAction* chosen = menu.exec(QCursor::pos() + QPoint(3, 3));
    if (!chosen)
        return;
    MenuItemAdapter* item = items[chosen];
    if (item->onSelected)
        item->onSelected();
}

void QtMainWindow::ProcessEvents() {
    // The walker calls this once per entry: dispatch only every few milliseconds.
    auto now = std::chrono::steady_clock::now();
    if (now - lastPump_ < pumpInterval_)
        return;
    lastPump_ = now;
    if (resultList_)
        resultList_->FlushWhenDue();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    lastPump_ = std::chrono::steady_clock::now();
}

bool QtMainWindow::eventFilter(QObject* watched, QEvent* e) {
    const QEvent::Type t = e->type();
    if (t != QEvent::DragEnter && t != QEvent::DragMove && t != QEvent::Drop)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!dropRegistered_ || !widget || widget->window() != this)
        return false;
    // Drops anywhere on the window, edit boxes and lists included, come here.
    auto* de = static_cast<QDropEvent*>(e);
    de->setDropAction(Qt::CopyAction);
    de->accept();
    if (t == QEvent::Drop && onDrop) {
        for (const DroppedText& d : DropForms(*de->mimeData()))
            Run([&](app::MainWindow& w) { onDrop(w, d.text); });
    }
    return true;
}

}  // namespace ui
