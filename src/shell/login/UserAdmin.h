#pragma once

#include "LoginSearch.h"

#include <QList>

namespace db {
class Database;
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
bool addUser(db::Database &users, const UserRow &values);
// As adding, except that an empty password keeps the stored one.
bool changeUser(db::Database &users, qint64 rowId, const UserRow &values);

// Asks first; true when the row was deleted.
bool deleteUser(db::Database &users, qint64 rowId);

} // namespace login
