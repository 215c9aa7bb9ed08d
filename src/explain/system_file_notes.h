#pragma once
// The note for a well-known system file.
#include "app/main_window.h"

namespace explain {

void OnSystemFileNotesClicked(app::MainWindow& w);

}  // namespace explain
