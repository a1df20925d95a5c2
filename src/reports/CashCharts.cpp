#include "CashCharts.h"

#include "CashChartData.h"
#include "CashChartPlans.h"
#include "PageFrame.h"
#include "ReportSteps.h"
#include "TableWriter.h"
#include "data/Store.h"

#include <QPainter>
#include <QPicture>

namespace reports {
namespace {

constexpr int TwipsPerPixel = 15;         // the painter draws in pixels of 1/96 inch
constexpr int FooterRoom = 600;           // the footer band over the bottom margin
constexpr int ChartGap = 200;

// Draws the chart into a recording the engine keeps as it is, so preview,
// printer and PDF each replay it at their own resolution.
void placeChart(pages::Engine &engine, const ChartPainter &painter, const ChartPlan &chart, int height)
{
    const int left = engine.MarginLeft();
    const int width = engine.PageWidth() - left - engine.MarginRight();
    if (engine.CurrentY() + height > engine.PageHeight() - engine.MarginBottom() - FooterRoom)
        engine.NewPage();
    const int top = engine.CurrentY();
    const QSizeF frame(double(width) / TwipsPerPixel, double(height) / TwipsPerPixel);
    QPicture picture;
    {
        QPainter recorder(&picture);
        painter.paint(recorder, frame, chart);
    }
    engine.setX1(left);
    engine.setY1(top);
    engine.setX2(left + width);
    engine.setY2(top + height);
    engine.DrawRecording(picture, frame);
    engine.setCurrentY(top + height + ChartGap);
}

// Two charts share a page: the height each gets from here to the footer.
int halfOfWhatIsLeft(pages::Engine &engine)
{
    return (engine.PageHeight() - engine.MarginBottom() - FooterRoom - engine.CurrentY() - ChartGap) / 2;
}

constexpr pages::ColorRef HeaderShade = pages::rgb(255, 255, 220);

void monthTable(pages::Engine &engine, const CashChartData &data)
{
    TableWriter table(engine);
    engine.setFontBold(true);
    table.open(QStringLiteral("<2200|>2500|>2500|>2800"), QStringLiteral("Μήνας|Έσοδα|Έξοδα|Υπόλοιπο τέλους μήνα"),
               QStringLiteral(" | | |"), HeaderShade);
    engine.setFontBold(false);
    table.setShades(RowShade, 0, HeaderShade);
    for (const MonthTotals &m : data.months) {
        const QDate monthEnd = std::min(m.month.addMonths(1).addDays(-1), data.to);
        table.appendShaded({monthName(m.month.month()) + QLatin1Char(' ') + QString::number(m.month.year()),
                            moneyOrZero(m.income), moneyOrZero(m.expense), moneyOrZero(data.balanceOn(monthEnd))});
    }
    engine.setFontBold(true);
    table.append({QStringLiteral("Σύνολα "), moneyOrZero(data.income), moneyOrZero(data.expense),
                  moneyOrZero(data.balanceOn(data.to))});
    engine.setFontBold(false);
}

void sharesTable(pages::Engine &engine, const QList<GroupShare> &shares, const QString &what)
{
    engine.setParagraph(QStringLiteral(" "));
    TableWriter table(engine);
    engine.setFontBold(true);
    table.open(QStringLiteral("<4700|>2800|>1500"), QStringLiteral("Ομάδα|") + what + QStringLiteral("|%"),
               QStringLiteral(" | |"), HeaderShade);
    engine.setFontBold(false);
    table.setShades(RowShade, 0, HeaderShade);
    Money total;
    for (const GroupShare &s : shares)
        total += s.amount;
    for (const GroupShare &s : shares)
        table.appendShaded({s.name, moneyOrZero(s.amount), sharePercent(s.amount, total)});
    engine.setFontBold(true);
    table.append({QStringLiteral("Σύνολο "), moneyOrZero(total), shares.isEmpty() ? QStringLiteral("0") : QStringLiteral("100,0")});
    engine.setFontBold(false);
}

} // namespace

void cashCharts(pages::Engine &engine, Store &store, const ReportInput &input)
{
    applyPageFrame(engine);
    engine.StartDoc();
    engine.setHeader(withCaption(input, QStringLiteral("Διαγράμματα ταμείου από ") + input.fromText
                                            + QStringLiteral(" έως ") + input.toText));
    // A store that cannot be read is left to the runner: empty charts would
    // pass for a period without movements.
    const CashChartData data = readCashChartData(store.main(), input.from, input.to);

    engine.setFontBold(true);
    engine.setParagraph(QStringLiteral("Έσοδα: ") + money(data.income) + QStringLiteral("    Έξοδα: ")
                        + money(data.expense) + QStringLiteral("    Υπόλοιπο στις ") + input.toText
                        + QStringLiteral(": ") + money(data.balanceOn(data.to)));
    engine.setFontBold(false);
    engine.setCurrentY(engine.CurrentY() + ChartGap);

    // Without a painter (a tool with no charting library) the figures still
    // print, as the tables below.
    if (input.chartPainter) {
        const ChartPainter &painter = *input.chartPainter;
        const int firstPair = halfOfWhatIsLeft(engine);
        placeChart(engine, painter, balanceChart(data), firstPair);
        placeChart(engine, painter, monthChart(data), firstPair);
        engine.NewPage();
        const int secondPair = halfOfWhatIsLeft(engine);
        placeChart(engine, painter, expenseSharesChart(data), secondPair);
        placeChart(engine, painter, incomeSharesChart(data), secondPair);
        engine.NewPage();
    }
    if (!input.reportProgress(1))
        throw ReportStopped{};

    monthTable(engine, data);
    sharesTable(engine, data.expenseShares, QStringLiteral("Έξοδα"));
    sharesTable(engine, data.incomeShares, QStringLiteral("Έσοδα"));
    engine.EndDoc();
}

} // namespace reports
