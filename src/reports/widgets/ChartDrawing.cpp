#include "ChartDrawing.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>

namespace reports {
namespace {

// Pixel sizes, not points: the chart is laid out for 1/96-inch pixels whatever
// the screen's resolution, so the recording fills its box the same everywhere.
QFont chartFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QCategoryAxis *tickAxis(const QList<ChartTick> &ticks, double min, double max, const QString &title)
{
    auto *axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setRange(min, max);
    for (const ChartTick &t : ticks)
        if (t.value >= min - 1e-9 && t.value <= max + 1e-9)
            axis->append(t.label, t.value);
    axis->setLabelsFont(chartFont(10));
    axis->setTitleFont(chartFont(10, true));
    axis->setTitleText(title);
    axis->setGridLineColor(QColor(225, 225, 225));
    return axis;
}

void addAxes(QChart &chart, QAbstractSeries *series, const ChartSpec &spec, bool xAttached)
{
    QCategoryAxis *x = tickAxis(spec.xTicks, spec.xMin, spec.xMax, spec.xTitle);
    chart.addAxis(x, Qt::AlignBottom);
    if (xAttached)
        series->attachAxis(x);
    QCategoryAxis *y = tickAxis(spec.yTicks, spec.yMin, spec.yMax, spec.yTitle);
    chart.addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
}

void addLine(QChart &chart, const ChartSpec &spec)
{
    auto *line = new QLineSeries;
    line->setName(spec.lineName);
    line->append(spec.points);
    line->setPen(QPen(QColor(31, 119, 180), 1.5));
    chart.addSeries(line);
    chart.legend()->setVisible(false);  // one line, named by the title
    addAxes(chart, line, spec, true);
}

// The bars keep a category axis of their own, hidden, which places them one
// to a slot; the marks shown are those of the description, on a value axis
// over the same slots, so a long period shows years instead of crowded months.
void addBars(QChart &chart, const ChartSpec &spec)
{
    auto *bars = new QBarSeries;
    bars->setBarWidth(0.85);
    for (const ChartSpec::BarSet &s : spec.barSets) {
        auto *set = new QBarSet(s.name);
        set->setColor(QColor::fromRgba(s.color));
        set->setPen(Qt::NoPen);
        for (double v : s.values)
            set->append(v);
        bars->append(set);
    }
    chart.addSeries(bars);
    auto *places = new QBarCategoryAxis;
    for (int i = 0; i < spec.categories; ++i)
        places->append(QString::number(i));
    chart.addAxis(places, Qt::AlignBottom);
    bars->attachAxis(places);
    places->setVisible(false);
    addAxes(chart, bars, spec, false);
}

void addPie(QChart &chart, const ChartSpec &spec)
{
    auto *pie = new QPieSeries;
    for (const ChartSpec::Slice &s : spec.slices) {
        QPieSlice *slice = pie->append(s.label, s.value);
        slice->setColor(QColor::fromRgba(s.color));
        slice->setBorderColor(Qt::white);
    }
    pie->setPieSize(0.8);
    chart.addSeries(pie);
    // The legend beside the pie names each slice with its amount and share;
    // labels around the pie would collide on small slices.
    chart.legend()->setAlignment(Qt::AlignRight);
}

} // namespace

void ChartDrawing::paint(QPainter &painter, const QSizeF &size, const ChartSpec &spec) const
{
    QGraphicsScene scene;
    auto *chart = new QChart;  // owned by the scene
    scene.addItem(chart);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setBackgroundPen(QPen(QColor(200, 200, 200)));
    chart->setTitle(spec.title);
    chart->setTitleFont(chartFont(13, true));
    chart->legend()->setFont(chartFont(11));
    chart->setMargins(QMargins(4, 4, 4, 4));
    switch (spec.kind) {
    case ChartSpec::Kind::Line: addLine(*chart, spec); break;
    case ChartSpec::Kind::Bars: addBars(*chart, spec); break;
    case ChartSpec::Kind::Pie: addPie(*chart, spec); break;
    }
    chart->setGeometry(QRectF(QPointF(0, 0), size));

    if (!spec.message.isEmpty()) {
        // On a white ground, so the grid does not run through the words.
        auto *ground = new QGraphicsRectItem(chart);
        ground->setPen(Qt::NoPen);
        ground->setBrush(Qt::white);
        auto *message = new QGraphicsSimpleTextItem(spec.message, ground);
        message->setFont(chartFont(14, true));
        message->setBrush(QColor(90, 90, 90));
        const QRectF plot = spec.kind == ChartSpec::Kind::Pie ? QRectF(QPointF(0, 0), size) : chart->plotArea();
        const QRectF text = message->boundingRect();
        ground->setRect(text.adjusted(-8, -4, 8, 4));
        ground->setPos(plot.center() - text.center());
    }
    const QRectF area(QPointF(0, 0), size);
    scene.render(&painter, area, area);
}

const ChartPainter &chartDrawing()
{
    static const ChartDrawing drawing;
    return drawing;
}

} // namespace reports
