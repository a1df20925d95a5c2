#pragma once

#include <QString>

namespace db {
class Database;
}
class Store;

// The administrator's maintenance functions of the login window.
namespace login {

// Sets the marker's flag to "0", keeping the holder's names, and says so.
// Also rewrites a kelvora.dat that is missing, empty or unreadable. When the
// file cannot be written the user is told that nothing was unlocked; false then.
bool unlockMarker(const QString &dataPath);
// The same for the open book: a book on a database server has no marker
// file, and its unlock ends the server session that holds the right.
bool unlockMarker(Store &store);

// Asks, then closes every day between the earliest and the latest closed day
// that is not closed yet. Days after the latest closed day are not touched; an
// empty or one-day list adds nothing. All rows are added in one transaction.
// Returns the number of days added (0 also when the user answered "No").
// Throws db::DbError; nothing is added then.
int CloseOpenCashDays(db::Database &users);

// Asks (critical, "No" the default), then deletes movements, codes, groups and
// day rows of kelvora.mdb and the closed days of mapcodes.mdb. Users, the
// schema version and the settings stay. The two files change together or not
// at all, also when the commit itself fails: both are written by one
// transaction. True when the data were deleted. Throws db::DbError.
bool DeleteAllData(Store &store);

} // namespace login
