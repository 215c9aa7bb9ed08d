// Writes the program's icon for the desktop's icon theme: PNG files at the
// theme's sizes and the SVG, all from the drawing the window uses.
//   icon_export OUTPUT_FOLDER
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "ui/icon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        return 1;
    for (int size : {32, 48, 128}) {
        if (!ui::DrawIcon(size).save(out.filePath(QStringLiteral("icon-%1.png").arg(size))))
            return 1;
    }
    QFile svg(out.filePath(QStringLiteral("icon.svg")));
    if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    svg.write(ui::IconSvg().toUtf8());
    return 0;
}
