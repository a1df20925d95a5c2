#pragma once

#include "platform/regional/Money.h"

#include <QDate>
#include <QList>
#include <QString>

namespace db { class Database; }

namespace reports {

// The figures behind the cash charts of a period, read with every date bound.

// The balance at the end of a day as the cash sheet shows that day: the
// balance of the latest earlier tameio row, the opening balance entering on
// the day, plus the day's income less its expense.
struct DayBalance
{
    QDate day;
    Money balance;
};

// Income and expense of one month of the period (`month` is its first day).
struct MonthTotals
{
    QDate month;
    Money income, expense;
};

// The part of the period's income or expense booked under codes of one group.
// Codes in no group (or in a group that no longer exists) share one slice,
// group 0.
struct GroupShare
{
    qint64 group = 0;
    QString name;
    Money amount;
};

struct CashChartData
{
    QDate from, to;
    // The balance steps: the first day of the period, every day whose balance
    // differs from the day before it, and the last day; oldest first. Between
    // two steps the balance stays what the earlier one says.
    QList<DayBalance> balances;
    QList<MonthTotals> months;           // every month the period touches, oldest first
    QList<GroupShare> expenseShares;     // largest first; groups without expense left out
    QList<GroupShare> incomeShares;      // likewise for income
    Money income, expense;               // of the whole period
    bool anyMovements = false;

    // The balance at the end of `day` (inside the period) as the steps give it.
    Money balanceOn(const QDate &day) const;
};

// The name of the slice of codes in no group.
QString noGroupName();

CashChartData readCashChartData(db::Database &main, const QDate &from, const QDate &to);

} // namespace reports
