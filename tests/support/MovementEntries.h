#pragma once

#include "cashbook/CashOperations.h"
#include "platform/regional/GreekFormats.h"

// What the cash sheet's boxes hold for one movement, as a user types it.
inline cashbook::MovementEntry movementEntry(const QDate &day, int code, const QString &income,
                                             const QString &expense, const QString &description)
{
    cashbook::MovementEntry e;
    e.dateText = regional::formatDate(day);
    e.code = code;
    e.description = description;
    e.incomeText = income;
    e.expenseText = expense;
    e.memoText = QStringLiteral("0");
    return e;
}
