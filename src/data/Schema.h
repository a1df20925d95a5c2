#pragma once

namespace db {
class Database;
}

// The tables of the two databases, created with their fields in the order the
// program reads them by position, and with their named indexes.
namespace schema {

constexpr int CurrentVersion = 4;

// kelvora.mdb: taytothta (empty), kvdikoi, omades, kinhseis (without L_tajeos:
// the first start adds it while walking the versions), tameio.
void createMainTables(db::Database &db);
// mapcodes.mdb: codes, KlhsimoTameioy.
void createUsersTables(db::Database &db);

// kelvora.mdb, version 4: the change log `allages`, one row for every change
// and deletion of a movement. Added by the schema walk, so that older files
// get it the same way.
void createChangeLogTable(db::Database &db);

} // namespace schema
