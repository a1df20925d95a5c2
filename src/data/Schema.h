#pragma once

namespace db {
class Database;
}

// The tables of the two databases, created with their fields in the order the
// program reads them by position, and with their named indexes.
namespace schema {

constexpr int CurrentVersion = 3;

// kelvora.mdb: taytothta (empty), kvdikoi, omades, kinhseis (without L_tajeos:
// the first start adds it while walking the versions), tameio.
void createMainTables(db::Database &db);
// mapcodes.mdb: codes, KlhsimoTameioy.
void createUsersTables(db::Database &db);

} // namespace schema
