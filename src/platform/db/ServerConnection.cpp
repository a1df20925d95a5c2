#include "ServerConnection.h"

#include "ServerDialect.h"

#include <libpq-fe.h>

namespace db::server {
namespace {

// SQLSTATE classes and codes the program tells apart.
DbError::Kind kindOfState(const QByteArray &state)
{
    if (state == "42P01" || state == "3F000")
        return DbError::Kind::MissingTable;
    if (state == "40001" || state == "40P01" || state == "55P03" || state == "57014")
        return DbError::Kind::Busy;
    if (state == "53100")
        return DbError::Kind::DiskFull;
    if (state == "25006")
        return DbError::Kind::ReadOnly;
    if (state == "42501")
        return DbError::Kind::NoWriteAccess;
    if (state.startsWith("08") || state.startsWith("57P"))
        return DbError::Kind::Unreachable;
    if (state.startsWith("28"))
        return DbError::Kind::LoginRefused;
    return DbError::Kind::Sql;
}

} // namespace

std::unique_ptr<ServerConnection> ServerConnection::connect(const QString &connection)
{
    PGconn *conn = PQconnectdb(connection.toUtf8().constData());
    QString description = connection;
    if (PQstatus(conn) != CONNECTION_OK) {
        const QString message = QString::fromUtf8(PQerrorMessage(conn));
        // The server answered but would not let us in (password, role, pg_hba),
        // or the database named is not there: both are log-in refusals to the user.
        const bool answered = PQconnectionUsedPassword(conn) || message.contains(QLatin1String("authentication"))
                              || message.contains(QLatin1String("does not exist"))
                              || message.contains(QLatin1String("no pg_hba.conf entry"))
                              || message.contains(QLatin1String("permission denied"));
        PQfinish(conn);
        throw DbError(answered ? DbError::Kind::LoginRefused : DbError::Kind::Unreachable, message)
            .setFile(description);
    }
    std::unique_ptr<ServerConnection> c(new ServerConnection(conn, description));
    c->run(QStringLiteral("SET client_encoding = 'UTF8'; SET client_min_messages = warning"));
    c->run(QString::fromUtf8(FoldFunctionDefinition));
    c->run(QString::fromUtf8(TypeOfFunctionDefinition));
    return c;
}

ServerConnection::ServerConnection(pg_conn *conn, QString description)
    : m_conn(conn), m_description(std::move(description))
{
}

ServerConnection::~ServerConnection()
{
    PQfinish(m_conn);
}

DbError ServerConnection::errorOf(pg_result *result, const QString &sql) const
{
    const QByteArray state = result ? QByteArray(PQresultErrorField(result, PG_DIAG_SQLSTATE)) : QByteArray();
    QString message = QString::fromUtf8(result ? PQresultErrorMessage(result) : PQerrorMessage(m_conn)).trimmed();
    PQclear(result);
    DbError::Kind kind = kindOfState(state);
    // An error libpq made itself (no SQLSTATE) because the server went away
    // can come before libpq has marked the connection bad; one more read of
    // the connection settles it, so a stopped server is never a plain failure.
    if (state.isEmpty() && (PQstatus(m_conn) != CONNECTION_OK || PQconsumeInput(m_conn) == 0))
        kind = DbError::Kind::Unreachable;
    if (!sql.isEmpty())
        message += QStringLiteral(" in: ") + sql;
    DbError e(kind, message);
    e.setFile(m_description);
    return e;
}

void ServerConnection::run(const QString &sql)
{
    PGresult *r = PQexec(m_conn, sql.toUtf8().constData());
    const auto status = PQresultStatus(r);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw errorOf(r, sql);
    PQclear(r);
}

pg_result *ServerConnection::runWith(const QString &sql, const std::vector<std::optional<QByteArray>> &values)
{
    if (values.empty()) { // may be several statements (a table and the comments on its columns)
        PGresult *r = PQexec(m_conn, sql.toUtf8().constData());
        const auto status = PQresultStatus(r);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
            throw errorOf(r, sql);
        return r;
    }
    std::vector<const char *> raw;
    raw.reserve(values.size());
    for (const auto &v : values)
        raw.push_back(v ? v->constData() : nullptr);
    // No types are given: the server infers each one from where it stands, as
    // the file engine takes whatever it is given.
    PGresult *r = PQexecParams(m_conn, sql.toUtf8().constData(), int(raw.size()), nullptr, raw.data(), nullptr,
                               nullptr, 0);
    const auto status = PQresultStatus(r);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw errorOf(r, sql);
    return r;
}

bool ServerConnection::inTransaction() const
{
    return PQtransactionStatus(m_conn) != PQTRANS_IDLE;
}

} // namespace db::server
