#pragma once

#include "LoginSearch.h"

#include <QList>

namespace db {
class Database;
}
namespace auditlog {
struct Author;
}

// Adding, changing and deleting the users of `codes`, with the checks and
// questions the administrator sees. Each change is one transaction.
// Database failures arrive as db::DbError.
namespace login {

// Every user in the order of the table. Passwords are never read: the rows
// come back with an empty password.
QList<UserRow> listUsers(db::Database &users);

// The name is stored trimmed, the password trimmed and hashed. A name or
// password that is empty after removing leading blanks is refused with a
// message and nothing is written. Duplicate names are accepted. True when the
// row was written.
//
// Each change writes its row in the audit log in the same transaction: who
// (`author`), the user's name and what changed; a password only as the words
// "νέος κωδικός".
bool addUser(db::Database &users, const UserRow &values, const auditlog::Author &author);
// As adding, except that an empty password keeps the stored one. False also
// when the row is no longer there.
bool changeUser(db::Database &users, qint64 rowId, const UserRow &values, const auditlog::Author &author);

// Asks first; true when the row was deleted (or was already gone).
bool deleteUser(db::Database &users, qint64 rowId, const auditlog::Author &author);

} // namespace login
