#include "prynex/about/logo.h"

#include <QPainter>
#include <QPainterPath>

namespace prynex {

QPixmap prynexLogo(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 64.0;
    painter.scale(s, s);
    // The sheet with a folded corner.
    QPainterPath sheet;
    sheet.moveTo(10, 4);
    sheet.lineTo(40, 4);
    sheet.lineTo(52, 16);
    sheet.lineTo(52, 60);
    sheet.lineTo(10, 60);
    sheet.closeSubpath();
    painter.setPen(QPen(QColor(40, 60, 110), 2));
    painter.setBrush(Qt::white);
    painter.drawPath(sheet);
    painter.drawLine(QPointF(40, 4), QPointF(40, 16));
    painter.drawLine(QPointF(40, 16), QPointF(52, 16));
    // Ruled lines of text.
    painter.setPen(QPen(QColor(120, 140, 180), 2));
    for (int y = 24; y <= 52; y += 6)
        painter.drawLine(QPointF(16, y), QPointF(y < 40 ? 46 : 36, y));
    // The magnifier of the preview.
    painter.setPen(QPen(QColor(200, 90, 30), 4));
    painter.setBrush(QColor(255, 230, 200, 160));
    painter.drawEllipse(QPointF(40, 44), 9, 9);
    painter.drawLine(QPointF(47, 51), QPointF(58, 62));
    return pixmap;
}

}  // namespace prynex
