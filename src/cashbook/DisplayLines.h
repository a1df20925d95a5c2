#pragma once

#include "CashTypes.h"

#include <QString>
#include <QStringList>

// The fixed-pitch texts of the cash sheet. Every amount column is wide enough
// for the largest amount a movement may hold and a blank before it; the
// description is cut on the right.
namespace cashbook::lines {

// Column header of the day list, its words over their columns.
QString listHeader();

// First line of the list: the balance carried over from the previous day row.
QString carriedBalanceLine(const DayView &day);

// One movement line of the list; lineNumber counts from 1 within the day.
QString movementLine(int lineNumber, const Movement &m);

// The first line followed by one line per movement.
QStringList dayLines(const DayView &day);

// The stored grammh of a movement, built from the entry as typed:
// code, description, the income and expense texts as they stand in their
// boxes, and the cheque mark.
QString storedLine(int code, const QString &description, const QString &incomeText,
                   const QString &expenseText, bool cheque);

// "0" when zero, otherwise the grouped format: the day's totals in the status
// bar and a movement's amounts in the entry boxes.
QString moneyOrZero(Money amount);

// The text an amount box shows after it is left: empty -> "0", otherwise the
// grouped format with two decimals. Text that is no clear amount stays as
// typed (it is refused with its reason where it is used).
QString formatAmountBox(const QString &text);

} // namespace cashbook::lines
