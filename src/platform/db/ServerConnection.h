#pragma once

#include "DbError.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

struct pg_conn;
struct pg_result;

namespace db::server {

// One session with the database server (libpq). It runs statements already
// in the server's dialect and turns the server's failures into DbError.
class ServerConnection
{
public:
    // Throws DbError: Unreachable (no answer), LoginRefused (the server said no).
    static std::unique_ptr<ServerConnection> connect(const QString &connection);
    ~ServerConnection();
    ServerConnection(const ServerConnection &) = delete;
    ServerConnection &operator=(const ServerConnection &) = delete;

    // Runs text without bound values (may hold several statements).
    void run(const QString &sql);
    // Runs one statement with values as text (nullopt is NULL); the caller owns the result.
    pg_result *runWith(const QString &sql, const std::vector<std::optional<QByteArray>> &values);

    bool inTransaction() const;
    // Whether the session has drawn from a counter yet (lastval() fails before).
    bool hasInserted() const { return m_inserted; }
    void noteInsert() { m_inserted = true; }
    // The connection text with no password in it, for messages.
    const QString &description() const { return m_description; }

    // The error a failed result stands for; clears the result.
    DbError errorOf(pg_result *result, const QString &sql) const;

private:
    explicit ServerConnection(pg_conn *conn, QString description);
    pg_conn *m_conn;
    QString m_description;
    bool m_inserted = false;
};

} // namespace db::server
