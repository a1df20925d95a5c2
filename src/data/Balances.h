#pragma once

#include "platform/regional/Money.h"

#include <QDate>

namespace db {
class Database;
}

// The balance chain of tameio: the row of a day holds the day's income and
// expense totals, the opening balance that enters on that day (arxiko, 0 on
// every day but the one the opening-balance dialog named) and
//   ypoloipo = ypoloipo of the latest earlier row + arxiko + income - expense.
namespace balances {

// Adds `change` to the balance of every day after `day`. Throws MoneyOverflow,
// before writing anything, when a balance would leave the range of an amount
// (SQLite would turn the overflowing sum into an inexact real without a word).
void moveLaterBalances(db::Database &main, const QDate &day, Money change);

// Makes `amount` the cash balance at the end of `day`: the day's row is
// written (created when missing) with the opening that brings it there, and
// every later day moves by as much as the day did, so the chain holds
// whether movements are booked on that day, later or earlier. The caller
// holds the transaction.
void setOpeningBalance(db::Database &main, const QDate &day, Money amount);

} // namespace balances
