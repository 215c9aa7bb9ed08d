#pragma once
// The start and stop buttons and the two search-mode radio buttons.
#include "app/main_window.h"

namespace search {

void OnStartSearchClicked(app::MainWindow& w);
void OnStopClicked(app::MainWindow& w);
void OnByNameRadioClicked(app::MainWindow& w);
void OnByTypeRadioClicked(app::MainWindow& w);
// Shows 编辑框1 or 组合框1 to match the checked radio button.
void ApplySearchModeVisibility(app::MainWindow& w);

}  // namespace search
