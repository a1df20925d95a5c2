#pragma once

#include <QString>
#include <optional>

namespace db {
class Database;
}
struct AppGlobals;

// The log-in check against the users table `codes` of mapcodes.mdb.
namespace login {

// One row of `codes`, with the row id that identifies it (duplicate names are allowed).
struct UserRow
{
    qint64 rowId = 0;
    QString name;               // uname
    QString password;           // upass
    bool changeRecords = false; // dikaivma_eggrafes
    bool closeCash = false;     // dikaivma_klhsimo
    bool groupsCodes = false;   // dikaivma_kvdikoi
};

// The hidden entry that opens the user administration: the name compared in
// lower case, the code exactly as typed.
bool isAdministratorEntry(const QString &name, const QString &password);

// First user whose name and password match without regard to letter case
// (Greek included). Both values are bound, so quotes in them are plain text.
// Throws db::DbError.
std::optional<UserRow> findUser(db::Database &users, const QString &name, const QString &password);

// A platform name up to its first NUL character.
QString cutAtNul(const QString &name);

// The logged-in user's values and this workstation's names into the globals.
void applyLogin(const UserRow &user, const QString &netUserName, const QString &machineName, AppGlobals &g);

} // namespace login
