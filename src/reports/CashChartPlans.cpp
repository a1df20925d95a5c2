#include "CashChartPlans.h"

#include "platform/regional/GreekFormats.h"

#include <cmath>

namespace reports {
namespace {

double amount(Money m) { return double(m.units()) / double(Money::Scale); }

QString moneyText(double value) { return regional::formatMoney(Money::fromUnits(std::llround(value * Money::Scale))); }

// "Ιαν 2024" where a year starts or the axis begins, the month alone elsewhere.
QString monthLabel(const QDate &month, bool first)
{
    return first || month.month() == 1 ? monthName(month.month()) + QLatin1Char(' ') + QString::number(month.year())
                                       : monthName(month.month());
}

// The months of an axis that get a mark: each one for up to a year and a
// little, the quarters up to three years, then the years (every second or
// fifth on very long periods), so the labels never crowd.
bool monthMarked(const QDate &month, int monthsOnAxis)
{
    if (monthsOnAxis <= 14)
        return true;
    if (monthsOnAxis <= 40)
        return (month.month() - 1) % 3 == 0;
    const int everyYears = monthsOnAxis <= 15 * 12 ? 1 : monthsOnAxis <= 30 * 12 ? 2 : 5;
    return month.month() == 1 && month.year() % everyYears == 0;
}

QString yearOrMonthLabel(const QDate &month, int monthsOnAxis, bool first)
{
    return monthsOnAxis > 40 ? QString::number(month.year()) : monthLabel(month, first);
}

QList<ChartTick> dayTicks(const QDate &from, const QDate &to)
{
    QList<ChartTick> ticks;
    const qint64 days = from.daysTo(to);
    if (days <= 62) {
        for (qint64 d = 0; d <= days; d += 7)
            ticks << ChartTick{double(d), from.addDays(d).toString(QStringLiteral("dd-MM"))};
        return ticks;
    }
    const int months = (to.year() - from.year()) * 12 + to.month() - from.month() + 1;
    for (QDate m = QDate(from.year(), from.month(), 1).addMonths(1); m <= to; m = m.addMonths(1))
        if (monthMarked(m, months))
            ticks << ChartTick{double(from.daysTo(m)), yearOrMonthLabel(m, months, ticks.isEmpty())};
    return ticks;
}

QList<ChartTick> monthTicks(const QList<MonthTotals> &months)
{
    QList<ChartTick> ticks;
    for (qsizetype i = 0; i < months.size(); ++i)
        if (monthMarked(months[i].month, int(months.size())) || i == 0)
            ticks << ChartTick{double(i), yearOrMonthLabel(months[i].month, int(months.size()), i == 0)};
    return ticks;
}

constexpr QRgb IncomeColour = 0xff2e8b57;
constexpr QRgb ExpenseColour = 0xffc0392b;
constexpr QRgb NoGroupColour = 0xffa0a0a0;
constexpr QRgb SliceColours[] = {0xff1f77b4, 0xffff7f0e, 0xff2ca02c, 0xffd62728, 0xff9467bd, 0xff8c564b,
                                 0xffe377c2, 0xffbcbd22, 0xff17becf, 0xff393b79, 0xff637939, 0xff843c39};

ChartPlan sharesChart(const QList<GroupShare> &shares, const CashChartData &data, const QString &title,
                      const QString &nothing)
{
    ChartPlan chart;
    chart.kind = ChartPlan::Kind::Pie;
    chart.title = title;
    Money total;
    for (const GroupShare &s : shares)
        total += s.amount;
    int colour = 0;
    for (const GroupShare &s : shares) {
        const QRgb rgb = s.group == 0 ? NoGroupColour : SliceColours[colour++ % std::size(SliceColours)];
        chart.slices << ChartPlan::Slice{s.name + QStringLiteral("  ") + regional::formatMoney(s.amount)
                                             + QStringLiteral(" (") + sharePercent(s.amount, total) + QStringLiteral("%)"),
                                         rgb, amount(s.amount)};
    }
    if (!data.anyMovements)
        chart.message = noMovementsMessage();
    else if (chart.slices.isEmpty())
        chart.message = nothing;
    return chart;
}

} // namespace

QString noMovementsMessage() { return QStringLiteral("Δεν υπάρχουν κινήσεις στην περίοδο"); }

QString sharePercent(Money part, Money whole)
{
    const double share = whole.isZero() ? 0.0 : 100.0 * double(part.units()) / double(whole.units());
    return QString::number(share, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString monthName(int month)
{
    static const QString names[] = {QStringLiteral("Ιαν"), QStringLiteral("Φεβ"), QStringLiteral("Μαρ"),
                                    QStringLiteral("Απρ"), QStringLiteral("Μαΐ"), QStringLiteral("Ιουν"),
                                    QStringLiteral("Ιουλ"), QStringLiteral("Αυγ"), QStringLiteral("Σεπ"),
                                    QStringLiteral("Οκτ"), QStringLiteral("Νοε"), QStringLiteral("Δεκ")};
    return month >= 1 && month <= 12 ? names[month - 1] : QString();
}

QList<ChartTick> moneyTicks(double low, double high, double &axisMin, double &axisMax)
{
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
    if (high - low < 0.01)
        high = low + 1.0;
    const double raw = (high - low) / 5.0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * magnitude;
    for (const double f : {1.0, 2.0, 2.5, 5.0})
        if (f * magnitude >= raw) {
            step = f * magnitude;
            break;
        }
    step = std::max(step, 0.01);
    const qint64 first = qint64(std::floor(low / step + 1e-9));
    const qint64 last = qint64(std::ceil(high / step - 1e-9));
    axisMin = double(first) * step;
    axisMax = double(last) * step;
    QList<ChartTick> ticks;
    for (qint64 k = first; k <= last; ++k)
        ticks << ChartTick{double(k) * step, moneyText(double(k) * step)};
    return ticks;
}

ChartPlan balanceChart(const CashChartData &data)
{
    ChartPlan chart;
    chart.kind = ChartPlan::Kind::Line;
    chart.title = QStringLiteral("Υπόλοιπο ταμείου ανά ημέρα");
    chart.lineName = QStringLiteral("Υπόλοιπο");
    chart.xTitle = QStringLiteral("Ημερομηνία");
    chart.yTitle = QStringLiteral("Υπόλοιπο");
    if (!data.anyMovements)
        chart.message = noMovementsMessage();
    double low = 0, high = 0;
    // The balance holds from one step to the next: drawn as stairs, never as
    // a slope that would show amounts no day had.
    for (qsizetype i = 0; i < data.balances.size(); ++i) {
        const double x = double(data.from.daysTo(data.balances[i].day));
        const double y = amount(data.balances[i].balance);
        if (i > 0)
            chart.points << QPointF(x, chart.points.last().y());
        chart.points << QPointF(x, y);
        low = std::min(low, y);
        high = std::max(high, y);
    }
    chart.xMin = 0;
    chart.xMax = std::max<double>(1, data.from.daysTo(data.to));
    chart.xTicks = data.from.isValid() && data.to >= data.from ? dayTicks(data.from, data.to) : QList<ChartTick>();
    chart.yTicks = moneyTicks(low, high, chart.yMin, chart.yMax);
    return chart;
}

ChartPlan monthChart(const CashChartData &data)
{
    ChartPlan chart;
    chart.kind = ChartPlan::Kind::Bars;
    chart.title = QStringLiteral("Έσοδα και έξοδα ανά μήνα");
    chart.xTitle = QStringLiteral("Μήνας");
    chart.yTitle = QStringLiteral("Ποσό");
    if (!data.anyMovements)
        chart.message = noMovementsMessage();
    ChartPlan::BarSet income{QStringLiteral("Έσοδα"), IncomeColour, {}};
    ChartPlan::BarSet expense{QStringLiteral("Έξοδα"), ExpenseColour, {}};
    double high = 0;
    for (const MonthTotals &m : data.months) {
        income.values << amount(m.income);
        expense.values << amount(m.expense);
        high = std::max({high, income.values.last(), expense.values.last()});
    }
    chart.categories = int(data.months.size());
    chart.barSets = {income, expense};
    chart.xMin = -0.5;
    chart.xMax = std::max(0.5, chart.categories - 0.5);
    chart.xTicks = monthTicks(data.months);
    chart.yTicks = moneyTicks(0, high, chart.yMin, chart.yMax);
    return chart;
}

ChartPlan expenseSharesChart(const CashChartData &data)
{
    return sharesChart(data.expenseShares, data, QStringLiteral("Έξοδα ανά ομάδα κωδικών"),
                       QStringLiteral("Δεν υπάρχουν έξοδα στην περίοδο"));
}

ChartPlan incomeSharesChart(const CashChartData &data)
{
    return sharesChart(data.incomeShares, data, QStringLiteral("Έσοδα ανά ομάδα κωδικών"),
                       QStringLiteral("Δεν υπάρχουν έσοδα στην περίοδο"));
}

} // namespace reports
