#pragma once

#include <QString>

namespace db {
class Database;
}

// kelvora.mdb, version 7: the sums of the movements per group number, code
// and year (synola_etoys), so that a report over many years adds up a few rows
// per year instead of every movement of the range. Triggers on kinhseis keep
// the table in the same transaction as each change of a movement, whichever
// program makes it (an older one, or the engine's own shell), so the sums
// cannot fall behind the rows.
//
// A movement is counted in year Y when its day, as stored, lies between
// "Y-01-01" and "Y-12-31" as text and it has a group number and a code; any
// other movement (a day or a number left empty by a hand edit) is summed from
// the rows by the readers, which is what they did before the table.
namespace yeartotals {

inline const QString Table = QStringLiteral("synola_etoys");

// The table, its key and its triggers; empty.
void create(db::Database &db);
// The table and its triggers gone, where they were.
void remove(db::Database &db);
// Sums every movement already booked into the table, which must be empty.
void fill(db::Database &db);
// Whether this book keeps the sums (version 7 or later).
bool kept(db::Database &db);

} // namespace yeartotals
