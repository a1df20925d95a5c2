#include "ServerConnection.h"

#include "ServerDialect.h"
#include "ServerQuery.h"

#include <QRegularExpression>

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

// The server no longer has the statement prepared (a session that started
// afresh, DEALLOCATE), or the statement's result changed shape since it was
// prepared (a table altered by another session): prepared again, it runs.
constexpr const char *NoSuchPreparedStatement = "26000";
constexpr const char *FeatureNotSupported = "0A000";

bool isStalePreparedStatement(pg_result *r)
{
    const QByteArray state(PQresultErrorField(r, PG_DIAG_SQLSTATE));
    if (state == NoSuchPreparedStatement)
        return true;
    return state == FeatureNotSupported
           && QByteArray(PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY)).contains("cached plan must not change result type");
}

bool isResult(ExecStatusType status)
{
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK || status == PGRES_SINGLE_TUPLE
           || status == PGRES_EMPTY_QUERY;
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
    PQclear(m_ready);
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

void ServerConnection::takeOver()
{
    if (m_reader)
        m_reader->keepRest(); // ends with finishStatement(), which lets the reader go
}

void ServerConnection::afterSchemaWork(const QString &sql)
{
    // Only a change of what exists can change what a prepared statement returns.
    static const QRegularExpression changes(QStringLiteral("(^|;)\\s*(ALTER|DROP|CREATE\\s+OR\\s+REPLACE)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (m_prepared.isEmpty() || !changes.match(sql).hasMatch())
        return;
    // Not transactional on the server: they are gone even if the change is rolled back.
    m_prepared.clear();
    m_forgotten.clear();
    PQclear(PQexec(m_conn, "DEALLOCATE ALL"));
}

void ServerConnection::run(const QString &sql)
{
    takeOver();
    afterSchemaWork(sql);
    PGresult *r = PQexec(m_conn, sql.toUtf8().constData());
    const auto status = PQresultStatus(r);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw errorOf(r, sql);
    PQclear(r);
}

void ServerConnection::commit()
{
    takeOver();
    PGresult *r = PQexec(m_conn, "COMMIT");
    if (PQresultStatus(r) != PGRES_COMMAND_OK) {
        DbError e = errorOf(r, QStringLiteral("COMMIT"));
        // The COMMIT was sent: whether the server kept the work before it
        // went is unknown here.
        if (e.kind() == DbError::Kind::Unreachable)
            e.setOutcomeUnknown();
        throw e;
    }
    // A transaction in which a statement failed ends with COMMIT answered "ROLLBACK".
    const bool committed = QByteArray(PQcmdStatus(r)) == "COMMIT";
    PQclear(r);
    if (!committed)
        throw DbError(DbError::Kind::Sql, QStringLiteral("the server rolled the transaction back: a statement in it "
                                                         "had failed, so nothing of it was kept"))
            .setFile(m_description);
}

const SessionStatement &ServerConnection::statement(const QString &sql, const QHash<QString, QString> &aliases)
{
    auto it = m_translations.find(sql);
    if (it != m_translations.end())
        return *it;
    // Only a program with ever new texts would reach this; translating again is cheap next to a leak.
    if (m_translations.size() >= 4 * PreparedLimit)
        m_translations.clear();
    SessionStatement s;
    s.translated = translate(sql, aliases);
    s.text = s.translated.text.toUtf8();
    static const QRegularExpression query(QStringLiteral("^\\s*(SELECT|INSERT|UPDATE|DELETE|WITH|VALUES)\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression moreThanOne(QStringLiteral(";\\s*\\S"));
    s.preparable = query.match(s.translated.text).hasMatch() && !moreThanOne.match(s.translated.text).hasMatch();
    // SELECT * shows no row number on the file engine; only a statement that names it sees it.
    s.namesRowId = sql.section(QStringLiteral("FROM"), 0, 0, QString::SectionCaseInsensitiveSeps)
                       .contains(QLatin1String(RowIdColumn), Qt::CaseInsensitive);
    s.inserts = s.translated.text.trimmed().startsWith(QLatin1String("INSERT"), Qt::CaseInsensitive);
    return *m_translations.insert(sql, s);
}

void ServerConnection::forgetPrepared(const QByteArray &text)
{
    const auto it = m_prepared.find(text);
    if (it == m_prepared.end())
        return;
    m_forgotten.push_back(it->name);
    m_prepared.erase(it);
}

// DEALLOCATE of a name the server does not have would fail, and abort a
// transaction; so names are let go only outside one.
void ServerConnection::releaseForgotten()
{
    if (m_forgotten.empty() || PQtransactionStatus(m_conn) != PQTRANS_IDLE)
        return;
    QByteArray sql;
    for (const QByteArray &name : m_forgotten)
        sql += "DEALLOCATE " + name + ";";
    m_forgotten.clear();
    PQclear(PQexec(m_conn, sql.constData()));
}

const QByteArray &ServerConnection::preparedName(const SessionStatement &statement)
{
    auto it = m_prepared.find(statement.text);
    if (it == m_prepared.end()) {
        if (m_prepared.size() >= PreparedLimit) {
            auto oldest = m_prepared.begin();
            for (auto p = m_prepared.begin(); p != m_prepared.end(); ++p)
                if (p->lastUse < oldest->lastUse)
                    oldest = p;
            forgetPrepared(oldest.key());
        }
        releaseForgotten();
        Prepared p;
        p.name = "kelvora_" + QByteArray::number(++m_names);
        // No types are given: the server infers each one from where it stands, as
        // the file engine takes whatever it is given.
        PGresult *r = PQprepare(m_conn, p.name.constData(), statement.text.constData(),
                                statement.translated.parameterCount, nullptr);
        if (PQresultStatus(r) != PGRES_COMMAND_OK)
            throw errorOf(r, statement.translated.text);
        PQclear(r);
        it = m_prepared.insert(statement.text, p);
    }
    it->lastUse = ++m_uses;
    return it->name;
}

void ServerConnection::sendOnce(const SessionStatement &statement, const std::vector<std::optional<QByteArray>> &values)
{
    std::vector<const char *> raw;
    raw.reserve(values.size());
    for (const auto &v : values)
        raw.push_back(v ? v->constData() : nullptr);
    m_sentInTransaction = PQtransactionStatus(m_conn) != PQTRANS_IDLE;
    int sent = 0;
    if (statement.preparable) {
        const QByteArray name = preparedName(statement);
        sent = PQsendQueryPrepared(m_conn, name.constData(), int(raw.size()), raw.data(), nullptr, nullptr, 0);
    } else if (values.empty()) {
        // May be several statements (a table and the comments on its columns):
        // run as one, the answer is the last one's, or the first failure.
        afterSchemaWork(statement.translated.text);
        m_ready = PQexec(m_conn, statement.text.constData());
        return;
    } else {
        afterSchemaWork(statement.translated.text);
        sent = PQsendQueryParams(m_conn, statement.text.constData(), int(raw.size()), nullptr, raw.data(), nullptr,
                                 nullptr, 0);
    }
    if (!sent)
        throw errorOf(nullptr, statement.translated.text);
    PQsetSingleRowMode(m_conn);
}

void ServerConnection::send(ServerQuery &reader, const SessionStatement &statement, const QString &original,
                            const std::vector<std::optional<QByteArray>> &values)
{
    takeOver();
    if (statement.inserts)
        m_inserted = true;
    sendOnce(statement, values);
    m_reader = &reader;
    m_sent = statement;
    m_sentOriginal = original;
    m_sentValues = &values;
    m_rowsSeen = false;
    m_resent = false;
}

void ServerConnection::finishStatement()
{
    while (PGresult *r = PQgetResult(m_conn))
        PQclear(r);
    m_reader = nullptr;
}

pg_result *ServerConnection::receive()
{
    PGresult *r = m_ready ? std::exchange(m_ready, nullptr) : PQgetResult(m_conn);
    if (!r) {
        m_reader = nullptr;
        return nullptr;
    }
    const auto status = PQresultStatus(r);
    if (status == PGRES_SINGLE_TUPLE) {
        m_rowsSeen = true;
        return r;
    }
    if (isResult(status)) {
        finishStatement();
        return r;
    }
    ServerQuery *reader = m_reader;
    finishStatement();
    if (m_sent.preparable && !m_rowsSeen && isStalePreparedStatement(r)) {
        const bool stillThere = QByteArray(PQresultErrorField(r, PG_DIAG_SQLSTATE)) != NoSuchPreparedStatement;
        if (stillThere)
            forgetPrepared(m_sent.text);
        else
            m_prepared.remove(m_sent.text);
        // Outside a transaction nothing was lost by the failure: prepared anew, it runs.
        if (!m_resent && PQtransactionStatus(m_conn) == PQTRANS_IDLE && m_sentValues) {
            PQclear(r);
            m_resent = true;
            sendOnce(m_sent, *m_sentValues);
            m_reader = reader;
            return receive();
        }
    }
    throw errorOf(r, m_sentOriginal);
}

void ServerConnection::abandon(const ServerQuery &reader)
{
    if (m_reader == &reader)
        finishStatement();
}

bool ServerConnection::inTransaction() const
{
    const auto status = PQtransactionStatus(m_conn);
    if (status == PQTRANS_ACTIVE) // a statement is on its way: the state it was sent in
        return m_sentInTransaction;
    return status != PQTRANS_IDLE;
}

bool ServerConnection::transactionFailed()
{
    takeOver();
    return PQtransactionStatus(m_conn) == PQTRANS_INERROR;
}

} // namespace db::server
