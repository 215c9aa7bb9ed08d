#pragma once
// Opening the context menu in its two contexts, and the result list's commands.
#include "app/main_window.h"

namespace actions {

void OnFileBoxRightClick(app::MainWindow& w);
void OnResultListRightClick(app::MainWindow& w);
void OnMenuSelectAll(app::MainWindow& w);
// Removes every item whose text equals that of a selected item.
void OnMenuRemoveFromList(app::MainWindow& w);
void OnResultListItemSelected(app::MainWindow& w);
void OnResultListDoubleClick(app::MainWindow& w);

}  // namespace actions
