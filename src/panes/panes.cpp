#include "panes/panes.h"

#include "primitives/text.h"

namespace panes {

using prim::ConcatText;
using prim::FindText;
using prim::FindTextReverse;
using prim::Text;
using prim::TextLeft;
using prim::TextRight;
using prim::TextsEqual;

void OnDriveChanged(app::MainWindow& w) {
    w.目录框1->SetDirectory(ConcatText({w.驱动器框1->DriveLetter(), ":\\"}));
    w.文件框1->SetDirectory(w.目录框1->Directory());
    w.编辑框3->SetContent(w.目录框1->Directory());
}

void OnDirectoryChanged(app::MainWindow& w) {
    w.文件框1->SetDirectory(w.目录框1->Directory());
    w.编辑框3->SetContent(ConcatText({w.目录框1->Directory(), "\\"}));
}

void OnFileBoxSelectionChanged(app::MainWindow& w) {
    w.state.selectedFileName = w.文件框1->SelectedNames();
    Text d = w.目录框1->Directory();
    if (!TextsEqual(TextRight(d, 1), "\\"))
        w.编辑框3->SetContent(ConcatText({d, "\\", w.state.selectedFileName}));
    else
        w.编辑框3->SetContent(ConcatText({d, w.state.selectedFileName}));
}

void OnGoToClicked(app::MainWindow& w) {
    Text t = w.编辑框3->Content();
    if (FindText(t, ".", true) == -1) {
        w.编辑框3->SetContent(ConcatText({t, "\\"}));
    } else if (TextsEqual(TextRight(t, 1), "\\")) {
        // a path that ends in "\" stays as it is
    } else {
        int p = FindTextReverse(t, "\\", true);
        w.编辑框3->SetContent(TextLeft(t, p - 1));
    }
    w.目录框1->SetDirectory(w.编辑框3->Content());
    w.文件框1->SetDirectory(w.目录框1->Directory());
}

void OnDropReceived(app::MainWindow& w, const Text& text) {
    ApplyDroppedPath(w, text);
}

void ApplyDroppedPath(app::MainWindow& w, const Text& text) {
    int p = FindTextReverse(text, "\\", true);
    Text l = TextLeft(text, p - 1);
    w.编辑框3->SetContent(text);
    w.目录框1->SetDirectory(l);
    w.文件框1->SetDirectory(w.目录框1->Directory());
}

}  // namespace panes
