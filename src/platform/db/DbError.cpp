#include "DbError.h"

namespace db {

DbError::DbError(Kind kind, const QString &message, int sqliteCode)
    : std::runtime_error(message.toStdString()), m_kind(kind), m_code(sqliteCode)
{
}

} // namespace db
