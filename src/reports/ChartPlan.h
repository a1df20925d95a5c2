#pragma once

#include <QList>
#include <QPointF>
#include <QRgb>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QPainter;

namespace reports {

// A mark on an axis with its text.
struct ChartTick
{
    double value = 0;
    QString label;
};

// One chart as a report describes it, every text final (Greek words, money in
// the Greek format, ticks chosen), so whatever draws it only draws.
struct ChartPlan
{
    enum class Kind { Line, Bars, Pie };

    struct BarSet
    {
        QString name;
        QRgb color = 0;
        QList<double> values;   // one per category
    };

    struct Slice
    {
        QString label;
        QRgb color = 0;
        double value = 0;
    };

    Kind kind = Kind::Line;
    QString title;
    QString message;            // said over the plot when there is nothing to show

    QString lineName;           // Line: the polyline in axis units
    QList<QPointF> points;

    int categories = 0;         // Bars: groups of bars at 0 .. categories - 1
    QList<BarSet> barSets;

    QList<Slice> slices;        // Pie

    // Axes of line and bar charts.
    QString xTitle, yTitle;
    double xMin = 0, xMax = 1, yMin = 0, yMax = 1;
    QList<ChartTick> xTicks, yTicks;
};

// Draws a chart. The report records what it draws and hands that to the page
// engine, so the same drawing fills the preview, the printer and the PDF.
class ChartPainter
{
public:
    virtual ~ChartPainter() = default;
    // Draws `chart` over (0, 0)-(size) of the painter, in pixels of 1/96 inch.
    virtual void paint(QPainter &painter, const QSizeF &size, const ChartPlan &chart) const = 0;
};

} // namespace reports
