#include "ui/icon.h"

#include <QPainter>
#include <QPainterPath>

namespace ui {

QPixmap DrawIcon(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    // Folder.
    QPainterPath tab;
    tab.addRoundedRect(QRectF(2, 6, 12, 6), 1.5, 1.5);
    p.fillPath(tab, QColor(0xE0, 0xA1, 0x2B));
    QPainterPath body;
    body.addRoundedRect(QRectF(2, 9, 24, 17), 2, 2);
    p.fillPath(body, QColor(0xF6, 0xC3, 0x4A));
    p.setPen(QPen(QColor(0xB9, 0x7C, 0x12), 1));
    p.drawPath(body);
    // Magnifying glass.
    p.setPen(QPen(QColor(0x2F, 0x5D, 0x9E), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 24), QPointF(29.5, 29.5));
    p.setPen(QPen(QColor(0x2F, 0x5D, 0x9E), 2.2));
    p.setBrush(QColor(0xD8, 0xEC, 0xFF, 220));
    p.drawEllipse(QPointF(19, 19), 6.5, 6.5);
    return pm;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int s : {16, 24, 32, 48, 64, 128}) icon.addPixmap(DrawIcon(s));
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
    for (int k = 0; k < 4; ++k) p.drawLine(QPointF(10, 11 + k * 5), QPointF(24, 11 + k * 5));
    return pm;
}

}  // namespace ui
