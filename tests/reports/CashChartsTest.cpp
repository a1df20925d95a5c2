// The figures of the cash charts against sums added up here from the
// movements each test booked, and the Greek texts the charts carry.
#include "CashChartsBook.h"
#include "reports/CashChartData.h"
#include "reports/CashChartPlans.h"

#include <gtest/gtest.h>

using namespace reports;

namespace {

QDate day(int d, int m, int y = 2026) { return QDate(y, m, d); }
Money cents(qint64 c) { return Money::fromCents(c); }

class CashChartsTest : public ::testing::Test
{
protected:
    // Movements from January to April, the opening balance on 2 January;
    // a day of only income, one of only expense, days with both, and a
    // movement after every period the tests ask for.
    void bookQuarter()
    {
        book.opening(day(2, 1), 150000);
        book.book(day(5, 1), 10, 40000, 0);
        book.book(day(5, 1), 20, 0, 12550);
        book.book(day(20, 1), 40, 0, 3333);
        book.book(day(3, 2), 21, 0, 99999);
        book.book(day(3, 2), 50, 7001, 0);
        book.book(day(14, 2), 10, 120000, 0);
        book.book(day(28, 2), 20, 0, 45000);
        book.book(day(2, 3), 40, 0, 1);
        book.book(day(31, 3), 10, 5, 0);
        book.book(day(15, 5), 10, 777700, 0);
    }

    // Sums of the booked movements between two days, by code.
    qint64 sum(const QDate &from, const QDate &to, QList<int> codes, bool income) const
    {
        qint64 total = 0;
        for (const auto &b : book.booked)
            if (b.day >= from && b.day <= to && codes.contains(b.code))
                total += income ? b.incomeCents : b.expenseCents;
        return total;
    }

    CashChartData read(const QDate &from, const QDate &to) { return readCashChartData(book.folder.main(), from, to); }

