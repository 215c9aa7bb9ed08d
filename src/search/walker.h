#pragma once
// The recursive directory walker and its enumeration primitive.
#include <memory>

#include "app/main_window.h"
#include "primitives/listing.h"

namespace search {

// One open listing; empty when it holds none.
struct FindHandle {
    std::unique_ptr<prim::Listing> listing;
    bool Empty() const { return !listing; }
};

// The next accepted entry's name: a non-empty pattern starts a new listing, the
// empty pattern continues the one in `handle`. Empty text when there is none,
// and the handle is then released.
prim::Text FindEntry(std::string_view pattern, int attributeFilter, bool nonDirectories,
                     FindHandle& handle);
void EndFind(FindHandle& handle);

// Appends every match below `folder` to 列表框1, pumping the window as it goes,
// and gives up as soon as stopRequested is raised.
void SearchDirectory(app::MainWindow& w, const prim::Text& folder);

}  // namespace search
