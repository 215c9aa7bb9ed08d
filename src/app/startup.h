#pragma once
// The handlers that frame every run, and the exit callback.
#include "app/main_window.h"

namespace app {

// Writes missing data files, lays out the status bar, registers the drop target,
// attaches the tips, points the panes at drive D: and reads the extension notes.
void OnWindowCreated(MainWindow& w);
// Closes every open file.
void OnWindowWillBeDestroyed(MainWindow& w);
// Releases the shared texts at the end of the run.
void ReleaseGlobalTexts(AppState& state);

}  // namespace app
