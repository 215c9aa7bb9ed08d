#pragma once
// What one drop offers, in the order the drop events are raised: plain text,
// hypertext, a web address, files. Local files become drive paths.
#include <QMimeData>
#include <vector>

#include "primitives/text.h"

namespace ui {

enum class DropForm { Text, Hypertext, Url, Files };

struct DroppedText {
    DropForm form;
    prim::Text text;
};

std::vector<DroppedText> DropForms(const QMimeData& mime);

}  // namespace ui
