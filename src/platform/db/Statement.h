#pragma once

#include "platform/regional/Money.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class Database;
namespace server {
class ServerQuery;
}

// A prepared statement with bound values. Values a user typed only ever reach
// SQL through bind(). Rows are read by position or by field name.
class Statement
{
public:
    Statement(Database &db, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    Statement(Statement &&other) noexcept;

    // Positions start at 1, as in SQL ("?1").
    Statement &bind(int pos, const QString &value);
    Statement &bind(int pos, const char16_t *value) { return bind(pos, QString::fromUtf16(value)); }
    Statement &bind(int pos, qint64 value);
    Statement &bind(int pos, int value) { return bind(pos, qint64(value)); }
    Statement &bind(int pos, Money value) { return bind(pos, value.units()); }
    Statement &bind(int pos, const QDate &value); // ISO text, or NULL for an invalid date
    Statement &bind(int pos, bool value);          // Yes/No: -1 or 0
    Statement &bindNull(int pos);

    template <typename... Args> Statement &bindAll(const Args &...args)
    {
        int pos = 0;
        (bind(++pos, args), ...);
        return *this;
    }

    // Steps to the next row; false at the end. A statement without rows runs here.
    bool next();
    // Runs a statement that returns no rows; returns the number of rows changed.
    int run();
    void reset();

    int columnCount() const;
    QString columnName(int col) const;
    int columnIndex(const QString &name) const; // -1 when there is no such field
    bool isNull(int col) const;

    qint64 integer(int col) const;
    QString text(int col) const;
    Money money(int col) const;
    QDate date(int col) const;
    bool flag(int col) const;
    QVariant value(int col) const;

    qint64 integer(const QString &name) const { return integer(indexOf(name)); }
    QString text(const QString &name) const { return text(indexOf(name)); }
    Money money(const QString &name) const { return money(indexOf(name)); }
    QDate date(const QString &name) const { return date(indexOf(name)); }
    bool flag(const QString &name) const { return flag(indexOf(name)); }
    bool isNull(const QString &name) const { return isNull(indexOf(name)); }
    QVariant value(const QString &name) const { return value(indexOf(name)); }

private:
    void prepare();
    bool step();
    int indexOf(const QString &name) const; // throws for an unknown field
    void check(int rc, const char *what) const;

    Database *m_db;
    sqlite3_stmt *m_stmt = nullptr;
    QString m_sql;
    mutable QHash<QString, int> m_columns;
    std::unique_ptr<server::ServerQuery> m_server; // set for a book on a database server
};

} // namespace db
