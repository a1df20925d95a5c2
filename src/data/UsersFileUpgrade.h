#pragma once

namespace db {
class Database;
}
class Store;

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

// The start-up step, before the log-in window takes its first try. A failure
// (the file locked, damaged, read-only) is reported on the console only and the
// start goes on: the log-in still accepts a password kept in clear and hashes
// it at that log-in, and the next start tries the step again.
void upgradeAtStart(Store &store);

} // namespace usersupgrade
