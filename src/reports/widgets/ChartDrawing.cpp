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

void addAxes(QChart &chart, QAbstractSeries *series, const ChartPlan &plan, bool xAttached)
{
    QCategoryAxis *x = tickAxis(plan.xTicks, plan.xMin, plan.xMax, plan.xTitle);
    chart.addAxis(x, Qt::AlignBottom);
    if (xAttached)
        series->attachAxis(x);
    QCategoryAxis *y = tickAxis(plan.yTicks, plan.yMin, plan.yMax, plan.yTitle);
    chart.addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
}

void addLine(QChart &chart, const ChartPlan &plan)
{
    auto *line = new QLineSeries;
    line->setName(plan.lineName);
    line->append(plan.points);
    line->setPen(QPen(QColor(31, 119, 180), 1.5));
    chart.addSeries(line);
    chart.legend()->setVisible(false);  // one line, named by the title
    addAxes(chart, line, plan, true);
}

// The bars keep a category axis of their own, hidden, which places them one
// to a slot; the marks shown are those of the description, on a value axis
// over the same slots, so a long period shows years instead of crowded months.
void addBars(QChart &chart, const ChartPlan &plan)
{
    auto *bars = new QBarSeries;
    bars->setBarWidth(0.85);
    for (const ChartPlan::BarSet &s : plan.barSets) {
        auto *set = new QBarSet(s.name);
        set->setColor(QColor::fromRgba(s.color));
        set->setPen(Qt::NoPen);
        for (double v : s.values)
            set->append(v);
        bars->append(set);
    }
    chart.addSeries(bars);
    auto *places = new QBarCategoryAxis;
    for (int i = 0; i < plan.categories; ++i)
        places->append(QString::number(i));
    chart.addAxis(places, Qt::AlignBottom);
    bars->attachAxis(places);
    places->setVisible(false);
    addAxes(chart, bars, plan, false);
}

void addPie(QChart &chart, const ChartPlan &plan)
{
    auto *pie = new QPieSeries;
    for (const ChartPlan::Slice &s : plan.slices) {
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

void ChartDrawing::paint(QPainter &painter, const QSizeF &size, const ChartPlan &plan) const
{
    QGraphicsScene scene;
    auto *chart = new QChart;  // owned by the scene
    scene.addItem(chart);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setBackgroundPen(QPen(QColor(200, 200, 200)));
    chart->setTitle(plan.title);
    chart->setTitleFont(chartFont(13, true));
    chart->legend()->setFont(chartFont(11));
    chart->setMargins(QMargins(4, 4, 4, 4));
    switch (plan.kind) {
    case ChartPlan::Kind::Line: addLine(*chart, plan); break;
    case ChartPlan::Kind::Bars: addBars(*chart, plan); break;
    case ChartPlan::Kind::Pie: addPie(*chart, plan); break;
    }
    chart->setGeometry(QRectF(QPointF(0, 0), size));

    if (!plan.message.isEmpty()) {
        // On a white ground, so the grid does not run through the words.
        auto *ground = new QGraphicsRectItem(chart);
        ground->setPen(Qt::NoPen);
        ground->setBrush(Qt::white);
        auto *message = new QGraphicsSimpleTextItem(plan.message, ground);
        message->setFont(chartFont(14, true));
        message->setBrush(QColor(90, 90, 90));
        const QRectF plot = plan.kind == ChartPlan::Kind::Pie ? QRectF(QPointF(0, 0), size) : chart->plotArea();
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
