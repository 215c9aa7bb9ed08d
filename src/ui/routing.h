#pragma once
// Binds every event of the main window's controls to its handler.
namespace ui {

class QtMainWindow;
void BindRoutes(QtMainWindow& window);

}  // namespace ui
