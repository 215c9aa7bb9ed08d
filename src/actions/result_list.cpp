#include "actions/result_list.h"

#include <set>

#include "app/window_ops.h"

namespace actions {

using namespace app;

namespace {
void OpenMenu(MainWindow& w, bool fromResultList) {
    w.state.menuFromResultList = fromResultList;
    w.全部选择->SetVisible(fromResultList);
    w.从列表中删除->SetVisible(fromResultList);
    PopupMenu(w);
}
}  // namespace

void OnFileBoxRightClick(MainWindow& w) {
    OpenMenu(w, false);
}

void OnResultListRightClick(MainWindow& w) {
    OpenMenu(w, true);
}

void OnMenuSelectAll(MainWindow& w) {
    int n = ListItemCount(*w.列表框1);
    for (int i = 0; i < n; ++i)
        ListSelectItem(*w.列表框1, i, true);
}

void OnMenuRemoveFromList(MainWindow& w) {
    std::set<Text> texts;
    for (int i : ListSelectedIndexes(*w.列表框1))
        texts.insert(ListItemText(*w.列表框1, i));
    if (texts.empty())
        return;
    // One pass from the end removes every item equal to a collected text, exactly as
    // removing text by text would, without rescanning a long list once per text.
    for (int i = ListItemCount(*w.列表框1) - 1; i >= 0; --i)
        if (texts.count(ListItemText(*w.列表框1, i)))
            ListDeleteItem(*w.列表框1, i);
}

void OnResultListItemSelected(MainWindow& w) {
    std::vector<int> sel = ListSelectedIndexes(*w.列表框1);
    if (!sel.empty())
        w.编辑框3->SetContent(ListItemText(*w.列表框1, sel.back()));
}

void OnResultListDoubleClick(MainWindow&) {}

}  // namespace actions
