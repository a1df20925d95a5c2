#pragma once

#include "DbError.h"
#include "ServerConnection.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>
#include <deque>
#include <optional>
#include <vector>

struct pg_result;

namespace db::server {

// A statement on the server: the values bound to it (as text, converted where
// the statement asked for cdate/csng) and, once run, its rows. Rows arrive one
// by one as next() asks for them, so a long report never holds its whole
// result; only when the session must run another statement before this one
// is read to the end does the rest wait here in memory.
class ServerQuery
{
public:
    ServerQuery(ServerConnection &connection, const QString &sql, const QHash<QString, QString> &aliases);
    ~ServerQuery();
    ServerQuery(const ServerQuery &) = delete;
    ServerQuery &operator=(const ServerQuery &) = delete;

    void bindText(int pos, const QString &value);
    void bindInteger(int pos, qint64 value);
    void bindNull(int pos);

    bool next();
    int run();
    void reset();

    int columnCount() const;
    QString columnName(int col) const;
    bool isNull(int col) const;
    qint64 integer(int col) const;
    QString text(int col) const;
    QVariant value(int col) const;

    // The session needs the connection for another statement: what is still
    // on its way is read now and kept (a failure is kept for next() to throw).
    void keepRest();

private:
    enum class State { NotRun, Receiving, Received };

    void execute();
    // Takes one result from the session; false at the end of the statement.
    bool take(pg_result *result);
    void noteShape(pg_result *result);
    std::optional<QByteArray> &slot(int pos);
    bool haveRow(int col) const;
    int field(int col) const { return col >= 0 && col < int(m_visible.size()) ? m_visible[size_t(col)] : -1; }
    void clearRows();

    ServerConnection &m_connection;
    QString m_original;
    SessionStatement m_statement; // as translated when the statement was made

    std::vector<std::optional<QByteArray>> m_values;
    QString m_conversionError;

    State m_state = State::NotRun;
    std::deque<pg_result *> m_kept; // results read ahead while the session ran another statement
    std::optional<DbError> m_keptError;
    pg_result *m_current = nullptr; // the result holding the current row
    int m_row = -1;
    bool m_shaped = false;
    std::vector<int> m_visible; // result columns the caller sees: the hidden row number only when named
    std::vector<QByteArray> m_names;
    std::vector<unsigned> m_types;
    int m_changed = 0;
};

} // namespace db::server
