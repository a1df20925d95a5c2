#pragma once

#include "DbError.h"
#include "ServerDialect.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

struct pg_conn;
struct pg_result;

namespace db::server {

class ServerQuery;

// A statement as this session runs it: the translation of the program's text,
// and what the layer needs to know about it without looking at the text again.
struct SessionStatement
{
    ServerStatement translated;
    QByteArray text;          // translated.text in UTF-8, as sent
    bool preparable = false;  // one plain query: kept prepared on the server
    bool namesRowId = false;  // the caller asked for the hidden row number
    bool inserts = false;     // draws from a counter (lastval() is defined after it)
};

// One session with the database server (libpq). It runs statements already
// in the server's dialect and turns the server's failures into DbError.
//
// Statements are translated once per session and kept prepared on the server
// under a name of their own, so a statement run again costs one round trip
// without being parsed or planned anew. Rows are received one by one; a query
// that is still receiving when the session is needed for another statement has
// the rest of its rows read into its own memory first.
class ServerConnection
{
public:
    // How many statements a session keeps prepared; the least recently used
    // goes first when a new one would pass the limit.
    static constexpr int PreparedLimit = 256;

    // Throws DbError: Unreachable (no answer), LoginRefused (the server said no).
    static std::unique_ptr<ServerConnection> connect(const QString &connection);
    ~ServerConnection();
    ServerConnection(const ServerConnection &) = delete;
    ServerConnection &operator=(const ServerConnection &) = delete;

    // Runs text without bound values (may hold several statements).
    void run(const QString &sql);
    // COMMIT; throws when the server rolled the transaction back instead.
    void commit();

    // The statement for the program's text, translated once per set of aliases.
    const SessionStatement &statement(const QString &sql, const QHash<QString, QString> &aliases);
    // Attached schemas changed: statements naming them are translated again.
    void forgetTranslations() { m_translations.clear(); }

    // Sends a statement with values as text (nullopt is NULL) for `reader`,
    // which then takes its results with receive(). A statement the server no
    // longer has prepared, or whose result changed shape since it was prepared
    // (a table altered by another session), is prepared again and sent once
    // more when that can be done outside a transaction.
    void send(ServerQuery &reader, const SessionStatement &statement, const QString &original,
              const std::vector<std::optional<QByteArray>> &values);
    // The next result for the reader that sent last: a row, the end of the
    // statement, or (thrown) its failure. Null once the statement is over.
    pg_result *receive();
    // The reader gives up its statement; what it did not read is thrown away.
    void abandon(const ServerQuery &reader);

    bool inTransaction() const;
    // A statement failed inside the open transaction: the server will not commit it.
    bool transactionFailed();
    // Whether the session has drawn from a counter yet (lastval() fails before).
    bool hasInserted() const { return m_inserted; }
    // The connection text with no password in it, for messages.
    const QString &description() const { return m_description; }
    // Statements prepared on the server right now (for the tests).
    int preparedCount() const { return int(m_prepared.size()); }

    // The error a failed result stands for; clears the result.
    DbError errorOf(pg_result *result, const QString &sql) const;

private:
    struct Prepared
    {
        QByteArray name;
        quint64 lastUse = 0;
    };

    explicit ServerConnection(pg_conn *conn, QString description);
    // Before anything else is sent: the query still receiving reads its rest.
    void takeOver();
    void sendOnce(const SessionStatement &statement, const std::vector<std::optional<QByteArray>> &values);
    const QByteArray &preparedName(const SessionStatement &statement);
    void forgetPrepared(const QByteArray &text);
    void releaseForgotten();
    // Schema work may change what a prepared statement returns: all are let go.
    void afterSchemaWork(const QString &sql);
    void finishStatement();

    pg_conn *m_conn;
    QString m_description;
    bool m_inserted = false;
    QHash<QString, SessionStatement> m_translations;
    QHash<QByteArray, Prepared> m_prepared; // by translated text
    std::vector<QByteArray> m_forgotten;    // prepared names to release when the session can
    quint64 m_uses = 0;
    quint64 m_names = 0;
    ServerQuery *m_reader = nullptr; // the query whose results are on their way
    pg_result *m_ready = nullptr;    // a result already received whole (text of several statements)
    bool m_sentInTransaction = false; // the session's state when the statement on its way was sent
    // The statement on its way, to send once more when its prepared form was stale.
    SessionStatement m_sent;
    QString m_sentOriginal;
    const std::vector<std::optional<QByteArray>> *m_sentValues = nullptr;
    bool m_rowsSeen = false;
    bool m_resent = false;
};

} // namespace db::server
