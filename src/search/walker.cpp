#include "search/walker.h"

#include "app/window_ops.h"
#include "primitives/codepage.h"
#include "primitives/files.h"

namespace search {

using namespace app;
using prim::Text;

namespace {

constexpr int kAttributeMask = 0x37;

bool Accepted(int attributes, int filter, bool nonDirectories) {
    if (nonDirectories)
        return (attributes & prim::kAttrDirectory) == 0;
    if ((filter & kAttributeMask) != 0)
        return (attributes & filter & kAttributeMask) != 0;
    return attributes == 0;
}

// The bits the acceptance rule looks at; only a filter of 0 needs every bit.
int NeededBits(int filter, bool nonDirectories) {
    if (nonDirectories)
        return prim::kAttrDirectory;
    if ((filter & kAttributeMask) != 0)
        return filter & kAttributeMask;
    return kAttributeMask;
}

}  // namespace

namespace {

// FindEntry writing into the caller's text, whose buffer then serves every
// entry of the walk instead of a new one per name.
void FindEntryInto(std::string_view pattern, int attributeFilter, bool nonDirectories,
                   FindHandle& handle, Text& name) {
    name.clear();
    const int needed = NeededBits(attributeFilter, nonDirectories);
    if (!pattern.empty()) {
        handle.listing = prim::StartListing(pattern);
        if (!handle.listing)
            return;
    } else if (handle.Empty()) {
        return;
    }
    int attributes = 0;
    while (handle.listing->Step(needed, attributes)) {
        if (Accepted(attributes, attributeFilter, nonDirectories)) {
            handle.listing->CurrentName(name);
            return;
        }
    }
    handle.listing.reset();
}

}  // namespace

Text FindEntry(std::string_view pattern, int attributeFilter, bool nonDirectories,
               FindHandle& handle) {
    Text name;
    FindEntryInto(pattern, attributeFilter, nonDirectories, handle, name);
    return name;
}

void EndFind(FindHandle& handle) {
    handle.listing.reset();
}

void SearchDirectory(MainWindow& w, const Text& folderIn) {
    static const Text kAll = "*.*";
    FindHandle handle;
    const Text filePattern =
        w.state.searchByName ? kAll : prim::ConcatText({"*.", w.组合框1->Content()});
    ProcessEvents(w);
    Text folder = folderIn;
    if (!prim::TextsEqual(prim::TextRight(folder, 1), "\\"))
        folder += '\\';

    // One buffer for every full path of this folder: the folder, then the name.
    Text path = folder;
    auto fullPath = [&](const Text& name) -> const Text& {
        path.resize(folder.size());
        path += name;
        return path;
    };

    Text name;
    FindEntryInto(fullPath(filePattern), 0, true, handle, name);
    while (!name.empty()) {
        if (w.state.searchByName) {
            if (prim::FindText(name, w.编辑框1->Content(), true) != -1)
                ListAddItem(*w.列表框1, fullPath(name));
        } else {
            ListAddItem(*w.列表框1, fullPath(name));
        }
        ProcessEvents(w);
        if (w.state.stopRequested)
            break;
        FindEntryInto("", 0, true, handle, name);
    }

    if (w.state.stopRequested) {
        StatusSetText(*w.状态条1, 0, prim::U8("手动停止"));
        StatusSetText(*w.状态条1, 1, prim::U8("任务未完成"));
        w.组合框1->SetDisabled(false);
    } else {
        FindEntryInto(fullPath(kAll), prim::kAttrDirectory, false, handle, name);
        while (!name.empty()) {
            if (w.state.searchByName && prim::FindText(name, w.编辑框1->Content(), true) != -1)
                ListAddItem(*w.列表框1, fullPath(name));
            if (!prim::TextsEqual(prim::TextLeft(name, 1), "."))
                SearchDirectory(w, fullPath(name));
            if (w.state.stopRequested)
                break;
            FindEntryInto("", prim::kAttrDirectory, false, handle, name);
            if (!name.empty())
                StatusSetText(*w.状态条1, 0, folder);
        }
    }
    EndFind(handle);
}

}  // namespace search
