#include "platform/pages/pagepainter.h"

#include "platform/pages/fontmap.h"

#include <QPainter>
#include <QPainterPath>
#include <QPicture>

namespace pages {

namespace {

QColor shown(QRgb rgba, bool monochrome)
{
    QColor color = QColor::fromRgba(rgba);
    if (monochrome) {
        const int grey = qGray(rgba);
        color = QColor(grey, grey, grey, color.alpha());
    }
    return color;
}

Qt::PenStyle penStyle(int style)
{
    switch (style) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

Qt::BrushStyle brushStyle(int style)
{
    switch (style) {
    case 1: return Qt::NoBrush;
    case 2: return Qt::HorPattern;
    case 3: return Qt::VerPattern;
    case 4: return Qt::BDiagPattern;
    case 5: return Qt::FDiagPattern;
    case 6: return Qt::CrossPattern;
    case 7: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
    }
}

QPen pen(const PageItem &item, bool monochrome)
{
    QPen p(shown(item.color, monochrome));
    p.setWidth(item.penWidth);
    p.setStyle(penStyle(item.penStyle));
    p.setCapStyle(Qt::FlatCap);
    return p;
}

QBrush brush(const PageItem &item, bool monochrome)
{
    if (qAlpha(item.fill) == 0)
        return Qt::NoBrush;
    return QBrush(shown(item.fill, monochrome), brushStyle(item.brushStyle));
}

class FontKeeper {
public:
    const QFont &get(const FontSpec &fontSpec) { return m_cache.get(fontSpec).font; }

private:
    FontCache m_cache;
};

// QPicture replays scaled by the device's resolution over the one it was
// recorded at (it assumes device units); the page is painted in twips under a
// transform of its own, so that factor is taken back out first. Monochrome
// previews show recordings in colour: their commands are not rewritten.
void paintRecording(QPainter &painter, const PageItem &item)
{
    const Recording *recording = item.recording.get();
    if (!recording || recording->frame.isEmpty())
        return;
    const QPicture recordedAt;
    const QPaintDevice *device = painter.device();
    const double replayX = device ? double(device->logicalDpiX()) / recordedAt.logicalDpiX() : 1.0;
    const double replayY = device ? double(device->logicalDpiY()) / recordedAt.logicalDpiY() : 1.0;
    painter.save();
    painter.translate(item.rect.topLeft());
    painter.scale(item.rect.width() / recording->frame.width() / replayX,
                  item.rect.height() / recording->frame.height() / replayY);
    painter.drawPicture(0, 0, recording->picture);
    painter.restore();
}

void paintItem(QPainter &painter, const PageItem &item, FontKeeper &fonts, bool monochrome)
{
    switch (item.kind) {
    case ItemKind::Text: {
        painter.setFont(fonts.get(item.font));
        painter.setPen(shown(item.color, monochrome));
        if (item.angle != 0) {
            painter.save();
            painter.translate(item.rect.left(), item.baseline);
            painter.rotate(-item.angle / 10.0);
            painter.drawText(QPointF(0, 0), item.text);
            painter.restore();
        } else {
            painter.drawText(QPointF(item.rect.left(), item.baseline), item.text);
        }
        break;
    }
    case ItemKind::Rect:
        painter.setPen(item.role == ItemRole::TableShade ? QPen(Qt::NoPen) : pen(item, monochrome));
        painter.setBrush(brush(item, monochrome));
        if (item.radiusX > 0 || item.radiusY > 0)
            painter.drawRoundedRect(item.rect, item.radiusX, item.radiusY, Qt::AbsoluteSize);
        else
            painter.drawRect(QRectF(item.rect.left(), item.rect.top(), item.rect.width(), item.rect.height()));
        break;
    case ItemKind::Line:
        painter.setPen(pen(item, monochrome));
        painter.drawLine(item.rect.topLeft(), item.rect.bottomRight());
        break;
    case ItemKind::Ellipse: {
        painter.setPen(pen(item, monochrome));
        painter.setBrush(brush(item, monochrome));
        if (item.spanAngle == 0)
            painter.drawEllipse(item.rect);
        else if (item.pie)
            painter.drawPie(item.rect, item.startAngle, item.spanAngle);
        else
            painter.drawArc(item.rect, item.startAngle, item.spanAngle);
        break;
    }
    case ItemKind::Polygon:
        painter.setPen(pen(item, monochrome));
        painter.setBrush(brush(item, monochrome));
        painter.drawPolygon(item.points);
        break;
    case ItemKind::Polyline:
        painter.setPen(pen(item, monochrome));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(item.points);
        break;
    case ItemKind::Picture:
        if (monochrome)
            painter.drawImage(item.rect, item.picture.convertToFormat(QImage::Format_Grayscale8));
        else
            painter.drawImage(item.rect, item.picture);
        break;
    case ItemKind::Recording:
        paintRecording(painter, item);
        break;
    }
}

}  // namespace

void paintPage(QPainter &painter, const Page &page, const PaintOptions &options)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (options.paintPaper)
        painter.fillRect(QRect(QPoint(0, 0), page.size), Qt::white);
    FontKeeper fonts;
    // Row shades first: the borders and texts of a table lie on top of them
    // whatever order the rows were written in.
    for (const PageItem &item : page.items) {
        if (item.role == ItemRole::TableShade)
            paintItem(painter, item, fonts, options.monochrome);
    }
    for (const PageItem &item : page.items) {
        if (item.role != ItemRole::TableShade)
            paintItem(painter, item, fonts, options.monochrome);
    }
    painter.restore();
}

}  // namespace pages