    CashChartsBook book;
};

TEST_F(CashChartsTest, DailyBalanceFollowsTheCarriedBalanceOfEveryDay)
{
    bookQuarter();
    // One period holding the opening day, one starting after it in the middle
    // of the movements (the carried balance comes from the row before it).
    for (const auto &[from, to] : {std::pair{day(1, 1), day(30, 4)}, std::pair{day(10, 2), day(31, 3)}}) {
        const CashChartData data = read(from, to);
        ASSERT_FALSE(data.balances.isEmpty());
        EXPECT_EQ(data.balances.first().day, from);
        EXPECT_EQ(data.balances.last().day, to);
        for (QDate d = from; d <= to; d = d.addDays(1))
            ASSERT_EQ(data.balanceOn(d), cents(book.balanceCents(d))) << qPrintable(d.toString(Qt::ISODate));
        // A step only where the balance moves: the first day, days with
        // movements (or the opening), the last day.
        for (const DayBalance &step : data.balances) {
            const bool moved = step.day == book.openingDay
                || std::any_of(book.booked.begin(), book.booked.end(), [&](const auto &b) { return b.day == step.day; });
            EXPECT_TRUE(moved || step.day == from || step.day == to) << qPrintable(step.day.toString(Qt::ISODate));
        }
    }
}

TEST_F(CashChartsTest, MonthBarsAddUpEachMonthOfThePeriod)
{
    bookQuarter();
    const QList<int> all = {10, 20, 21, 40, 50};
    // The period cuts January and March: only their days inside count.
    const QDate from = day(10, 1), to = day(30, 3);
    const CashChartData data = read(from, to);
    ASSERT_EQ(data.months.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QDate first = std::max(from, day(1, i + 1));
        const QDate last = std::min(to, day(1, i + 1).addMonths(1).addDays(-1));
        EXPECT_EQ(data.months[i].month, day(1, i + 1));
        EXPECT_EQ(data.months[i].income, cents(sum(first, last, all, true))) << i;
        EXPECT_EQ(data.months[i].expense, cents(sum(first, last, all, false))) << i;
    }
    EXPECT_EQ(data.income, cents(sum(from, to, all, true)));
    EXPECT_EQ(data.expense, cents(sum(from, to, all, false)));
    EXPECT_TRUE(data.anyMovements);

    // The chart draws exactly these, income then expense, one bar per month.
    const ChartPlan bars = monthChart(data);
    ASSERT_EQ(bars.barSets.size(), 2);
    EXPECT_EQ(bars.categories, 3);
    EXPECT_EQ(bars.barSets[0].name, QStringLiteral("Έσοδα"));
    EXPECT_DOUBLE_EQ(bars.barSets[0].values[1], double(sum(day(1, 2), day(28, 2), all, true)) / 100);
    EXPECT_DOUBLE_EQ(bars.barSets[1].values[0], double(sum(from, day(31, 1), all, false)) / 100);
    EXPECT_GE(bars.yMax, bars.barSets[0].values[1]);
    EXPECT_TRUE(bars.message.isEmpty());
}

TEST_F(CashChartsTest, GroupSharesAddUpByTheCodesGroupWithCodesInNoGroupApart)
{
    bookQuarter();
    // A code moved to another group counts there for the whole period.
    book.folder.main().execute(QStringLiteral("UPDATE kvdikoi SET aa_omadas = ?1 WHERE kvdikos = 21"), book.sales);
    const QDate from = day(1, 1), to = day(31, 3);
    const CashChartData data = read(from, to);

    ASSERT_EQ(data.expenseShares.size(), 3);
    QMap<QString, Money> expense;
    for (const GroupShare &s : data.expenseShares)
        expense.insert(s.name, s.amount);
    EXPECT_EQ(expense.value(QStringLiteral("ΑΓΟΡΕΣ")), cents(sum(from, to, {20}, false)));
    EXPECT_EQ(expense.value(QStringLiteral("ΠΩΛΗΣΕΙΣ")), cents(sum(from, to, {21}, false)));
    EXPECT_EQ(expense.value(noGroupName()), cents(sum(from, to, {40}, false)));
    // Largest first.
    for (qsizetype i = 1; i < data.expenseShares.size(); ++i)
        EXPECT_GE(data.expenseShares[i - 1].amount, data.expenseShares[i].amount);

    ASSERT_EQ(data.incomeShares.size(), 2);   // no group without income shows
    EXPECT_EQ(data.incomeShares[0].name, QStringLiteral("ΠΩΛΗΣΕΙΣ"));
    EXPECT_EQ(data.incomeShares[0].amount, cents(sum(from, to, {10, 21}, true)));
    EXPECT_EQ(data.incomeShares[1].name, noGroupName());
    EXPECT_EQ(data.incomeShares[1].group, 0);
    EXPECT_EQ(data.incomeShares[1].amount, cents(sum(from, to, {50}, true)));

    // The slices say amount and share in the Greek format.
    const ChartPlan pie = incomeSharesChart(data);
    ASSERT_EQ(pie.slices.size(), 2);
    const qint64 in = sum(from, to, {10, 21, 50}, true);
    const qint64 none = sum(from, to, {50}, true);
    const QString share = QString::number(100.0 * double(none) / double(in), 'f', 1).replace(u'.', u',');
    EXPECT_EQ(pie.slices[1].label, noGroupName() + QStringLiteral("  ") + regional::formatMoney(cents(none))
                                       + QStringLiteral(" (") + share + QStringLiteral("%)"));
}

TEST_F(CashChartsTest, APeriodWithoutMovementsGivesEmptyChartsWithTheirMessage)
{
    bookQuarter();
    const CashChartData data = read(day(1, 4), day(30, 4));
    EXPECT_FALSE(data.anyMovements);
    EXPECT_TRUE(data.expenseShares.isEmpty());
    EXPECT_TRUE(data.incomeShares.isEmpty());
    ASSERT_EQ(data.months.size(), 1);
    EXPECT_TRUE(data.months[0].income.isZero() && data.months[0].expense.isZero());
    // The balance carried in stays the line, flat.
    ASSERT_EQ(data.balances.size(), 2);
    EXPECT_EQ(data.balances[0].balance, cents(book.balanceCents(day(31, 3))));
    EXPECT_EQ(data.balances[1].balance, data.balances[0].balance);
    for (const ChartPlan &chart : {balanceChart(data), monthChart(data), expenseSharesChart(data), incomeSharesChart(data)})
        EXPECT_EQ(chart.message, noMovementsMessage()) << qPrintable(chart.title);

    // A book with nothing at all: zero, still no error.
    CashChartsBook empty;
    const CashChartData nothing = readCashChartData(empty.folder.main(), day(1, 1), day(31, 12));
    EXPECT_FALSE(nothing.anyMovements);
    EXPECT_EQ(nothing.balanceOn(day(1, 6)), Money());
    EXPECT_EQ(nothing.months.size(), 12);
}

TEST(CashChartTexts, AxesAreGreekWithMoneyInTheGreekFormat)
{
    double low = 0, high = 0;
    const QList<ChartTick> ticks = moneyTicks(-1234.5, 987654.32, low, high);
    ASSERT_GE(ticks.size(), 3);
    EXPECT_LE(low, -1234.5);
    EXPECT_GE(high, 987654.32);
    EXPECT_EQ(ticks.first().value, low);
    EXPECT_EQ(ticks.last().value, high);
    bool zero = false;
    for (const ChartTick &t : ticks) {
        EXPECT_EQ(t.label, regional::formatMoney(Money::fromUnits(std::llround(t.value * Money::Scale))));
        zero = zero || t.label == QStringLiteral("0,00");
    }
    EXPECT_TRUE(zero);
    EXPECT_TRUE(std::any_of(ticks.begin(), ticks.end(), [](const ChartTick &t) { return t.label == QStringLiteral("1.000.000,00"); }));

    CashChartData year;
    year.from = QDate(2025, 1, 1);
    year.to = QDate(2025, 12, 31);
    year.balances = {{year.from, Money()}, {year.to, Money()}};
    const ChartPlan line = balanceChart(year);
    EXPECT_EQ(line.title, QStringLiteral("Υπόλοιπο ταμείου ανά ημέρα"));
    EXPECT_EQ(line.xTitle, QStringLiteral("Ημερομηνία"));
    EXPECT_EQ(line.yTitle, QStringLiteral("Υπόλοιπο"));
    ASSERT_EQ(line.xTicks.size(), 11);   // the first of each month after January
    EXPECT_EQ(line.xTicks[0].label, QStringLiteral("Φεβ 2025"));
    EXPECT_EQ(line.xTicks[0].value, 31);
    EXPECT_EQ(line.xTicks[4].label, QStringLiteral("Ιουν"));
}

} // namespace
