#include "ui/routing.h"

#include <QAbstractButton>

#include "actions/file_actions.h"
#include "actions/result_list.h"
#include "app/startup.h"
#include "explain/extension_notes.h"
#include "explain/system_file_notes.h"
#include "panes/panes.h"
#include "search/search_command.h"
#include "ui/main_window_qt.h"
#include "ui/panes_widgets.h"
#include "ui/result_list.h"
#include "ui/small_widgets.h"

namespace ui {

namespace {

using Handler = void (*)(app::MainWindow&);

template <class Sender, class Signal>
void Route(QtMainWindow& win, std::string_view name, Signal signal, Handler handler) {
    auto* sender = dynamic_cast<Sender*>(win.Control(name));
    if (!sender)
        return;
    QObject::connect(sender, signal, &win, [&win, handler] { win.Run(handler); });
}

}  // namespace

void BindRoutes(QtMainWindow& win) {
    win.onCreated = app::OnWindowCreated;
    win.onWillBeDestroyed = app::OnWindowWillBeDestroyed;
    win.onDrop = panes::OnDropReceived;

    using B = QAbstractButton;
    Route<B>(win, "单选框搜文件", &B::clicked, search::OnByNameRadioClicked);
    Route<B>(win, "单选框搜后缀", &B::clicked, search::OnByTypeRadioClicked);
    Route<B>(win, "按钮转到", &B::clicked, panes::OnGoToClicked);
    Route<B>(win, "按钮停止", &B::clicked, search::OnStopClicked);
    Route<B>(win, "按钮查看文件解说", &B::clicked, explain::OnSystemFileNotesClicked);
    Route<B>(win, "按钮搜索文件", &B::clicked, search::OnStartSearchClicked);

    using F = FileBoxWidget;
    Route<F>(win, "文件框1", &F::selectionChangedByUser, panes::OnFileBoxSelectionChanged);
    Route<F>(win, "文件框1", &F::itemDoubleClicked, explain::OnFileBoxDoubleClick);
    Route<F>(win, "文件框1", &F::rightButtonReleased, actions::OnFileBoxRightClick);
    Route<DirectoryBoxWidget>(win, "目录框1", &DirectoryBoxWidget::directoryChanged,
                              panes::OnDirectoryChanged);
    Route<DriveBoxWidget>(win, "驱动器框1", &DriveBoxWidget::driveChanged, panes::OnDriveChanged);

    using L = ResultListView;
    Route<L>(win, "列表框1", &L::itemSelected, actions::OnResultListItemSelected);
    Route<L>(win, "列表框1", &L::rightButtonReleased, actions::OnResultListRightClick);
    Route<L>(win, "列表框1", &L::itemDoubleClicked, actions::OnResultListDoubleClick);
    Route<TypeComboBox>(win, "组合框1", &TypeComboBox::listWillPopUp,
                        explain::OnExtensionComboPopup);

    const Handler menu[] = {actions::OnMenuOpenFolder,     actions::OnMenuShowProperties,
                            actions::OnMenuRemoveFromList, actions::OnMenuDeleteFile,
                            actions::OnMenuMoveTo,         actions::OnMenuSelectAll,
                            actions::OnMenuRunFile,        nullptr};
    for (size_t i = 0; i < win.MenuItems().size(); ++i) {
        Handler h = menu[i];
        if (h)
            win.MenuItems()[i]->onSelected = [&win, h] { win.Run(h); };
    }
}

}  // namespace ui
