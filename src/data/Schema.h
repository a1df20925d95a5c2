#pragma once

namespace db {
class Database;
}

// The tables of the two databases, created with their fields in the order the
// program reads them by position, and with their named indexes.
namespace schema {

constexpr int CurrentVersion = 7;

// kelvora.mdb: taytothta (empty), kvdikoi, omades, kinhseis (without L_tajeos:
// the first start adds it while walking the versions), tameio (without arxiko,
// the same way).
void createMainTables(db::Database &db);
// mapcodes.mdb: codes, KlhsimoTameioy.
void createUsersTables(db::Database &db);

// kelvora.mdb, version 4: the change log `allages`, one row for every change
// and deletion of a movement. Added by the schema walk, so that older files
// get it the same way.
void createChangeLogTable(db::Database &db);

// kelvora.mdb: the opening balance that enters the chain on its day
// (tameio.arxiko, 0 on every other day), added when the opening balance is
// first asked (version 3) and, for files already past it, by version 5.
void addOpeningColumn(db::Database &db);

// kelvora.mdb, version 6: what the search of movements reads through an index
// instead of every row: the folded words of each description
// (kinhseis_lejeis, see data/MovementWords.h), the amounts and the cheque
// flag of kinhseis.
void createSearchTables(db::Database &db);

// kelvora.mdb: indexes that only make reads faster, made when missing after
// the version walk of every start rather than by a version of their own: they
// change no data, an older program works with them, and a file without them
// gets them at the next start. kinhseis_hmeromhnia_posa covers the movement
// sums of a period (day, code, income, expense), so those are read from the
// index without the table's rows. kinhseis_omada_posa (group number, code,
// day and the three amounts) lets the movement reports find the group and
// code pairs of the book by seeks and sum each pair's movements of a range
// from the index alone, before their first row. tameio leaves room in its pages for the
// balances that every booking moves (on a server; see leaveRoomForUpdates).
void createReadIndexes(db::Database &db);

} // namespace schema
