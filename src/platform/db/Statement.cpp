#include "Statement.h"

#include "Database.h"
#include "ServerQuery.h"

#include <sqlcipher/sqlite3.h>

namespace db {

Statement::Statement(Database &db, const QString &sql) : m_db(&db), m_sql(sql)
{
    try {
        prepare();
    } catch (const DbError &e) {
        db.noteFailure(e);
        throw;
    }
}

void Statement::prepare()
{
    Database &db = *m_db;
    const QString &sql = m_sql;
    if (db.isOnServer()) {
        m_server = std::make_unique<server::ServerQuery>(*db.serverConnection(), sql, db.serverAliases());
        return;
    }
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db.handle(), utf8.constData(), int(utf8.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = QString::fromUtf8(sqlite3_errmsg(db.handle()));
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        if (msg.startsWith(QLatin1String("no such table")))
            throw DbError(DbError::Kind::MissingTable, msg, rc).setFile(db.path());
        throw db.errorFor(rc, msg + QStringLiteral(" in: ") + sql);
    }
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

Statement::Statement(Statement &&other) noexcept
    : m_db(other.m_db), m_stmt(other.m_stmt), m_sql(std::move(other.m_sql)),
      m_columns(std::move(other.m_columns)), m_server(std::move(other.m_server))
{
    other.m_stmt = nullptr;
}

void Statement::check(int rc, const char *what) const
{
    if (rc == SQLITE_OK)
        return;
    const QString msg = QString::fromUtf8(sqlite3_errmsg(m_db->handle()));
    throw DbError(DbError::Kind::Sql, QString::fromLatin1(what) + QStringLiteral(": ") + msg, rc);
}

Statement &Statement::bind(int pos, const QString &value)
{
    if (m_server) {
        m_server->bindText(pos, value);
        return *this;
    }
    check(sqlite3_bind_text16(m_stmt, pos, value.utf16(), int(value.size() * 2), SQLITE_TRANSIENT), "bind");
    return *this;
}

Statement &Statement::bind(int pos, qint64 value)
{
    if (m_server) {
        m_server->bindInteger(pos, value);
        return *this;
    }
    check(sqlite3_bind_int64(m_stmt, pos, value), "bind");
    return *this;
}

Statement &Statement::bind(int pos, const QDate &value)
{
    if (!value.isValid())
        return bindNull(pos);
    return bind(pos, value.toString(Qt::ISODate));
}

Statement &Statement::bind(int pos, bool value)
{
    return bind(pos, qint64(value ? -1 : 0));
}

Statement &Statement::bindNull(int pos)
{
    if (m_server) {
        m_server->bindNull(pos);
        return *this;
    }
    check(sqlite3_bind_null(m_stmt, pos), "bind");
    return *this;
}

bool Statement::next()
{
    try {
        return step();
    } catch (const DbError &e) {
        m_db->noteFailure(e);
        throw;
    }
}

bool Statement::step()
{
    if (m_server)
        return m_server->next();
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString msg = QString::fromUtf8(sqlite3_errmsg(m_db->handle()));
    sqlite3_reset(m_stmt);
    if (msg.startsWith(QLatin1String("cdate:")) || msg.startsWith(QLatin1String("csng:")))
        throw DbError(DbError::Kind::Conversion, msg, rc);
    throw m_db->errorFor(rc, msg);
}

int Statement::run()
{
    if (m_server) {
        try {
            return m_server->run();
        } catch (const DbError &e) {
            m_db->noteFailure(e);
            throw;
        }
    }
    while (next()) {
    }
    return sqlite3_changes(m_db->handle());
}

void Statement::reset()
{
    if (m_server) {
        m_server->reset();
        return;
    }
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const
{
    if (m_server)
        return m_server->columnCount();
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int col) const
{
    if (m_server)
        return m_server->columnName(col);
    return QString::fromUtf8(sqlite3_column_name(m_stmt, col));
}

int Statement::columnIndex(const QString &name) const
{
    if (m_columns.isEmpty()) {
        for (int i = 0; i < columnCount(); ++i)
            m_columns.insert(columnName(i).toLower(), i);
    }
    return m_columns.value(name.toLower(), -1);
}

int Statement::indexOf(const QString &name) const
{
    const int i = columnIndex(name);
    if (i < 0)
        throw DbError(DbError::Kind::Sql, QStringLiteral("no field named ") + name + QStringLiteral(" in: ") + m_sql);
    return i;
}

bool Statement::isNull(int col) const
{
    if (m_server)
        return m_server->isNull(col);
    return sqlite3_column_type(m_stmt, col) == SQLITE_NULL;
}

qint64 Statement::integer(int col) const
{
    if (m_server)
        return m_server->integer(col);
    return sqlite3_column_int64(m_stmt, col);
}

QString Statement::text(int col) const
{
    if (m_server)
        return m_server->text(col);
    const auto *p = static_cast<const char16_t *>(sqlite3_column_text16(m_stmt, col));
    if (!p)
        return QString();
    return QString::fromUtf16(p, sqlite3_column_bytes16(m_stmt, col) / 2);
}

Money Statement::money(int col) const
{
    return Money::fromUnits(integer(col));
}

QDate Statement::date(int col) const
{
    return QDate::fromString(text(col).left(10), Qt::ISODate);
}

bool Statement::flag(int col) const
{
    return integer(col) != 0;
}

QVariant Statement::value(int col) const
{
    if (m_server)
        return m_server->value(col);
    switch (sqlite3_column_type(m_stmt, col)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, col)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, col));
    case SQLITE_NULL:
        return QVariant();
    default:
        return QVariant(text(col));
    }
}

} // namespace db
