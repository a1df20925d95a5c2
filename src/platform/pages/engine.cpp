// The engine's methods: the document's life, content, drawing and measuring.

#include "platform/pages/engine.h"

#include "platform/pages/colors.h"
#include "platform/pages/engine_p.h"
#include "platform/pages/pagepainter.h"
#include "platform/pages/rtf.h"
#include "platform/pages/units.h"

#include <QPainter>
#include <QRegularExpression>

#include <cmath>
#include <numbers>

namespace pages {

Engine::DialogHook &EnginePrivate::defaultDialogHook()
{
    static Engine::DialogHook hook;
    return hook;
}

Layout &EnginePrivate::layout()
{
    if (!active)
        q->StartDoc();
    return *active;
}

void EnginePrivate::settingsChanged()
{
    if (active)
        active->settingsChanged();
}

void EnginePrivate::setMargin(int &margin, int twips)
{
    margin = std::max(0, twips);
    settingsChanged();
}

PageItem EnginePrivate::drawingItem(ItemKind kind) const
{
    PageItem item;
    item.kind = kind;
    item.role = ItemRole::Drawing;
    item.color = toQColor(penColor).rgba();
    item.penWidth = std::max(0, penWidth);
    item.penStyle = quint8(std::clamp(penStyle, 0, 6));
    item.brushStyle = quint8(std::clamp(brushStyle, 0, 7));
    item.fill = brushStyle == 1 ? 0 : toQColor(brushColor).rgba();
    return item;
}

void EnginePrivate::measure(const std::function<void(Layout &)> &work)
{
    measuring = true;
    Document scratch;
    Layout probe(settings, scratch, fonts, nullptr, true);
    probe.begin();
    const int startX = active ? active->x() : settings.marginLeft + settings.indentLeft;
    probe.moveTo(startX, 0);
    work(probe);
    probe.finish();
    const QRect box = probe.extent();
    textWid = box.isNull() ? 0 : box.right() + 1 - std::min(box.left(), startX);
    textHei = probe.y();
    x1 = startX;
    y1 = active ? active->y() : settings.marginTop;
    x2 = x1 + textWid;
    y2 = y1 + textHei;
    measuring = false;
}

Engine::Engine(QObject *parent) : QObject(parent), d(std::make_unique<EnginePrivate>(this))
{
}

Engine::~Engine() = default;

// ---------------------------------------------------------------- document

void Engine::StartDoc()
{
    d->active.reset();
    d->document.clear();
    d->active = std::make_unique<Layout>(d->settings, d->document, d->fonts, this);
    d->docOpen = true;
    d->error = error::None;
    d->lastLineEnd.reset();
    d->active->begin();
    d->previewPage = 1;
    emit documentChanged();
}

void Engine::EndDoc()
{
    if (!d->active)
        return;
    d->active->finish();
    d->active.reset();
    d->docOpen = false;
    d->previewPage = std::clamp(d->previewPage, 1, std::max(1, d->document.pageCount()));
    emit documentChanged();
    emit previewPageChanged(d->previewPage);
    if (!d->preview)
        d->printPages(1, 0);
}

void Engine::KillDoc()
{
    d->active.reset();
    d->docOpen = false;
    d->document.clear();
    d->previewPage = 1;
    emit documentChanged();
}

void Engine::NewPage()
{
    d->layout().newPage();
}

void Engine::NewColumn()
{
    d->layout().newColumn();
}

const Document &Engine::document() const
{
    return d->document;
}

int Engine::PageCount() const
{
    return d->document.pageCount();
}

bool Engine::isDocOpen() const
{
    return d->docOpen;
}

// ----------------------------------------------------------------- content

void Engine::AddTable(const QString &format, const QString &header, const QString &body, ColorRef headerShade,
                      ColorRef bodyShade, bool append)
{
    d->layout().table(format, header, body, headerShade, bodyShade, append);
}

void Engine::setText(const QString &text)
{
    if (text.isEmpty())
        return;
    d->layout().text(text);
}

void Engine::setParagraph(const QString &text)
{
    if (text.isEmpty() && !d->active)
        return;
    d->layout().paragraph(text);
}

namespace {

struct TableText {
    QString format;
    QString header;
    QString body;
};

TableText splitTableText(const QString &tableText, QChar rowSeparator)
{
    QString text = tableText;
    text.replace(QStringLiteral("\r\n"), QString(rowSeparator));
    const qsizetype first = text.indexOf(rowSeparator);
    if (first < 0)
        return {text, QString(), QString()};
    const qsizetype second = text.indexOf(rowSeparator, first + 1);
    if (second < 0)
        return {text.left(first), text.mid(first + 1), QString()};
    return {text.left(first), text.mid(first + 1, second - first - 1), text.mid(second + 1)};
}

}  // namespace

void Engine::setTable(const QString &tableText)
{
    if (tableText.isEmpty())
        return;
    const TableText table = splitTableText(tableText, d->settings.rowSeparator);
    AddTable(table.format, table.header, table.body);
}

namespace {

void writeRich(Layout &layout, const LayoutSettings &settings, const QString &rtf)
{
    for (const RichRun &run : parseRtf(rtf)) {
        FontSpec font = settings.font;
        font.bold = font.bold || run.bold;
        font.italic = font.italic || run.italic;
        font.underline = font.underline || run.underline;
        font.strikeout = font.strikeout || run.strike;
        if (run.size > 0)
            font.size = run.size;
        const QRgb color = run.color ? *run.color : toQColor(settings.textColor).rgba();
        layout.text(run.text, font, color);
    }
    if (!layout.lineIsEmpty())
        layout.endLine();
}

}  // namespace

void Engine::setTextRTF(const QString &rtf)
{
    if (rtf.isEmpty())
        return;
    writeRich(d->layout(), d->settings, rtf);
}

// ----------------------------------------------------------------- drawing

namespace {

QPolygon parsePoints(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    const QStringList numbers = text.split(separators, Qt::SkipEmptyParts);
    QPolygon points;
    for (qsizetype i = 0; i + 1 < numbers.size(); i += 2)
        points << QPoint(numbers[i].toInt(), numbers[i + 1].toInt());
    return points;
}

// Radians as the callers give them, to Qt's sixteenths of a degree.
int sixteenths(double radians)
{
    return int(std::lround(std::abs(radians) * 180.0 / std::numbers::pi * 16.0));
}

void setArc(PageItem &item, std::optional<double> start, std::optional<double> end)
{
    if (!start && !end)
        return;
    const double from = start.value_or(0.0);
    const double to = end.value_or(2 * std::numbers::pi);
    item.pie = from < 0 || to < 0;
    const int a = sixteenths(from);
    int span = sixteenths(to) - a;
    while (span <= 0)
        span += 360 * 16;
    item.startAngle = qint16(a % (360 * 16));
    item.spanAngle = qint16(std::min(span, 360 * 16));
}

}  // namespace

void Engine::DrawLine(int x1, int y1, std::optional<int> x2, std::optional<int> y2)
{
    QPoint from(x1, y1);
    QPoint to(x1, y1);
    if (x2 && y2) {
        to = QPoint(*x2, *y2);
    } else {
        from = d->lastLineEnd ? *d->lastLineEnd : QPoint(CurrentX(), CurrentY());
    }
    PageItem item = d->drawingItem(ItemKind::Line);
    item.rect = QRect(from, to);
    // QRect(from, to) normalises nothing; keep the exact end points.
    item.rect.setTopLeft(from);
    item.rect.setBottomRight(to);
    d->layout().addDrawing(std::move(item));
    d->lastLineEnd = to;
}

void Engine::DrawRectangle(int x1, int y1, int x2, int y2, int radius1, std::optional<int> radius2)
{
    PageItem item = d->drawingItem(ItemKind::Rect);
    item.rect = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
    item.radiusX = std::max(0, radius1);
    item.radiusY = std::max(0, radius2.value_or(radius1));
    d->layout().addDrawing(std::move(item));
}

void Engine::DrawEllipse(int x1, int y1, int x2, int y2, std::optional<double> start, std::optional<double> end)
{
    PageItem item = d->drawingItem(ItemKind::Ellipse);
    item.rect = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
    setArc(item, start, end);
    d->layout().addDrawing(std::move(item));
}

void Engine::DrawCircle(int x, int y, int radius, std::optional<double> start, std::optional<double> end)
{
    DrawEllipse(x - radius, y - radius, x + radius, y + radius, start, end);
}

void Engine::setPolygon(const QString &points)
{
    const QPolygon polygon = parsePoints(points);
    if (polygon.size() < 2)
        return;
    PageItem item = d->drawingItem(ItemKind::Polygon);
    item.points = polygon;
    item.rect = polygon.boundingRect();
    d->layout().addDrawing(std::move(item));
}

void Engine::setPolyline(const QString &points)
{
    const QPolygon line = parsePoints(points);
    if (line.size() < 2)
        return;
    PageItem item = d->drawingItem(ItemKind::Polyline);
    item.points = line;
    item.rect = line.boundingRect();
    d->layout().addDrawing(std::move(item));
}

void Engine::setDraw(int object)
{
    const int x1 = d->x1, y1 = d->y1, x2 = d->x2, y2 = d->y2;
    switch (object) {
    case drawobject::Line: DrawLine(x1, y1, x2, y2); break;
    case drawobject::Rectangle: DrawRectangle(x1, y1, x2, y2); break;
    case drawobject::Ellipse: DrawEllipse(x1, y1, x2, y2); break;
    case drawobject::RoundRect: {
        const int r = std::min(std::abs(x2 - x1), std::abs(y2 - y1)) / 8;
        DrawRectangle(x1, y1, x2, y2, r, r);
        break;
    }
    default: break;
    }
}

void Engine::setPicture(const QImage &image)
{
    if (image.isNull())
        return;
    QRect box(QPoint(d->x1, d->y1), QPoint(d->x2, d->y2));
    if (d->x2 <= d->x1 || d->y2 <= d->y1) {
        // Natural size: the image's own resolution, or 96 dpi.
        const double dpmX = image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() : 3780.0;
        const double dpmY = image.dotsPerMeterY() > 0 ? image.dotsPerMeterY() : 3780.0;
        box = QRect(d->x1, d->y1, int(std::lround(image.width() / dpmX * 39.37 * 1440)),
                    int(std::lround(image.height() / dpmY * 39.37 * 1440)));
    }
    PageItem item = d->drawingItem(ItemKind::Picture);
    item.rect = box;
    item.picture = image;
    d->layout().addDrawing(std::move(item));
}

QImage Engine::Picture() const
{
    const Page *page = d->document.page(d->previewPage);
    if (!page)
        return QImage();
    QImage image(page->size / TwipsPerPixel, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(1.0 / TwipsPerPixel, 1.0 / TwipsPerPixel);
    paintPage(painter, *page, PaintOptions{d->previewMode == 2, true});
    return image;
}

// --------------------------------------------------------------- measuring

void Engine::setMeasure(const QString &text)
{
    const FontCache::Entry &font = d->fonts.get(d->settings.font);
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    normal.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    const QStringList lines = normal.split(QLatin1Char('\r'));
    double width = 0;
    for (const QString &line : lines)
        width = std::max(width, font.advance(line));
    d->measuring = true;
    d->textWid = text.isEmpty() ? 0 : int(std::lround(width));
    d->textHei = text.isEmpty() ? 0
                                : int(std::lround(lines.size() * font.metrics.lineSpacing()
                                                  * std::max(1, d->settings.lineSpacing) / 100.0));
    d->x1 = CurrentX();
    d->y1 = CurrentY();
    d->x2 = d->x1 + d->textWid;
    d->y2 = d->y1 + d->textHei;
    d->measuring = false;
}

void Engine::setCalcText(const QString &text)
{
    d->measure([&](Layout &layout) { layout.text(text); });
}

void Engine::setCalcParagraph(const QString &text)
{
    d->measure([&](Layout &layout) { layout.paragraph(text); });
}

void Engine::setCalcTable(const QString &tableText)
{
    const TableText table = splitTableText(tableText, d->settings.rowSeparator);
    d->measure([&](Layout &layout) { layout.table(table.format, table.header, table.body, 0, 0, false); });
}

void Engine::setCalcTextRTF(const QString &rtf)
{
    d->measure([&](Layout &layout) { writeRich(layout, d->settings, rtf); });
}

// ------------------------------------------------------------------ action

void Engine::setAction(int value)
{
    switch (value) {
    case action::ChoosePrinter: PrintDialog(0); break;
    case action::PageSetup: PrintDialog(1); break;
    case action::StartDoc: StartDoc(); break;
    case action::NewPage: NewPage(); break;
    case action::KillDoc: KillDoc(); break;
    case action::EndDoc: EndDoc(); break;
    case action::NewColumn: NewColumn(); break;
    case action::NewLine: d->layout().endLine(); break;
    case action::PrintPage: d->printPages(d->previewPage, d->previewPage); break;
    case action::PrintAll: d->printPages(1, 0); break;
    default: break;
    }
}

bool Engine::PrintDialog(int kind)
{
    const DialogHook &hook = d->dialogHook ? d->dialogHook : EnginePrivate::defaultDialogHook();
    if (!hook)
        return false;
    return hook(*this, kind);
}

void Engine::setDialogHook(DialogHook hook)
{
    d->dialogHook = std::move(hook);
}

void Engine::setDefaultDialogHook(DialogHook hook)
{
    EnginePrivate::defaultDialogHook() = std::move(hook);
}

}  // namespace pages
