#pragma once

#include <QString>
#include <optional>

namespace db {
class Database;
}
struct AppGlobals;

// The log-in check against the users table `codes` of mapcodes.mdb.
namespace login {

// One row of `codes`, with the row id that identifies it (duplicate names are
// allowed). `password` is only ever a password typed for adding or changing a
// user; nothing read from the file is put there.
struct UserRow
{
    qint64 rowId = 0;
    QString name;               // uname
    QString password;           // typed new password; empty: keep the stored one
    bool changeRecords = false; // dikaivma_eggrafes
    bool closeCash = false;     // dikaivma_klhsimo
    bool groupsCodes = false;   // dikaivma_kvdikoi
};

// The name part of the hidden administrator entry, compared in lower case.
// The code part is the installation's (admincode::accepts).
bool isAdministratorName(const QString &name);

// First user (in table order) whose name matches without regard to letter
// case and accents and whose password matches without regard to letter case
// only. A password still kept in clear that matches is hashed there and then,
// so it is accepted in clear only once; a hash made with fewer iterations than
// new hashes get is made again at the current cost the same way. Values are bound, so quotes in them are
// plain text. Throws db::DbError.
std::optional<UserRow> findUser(db::Database &users, const QString &name, const QString &password);

// True when some user has this name (same rule as the log-in).
bool isUserName(db::Database &users, const QString &name);

// A platform name up to its first NUL character.
QString cutAtNul(const QString &name);

// The logged-in user's values and this workstation's names into the globals.
// The password is not kept.
void applyLogin(const UserRow &user, const QString &netUserName, const QString &machineName, AppGlobals &g);

} // namespace login
