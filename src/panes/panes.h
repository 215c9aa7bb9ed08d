#pragma once
// The browsing panes, the current path and what is dropped on the window.
#include "app/main_window.h"

namespace panes {

void OnDriveChanged(app::MainWindow& w);
void OnDirectoryChanged(app::MainWindow& w);
void OnFileBoxSelectionChanged(app::MainWindow& w);
void OnGoToClicked(app::MainWindow& w);
// Each of the four drop events; passes the text on unchanged.
void OnDropReceived(app::MainWindow& w, const prim::Text& text);
void ApplyDroppedPath(app::MainWindow& w, const prim::Text& text);

}  // namespace panes
