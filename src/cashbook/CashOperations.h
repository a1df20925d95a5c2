#pragma once

#include "CashBook.h"
#include "ChangeLog.h"

#include <optional>

namespace cashbook {

// What the entry fields of the cash sheet hold when a button is pressed.
struct MovementEntry
{
    QString dateText;      // Text1(0)
    int code = 0;          // CurrentCode: 0 when no code is chosen
    QString description;   // Text1(1)
    QString incomeText;    // Text1(2)
    QString expenseText;   // Text1(3)
    QString memoText;      // Text1(9)
    bool cheque = false;   // Check1(0)
};

// The changing operations of the cash sheet. Each runs its checks in the
// order users know them, reports a failed check through a message box, and
// then changes the store in one transaction: the movement, the day's tameio
// row and the balance of every later day commit together or not at all.
//
// Later days move by exactly the amount the day's net (income - expense)
// changed, once per operation: + the new net on insert, new - old on change,
// - the old net on delete (also when the day loses its last movement).
//
// Closing protects a day's movements, not its carried balance: a booking on an
// earlier open day moves the balance of later closed days for every user, and
// the change log records it (as it records every change and deletion, and
// every insert into a closed day). Whatever a write depends on (the movement
// as it stands) is read again inside the write transaction; if another
// workstation changed it since the user was asked, nothing is written.
class CashOperations
{
public:
    explicit CashOperations(CashBook &book);

    // Command1(0): refused on a closed day without RightChangeRecords; with a
    // movement loaded the user is asked first; then InsertMovement.
    std::optional<qint64> InsertFromButton(const MovementEntry &entry, bool movementSelected);
    // Checks date, code, active code, description; returns the new movement number.
    std::optional<qint64> InsertMovement(const MovementEntry &entry);
    // Checks code, active code, description, asks, then rewrites movement aa
    // on its own day. Change and delete each add their row to the change log
    // in the same transaction.
    bool ChangeMovement(qint64 aa, const MovementEntry &entry);
    // Asks, then deletes movement aa.
    bool DeleteMovement(qint64 aa);
    // The last change or delete was not done because the user answered
    // Cancel to its confirmation (not because a check refused it).
    bool declinedByUser() const { return m_declined; }
    // Command1(8): right check, confirmation, then the day is marked closed
    // (closing a closed day again writes nothing) and both files are copied
    // into backup/YYYY-MM-DD (a failed copy is reported; the day stays
    // closed). True when the day is closed.
    bool CloseCash(const QString &dateText);

private:
    changelog::LaterClosedDays closedDaysMoved(const QDate &day, Money netChange);
    bool movementUnchanged(const Movement &seen);
    void reportOverflow();
    bool checkCodeAndDescription(const MovementEntry &entry, std::optional<ActiveCode> &code);
    bool mayChangeDay(const QDate &day);
    // The stored movement when it exists and its day may be changed (says why not otherwise).
    std::optional<Movement> changeableMovement(qint64 aa);
    std::optional<Movement> movementFrom(const MovementEntry &entry, const ActiveCode &code, const QDate &day);

    CashBook &m_book;
    bool m_declined = false;
};

// Reads an amount box by the amount rule (regional::checkAmountText); a text
// that is no clear amount is reported with the reason and gives no value.
std::optional<Money> readAmountBox(const QString &text);

} // namespace cashbook
