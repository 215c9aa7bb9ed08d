#pragma once
// The context menu's commands on files and folders.
#include <string_view>

#include "app/main_window.h"

namespace actions {

// «0 B», «1023 KB», «1 MB», ... from GetFileSize; «-1 B» for a missing path.
prim::Text FormatFileSize(std::string_view path);
void OnMenuOpenFolder(app::MainWindow& w);
void OnMenuShowProperties(app::MainWindow& w);
void OnMenuDeleteFile(app::MainWindow& w);
void OnMenuRunFile(app::MainWindow& w);
void OnMenuMoveTo(app::MainWindow& w);

}  // namespace actions
