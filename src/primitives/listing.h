#pragma once
// Find-first / find-next listing of one folder with a wildcard pattern in the
// last component («C:\dir\*.*», «C:\dir\*.txt»), matched as Windows does.
// "." and ".." are reported in every folder but a drive root. Symbolic links
// are entries of their own (never followed).
#include <memory>
#include <string_view>

#include "text.h"

namespace prim {

struct ListedEntry {
    Text name;           // as a Text, without folder
    int attributes = 0;  // the bits of files.h
};

class Listing {
  public:
    virtual ~Listing() = default;
    // Moves to the next entry, the first one included, and gives its
    // attributes; false at the end. Only the bits in `neededBits` are
    // guaranteed (the directory bit always is): asking for kAttrReadOnly may
    // cost a stat per entry, the others come from the listing.
    virtual bool Step(int neededBits, int& attributes) = 0;
    // The name of the entry Step moved to. Kept apart so that a caller that
    // skips most entries by their attributes never copies their names.
    virtual void CurrentName(Text& out) const = 0;

    bool Next(ListedEntry& out, int neededBits) {
        if (!Step(neededBits, out.attributes))
            return false;
        CurrentName(out.name);
        return true;
    }
};

// nullptr when the listing cannot start: the folder is missing or unreadable,
// the path cannot be mapped, or nothing matches.
std::unique_ptr<Listing> StartListing(std::string_view pattern);

}  // namespace prim
