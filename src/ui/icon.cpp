#include "ui/icon.h"

#include <QPainter>
#include <QPainterPath>

namespace ui {

namespace {

// The program's icon on a 32-unit grid: a folder and a magnifying glass. The
// pixmaps and the SVG of the desktop install are both drawn from these numbers.
struct IconShapes {
    QRectF tab{2, 6, 12, 6};
    double tabRadius = 1.5;
    QColor tabColor{0xE0, 0xA1, 0x2B};
    QRectF body{2, 9, 24, 17};
    double bodyRadius = 2;
    QColor bodyColor{0xF6, 0xC3, 0x4A};
    QColor bodyEdge{0xB9, 0x7C, 0x12};
    double bodyEdgeWidth = 1;
    QPointF handleFrom{24, 24};
    QPointF handleTo{29.5, 29.5};
    double handleWidth = 3;
    QColor glassColor{0x2F, 0x5D, 0x9E};
    QPointF lensCentre{19, 19};
    double lensRadius = 6.5;
    double lensEdgeWidth = 2.2;
    QColor lensFill{0xD8, 0xEC, 0xFF, 220};
};

QString Hex(const QColor& c) {
    return c.name(QColor::HexRgb);
}

}  // namespace

QPixmap DrawIcon(int size) {
    const IconShapes i;
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    QPainterPath tab;
    tab.addRoundedRect(i.tab, i.tabRadius, i.tabRadius);
    p.fillPath(tab, i.tabColor);
    QPainterPath body;
    body.addRoundedRect(i.body, i.bodyRadius, i.bodyRadius);
    p.fillPath(body, i.bodyColor);
    p.setPen(QPen(i.bodyEdge, i.bodyEdgeWidth));
    p.drawPath(body);
    p.setPen(QPen(i.glassColor, i.handleWidth, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(i.handleFrom, i.handleTo);
    p.setPen(QPen(i.glassColor, i.lensEdgeWidth));
    p.setBrush(i.lensFill);
    p.drawEllipse(i.lensCentre, i.lensRadius, i.lensRadius);
    return pm;
}

QString IconSvg() {
    const IconShapes i;
    auto n = [](double v) { return QString::number(v); };
    auto rect = [&](const QRectF& r, double radius) {
        return QStringLiteral("x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\"")
            .arg(n(r.x()), n(r.y()), n(r.width()), n(r.height()), n(radius));
    };
    QString svg;
    svg += QStringLiteral(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" "
        "viewBox=\"0 0 32 32\">\n");
    svg +=
        QStringLiteral("  <rect %1 fill=\"%2\"/>\n").arg(rect(i.tab, i.tabRadius), Hex(i.tabColor));
    svg +=
        QStringLiteral("  <rect %1 fill=\"%2\" stroke=\"%3\" stroke-width=\"%4\"/>\n")
            .arg(rect(i.body, i.bodyRadius), Hex(i.bodyColor), Hex(i.bodyEdge), n(i.bodyEdgeWidth));
    svg += QStringLiteral(
               "  <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"%5\" "
               "stroke-width=\"%6\" stroke-linecap=\"round\"/>\n")
               .arg(n(i.handleFrom.x()), n(i.handleFrom.y()), n(i.handleTo.x()), n(i.handleTo.y()),
                    Hex(i.glassColor), n(i.handleWidth));
    svg += QStringLiteral(
               "  <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"%4\" fill-opacity=\"%5\" "
               "stroke=\"%6\" stroke-width=\"%7\"/>\n")
               .arg(n(i.lensCentre.x()), n(i.lensCentre.y()), n(i.lensRadius), Hex(i.lensFill),
                    n(i.lensFill.alphaF()), Hex(i.glassColor), n(i.lensEdgeWidth));
    svg += QStringLiteral("</svg>\n");
    return svg;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int s : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(DrawIcon(s));
    return icon;
}

QPixmap DrawSidePicture(int width, int height) {
    QPixmap pm(width, height);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // Three stacked sheets: the files the tool looks after.
    const QColor edge(0x6B, 0x7C, 0x93);
    for (int i = 2; i >= 0; --i) {
        QRectF r(6 + i * 7, 4 + i * 4, 22, 26);
        p.setPen(QPen(edge, 1));
        p.setBrush(i == 0 ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xE8, 0xEE, 0xF6));
        p.drawRoundedRect(r, 2, 2);
    }
    p.setPen(QPen(QColor(0x9A, 0xA8, 0xBA), 1));
    for (int k = 0; k < 4; ++k)
        p.drawLine(QPointF(10, 11 + k * 5), QPointF(24, 11 + k * 5));
    return pm;
}

}  // namespace ui
