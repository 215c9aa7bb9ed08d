#pragma once
// Starts the window platform, shows the main window and runs the message loop.
namespace ui {

// Returns 0 when the window has been closed. With FILEFINDER_SCREENSHOT set to a
// file path, saves a picture of the window there shortly after it shows.
int ProgramEntry(int argc, char** argv);

// Fonts, Chinese captions of the standard dialogs, style: the same for the
// program and the window tests.
void PrepareApplication();

}  // namespace ui
