#pragma once

#include "CashTypes.h"

#include <QList>
#include <optional>

class Store;

namespace cashbook {

// The store side of the cash sheet: reading a day with its carried-over
// balance, writing the day's tameio row, the closed days and the active codes.
//
// The balance chain (data/Balances.h): the tameio row of a day holds the day's
// income and expense totals and ypoloipo = the ypoloipo of the latest earlier
// row + the opening balance entering that day + income - expense. Balances are
// exact (INTEGER ten-thousandths, like every amount); the old single-precision
// balance lost cents above 167.772,16.
class CashBook
{
public:
    explicit CashBook(Store &store);

    Store &store() { return m_store; }

    // The day with the balance of the latest earlier tameio row (0 when there
    // is none) plus the opening balance that enters on it, and its movements
    // in booking order. Reads only.
    DayView readDay(const QDate &day);

    // The store's part of showing a day: reads the day and, when it has
    // movements, writes its tameio row (a row that already holds these values
    // is left untouched). The cash sheet's ShowDay lists what it returns.
    DayView readDayAndSaveRow(const QDate &day);

    // Writes the day's tameio row from the view (created when missing) and adds
    // laterChange to the balance of every later day. The caller holds the
    // transaction that makes this part of one operation, and read the view
    // inside it: the row the view read is what the write goes by. Throws MoneyOverflow,
    // before writing anything later, when a later balance would overflow.
    void SaveDayRow(const DayView &day, Money laterChange = Money());

    // A day is closed exactly when KlhsimoTameioy holds its date.
    bool IsDayClosed(const QDate &day);
    // Marks the day closed; false when it already was (nothing written then).
    bool closeDay(const QDate &day);

    // The closed days after `day`: how many, and the first of them.
    struct ClosedDays
    {
        int count = 0;
        QDate first;
    };
    ClosedDays closedDaysAfter(const QDate &day);

    // Codes offered for entry, in code order.
    QList<ActiveCode> activeCodes();
    std::optional<ActiveCode> findActiveCode(int code);

    std::optional<Movement> movement(qint64 aa);

private:
    bool dayRowIsCurrent(const DayView &day);

    Store &m_store;
};

} // namespace cashbook
