#pragma once
// The program's own pictures, drawn in code: the icon (a folder under a
// magnifying glass) and the small picture beside the explanation box.
#include <QIcon>
#include <QPixmap>

namespace ui {

QPixmap DrawIcon(int size);
QIcon ProgramIcon();
// The same icon as an SVG document, for the desktop's icon theme.
QString IconSvg();
QPixmap DrawSidePicture(int width, int height);

}  // namespace ui
