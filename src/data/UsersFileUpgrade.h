#pragma once

namespace db {
class Database;
}

// The steps of mapcodes.mdb, counted in the file's own PRAGMA user_version
// (the file has no version table of its own; kelvora.mdb's walk is separate).
//  0 -> 1: the tables for the administrator code (`diaxeirisths`) and the
//          audit log (`katagrafh`) are added, and every password kept in
//          clear in `codes` is replaced by its hash.
// Each step is one transaction: either every password is hashed or none.
namespace usersupgrade {

constexpr int CurrentUsersVersion = 1;

int usersVersion(db::Database &users);

// Returns the version reached. Throws db::DbError; the file is then unchanged.
int upgradeUsersFile(db::Database &users);

} // namespace usersupgrade
