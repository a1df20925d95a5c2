#include "DbError.h"

#include <sqlcipher/sqlite3.h>

namespace db {

DbError::DbError(Kind kind, const QString &message, int sqliteCode)
    : std::runtime_error(message.toStdString()), m_kind(kind), m_code(sqliteCode)
{
}

DbError::Kind DbError::kindFor(int sqliteCode)
{
    if (sqliteCode == SQLITE_READONLY_DBMOVED)
        return Kind::FileGone;
    switch (sqliteCode & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Kind::Busy;
    case SQLITE_NOTADB:
        return Kind::WrongKey;
    case SQLITE_CORRUPT:
        return Kind::Damaged;
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_IOERR:
        return Kind::Unreadable;
    case SQLITE_READONLY:
        return Kind::NoWriteAccess;
    case SQLITE_FULL:
        return Kind::DiskFull;
    default:
        return Kind::Sql;
    }
}

DbError DbError::fromSqlite(int sqliteCode, const QString &message)
{
    return DbError(kindFor(sqliteCode), message, sqliteCode);
}

} // namespace db
