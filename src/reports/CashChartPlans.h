#pragma once

#include "CashChartData.h"
#include "ChartPlan.h"

namespace reports {

// The four charts of the cash over a period, in Greek: the daily balance, the
// income and expense of each month, and the groups' shares of the expense and
// of the income.
ChartPlan balanceChart(const CashChartData &data);
ChartPlan monthChart(const CashChartData &data);
ChartPlan expenseSharesChart(const CashChartData &data);
ChartPlan incomeSharesChart(const CashChartData &data);

// Said on a chart of a period without movements.
QString noMovementsMessage();

// Money ticks for an axis over [low, high] (0 always inside): about five
// round steps, labelled in the Greek money format. Sets the axis range to
// the outer ticks.
QList<ChartTick> moneyTicks(double low, double high, double &axisMin, double &axisMax);

// The part's share of the whole in per cent, one decimal after the comma
// ("12,3"; "0,0" of a zero whole).
QString sharePercent(Money part, Money whole);

// Short Greek month names ("Ιαν" ... "Δεκ").
QString monthName(int month);

} // namespace reports
