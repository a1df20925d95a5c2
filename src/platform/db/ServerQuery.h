#pragma once

#include "ServerDialect.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

struct pg_result;

namespace db::server {

class ServerConnection;

// A statement on the server: its translated text, the values bound to it
// (as text, converted where the statement asked for cdate/csng) and, once
// run, its rows. Rows come all at once; next() walks them.
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

private:
    void execute();
    std::optional<QByteArray> &slot(int pos);
    bool haveRow(int col) const;

    ServerConnection &m_connection;
    ServerStatement m_statement;
    QString m_original;
    std::vector<std::optional<QByteArray>> m_values;
    QString m_conversionError;
    pg_result *m_result = nullptr;
    std::vector<int> m_visible; // result columns the caller sees: the hidden row number only when named
    int field(int col) const { return col >= 0 && col < int(m_visible.size()) ? m_visible[size_t(col)] : -1; }
    int m_row = -1;
    bool m_done = false;
};

} // namespace db::server
