#pragma once

#include "platform/regional/Money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace cashbook {

// One row of kinhseis as the cash sheet reads it.
struct Movement
{
    qint64 aa = 0;          // movement number, given by the database
    int kvdikos = 0;        // code
    QDate hmeromhnia;
    QString perigrafh;
    Money esoda;            // income
    Money ejoda;            // expense
    int aa_omada = 0;       // the code's group when booked
    QString grammh;         // stored display line
    bool epitagh = false;   // paid by cheque
    Money L_tajeos;         // memo amount ("Λ τάξεως"), shown only

    Money net() const { return esoda - ejoda; }
};

// An active code as the code box offers it.
struct ActiveCode
{
    int kvdikos = 0;
    QString perigrafh;
    int aa_omadas = 0;
    QString lista;          // "PadLeft(code,5) description"
    bool esodo = false;     // income code
};

// One day of the cash book as read from the store: the balance carried over
// from the latest earlier day row, the day's movements in booking order and
// the totals. Nothing here is written.
struct DayView
{
    QDate day;
    QDate previousDay;      // date of the row the balance comes from (the day itself when
                            // its opening balance enters on it); invalid when none
    Money carried;          // DayBalance before the day's movements, the opening included
    QList<Movement> movements; // grammh is left empty: the list builds its own lines
    Money income;           // DayIncome
    Money expense;          // DayExpense

    // The day's tameio row as it stood when the day was read; none when missing.
    struct StoredRow
    {
        Money income, expense, balance;
    };
    std::optional<StoredRow> stored;

    Money balance() const { return carried + income - expense; } // DayBalance
    bool hasMovements() const { return !movements.isEmpty(); }
};

} // namespace cashbook
