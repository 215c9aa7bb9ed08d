#pragma once
// The note for a file's extension, and the type box's list.
#include "app/main_window.h"

namespace explain {

void OnFileBoxDoubleClick(app::MainWindow& w);
void OnExtensionComboPopup(app::MainWindow& w);

}  // namespace explain
