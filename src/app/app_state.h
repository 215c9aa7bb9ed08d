#pragma once
// The values the handlers pass to each other; one record, owned by the main window.
#include "primitives/text.h"

namespace app {

struct AppState {
    int notesFile = 0;                // 后缀解说.txt, left open from startup
    prim::Text notesText;             // its whole text, read once at startup
    bool menuFromResultList = false;  // the context menu came from 列表框1
    prim::Text selectedFileName;      // selected names of 文件框1 at its last change
    prim::Text selectedExtension;     // extension found at the last double click
    bool stopRequested = false;       // the running search is to stop
    int systemFilesFile = 0;          // WINDOWS系统文件详解.txt during one lookup
    prim::Text systemFilesText;       // its text from the last lookup
    bool searchByName = false;        // mode of the current search
};

}  // namespace app
