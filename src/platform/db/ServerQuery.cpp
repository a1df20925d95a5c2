#include "ServerQuery.h"

#include "DbError.h"
#include "ServerConnection.h"
#include "platform/regional/GreekFormats.h"

#include <libpq-fe.h>

#include <charconv>

namespace db::server {
namespace {

// Type numbers of the server's built-in types that the program reads back.
constexpr Oid BoolType = 16, Int8Type = 20, Int2Type = 21, Int4Type = 23, NumericType = 1700, Float4Type = 700,
              Float8Type = 701;

} // namespace

ServerQuery::ServerQuery(ServerConnection &connection, const QString &sql, const QHash<QString, QString> &aliases)
    : m_connection(connection), m_original(sql), m_statement(connection.statement(sql, aliases))
{
    m_values.resize(size_t(m_statement.translated.parameterCount));
}

ServerQuery::~ServerQuery()
{
    clearRows();
}

void ServerQuery::clearRows()
{
    if (m_state == State::Receiving)
        m_connection.abandon(*this);
    PQclear(m_current);
    m_current = nullptr;
    for (pg_result *r : m_kept)
        PQclear(r);
    m_kept.clear();
    m_keptError.reset();
    m_row = -1;
    m_state = State::NotRun;
}

std::optional<QByteArray> &ServerQuery::slot(int pos)
{
    if (pos < 1 || pos > int(m_values.size()))
        throw DbError(DbError::Kind::Sql, QStringLiteral("bind: no parameter %1 in: %2").arg(pos).arg(m_original));
    return m_values[size_t(pos - 1)];
}

void ServerQuery::bindText(int pos, const QString &value)
{
    auto &s = slot(pos);
    switch (m_statement.translated.conversions.value(pos, Conversion::None)) {
    case Conversion::Date:
        if (const auto d = regional::parseDate(value)) {
            s = d->toString(Qt::ISODate).toUtf8();
            return;
        }
        m_conversionError = QStringLiteral("cdate: not a date");
        return;
    case Conversion::Amount:
        if (const auto m = regional::parseMoney(value)) {
            s = QByteArray::number(m->units());
            return;
        }
        m_conversionError = QStringLiteral("csng: not a number");
        return;
    case Conversion::None:
        break;
    }
    s = value.toUtf8();
}

void ServerQuery::bindInteger(int pos, qint64 value)
{
    if (m_statement.translated.conversions.value(pos, Conversion::None) != Conversion::None) {
        bindText(pos, QString::number(value));
        return;
    }
    slot(pos) = QByteArray::number(value);
}

void ServerQuery::bindNull(int pos)
{
    slot(pos).reset();
}

void ServerQuery::noteShape(pg_result *result)
{
    if (m_shaped)
        return;
    m_shaped = true;
    m_visible.clear();
    m_names.clear();
    m_types.clear();
    for (int i = 0; i < PQnfields(result); ++i) {
        m_names.emplace_back(PQfname(result, i));
        m_types.push_back(PQftype(result, i));
        if (m_statement.namesRowId || m_names.back() != RowIdColumn)
            m_visible.push_back(i);
    }
}

void ServerQuery::execute()
{
    if (!m_conversionError.isEmpty())
        throw DbError(DbError::Kind::Conversion, m_conversionError);
    m_shaped = false;
    m_changed = 0;
    m_connection.send(*this, m_statement, m_original, m_values);
    m_state = State::Receiving;
}

bool ServerQuery::take(pg_result *result)
{
    if (!result) {
        m_state = State::Received;
        return false;
    }
    noteShape(result);
    if (PQresultStatus(result) == PGRES_SINGLE_TUPLE) {
        m_kept.push_back(result);
        return true;
    }
    // The end of the statement: its count of rows changed, and the rows of a
    // result that came whole.
    m_state = State::Received;
    if (const char *changed = PQcmdTuples(result); changed && *changed)
        m_changed = QByteArray(changed).toInt();
    if (PQntuples(result) > 0) {
        m_kept.push_back(result);
        return true;
    }
    PQclear(result);
    return false;
}

void ServerQuery::keepRest()
{
    try {
        while (m_state == State::Receiving)
            take(m_connection.receive());
    } catch (const DbError &e) {
        m_state = State::Received;
        m_keptError = e;
    }
}

bool ServerQuery::next()
{
    if (m_state == State::NotRun && !m_current)
        execute();
    if (m_current && ++m_row < PQntuples(m_current))
        return true;
    PQclear(m_current);
    m_current = nullptr;
    m_row = -1;
    if (m_kept.empty() && m_state == State::Receiving) {
        try {
            take(m_connection.receive());
        } catch (const DbError &) {
            m_state = State::Received;
            throw;
        }
    }
    if (!m_kept.empty()) {
        m_current = m_kept.front();
        m_kept.pop_front();
        m_row = 0;
        return true;
    }
    if (m_keptError) {
        const DbError e = *m_keptError;
        m_keptError.reset();
        throw e;
    }
    return false;
}

int ServerQuery::run()
{
    while (next()) {
    }
    return m_changed;
}

void ServerQuery::reset()
{
    clearRows();
    m_shaped = false;
    m_conversionError.clear();
    for (auto &v : m_values)
        v.reset();
}

int ServerQuery::columnCount() const
{
    return m_shaped ? int(m_visible.size()) : 0;
}

QString ServerQuery::columnName(int col) const
{
    return m_shaped && field(col) >= 0 ? QString::fromUtf8(m_names[size_t(field(col))]) : QString();
}

bool ServerQuery::haveRow(int col) const
{
    return m_current && m_row >= 0 && m_row < PQntuples(m_current) && field(col) >= 0;
}

bool ServerQuery::isNull(int col) const
{
    return !haveRow(col) || PQgetisnull(m_current, m_row, field(col));
}

qint64 ServerQuery::integer(int col) const
{
    if (isNull(col))
        return 0;
    const char *v = PQgetvalue(m_current, m_row, field(col));
    if (m_types[size_t(field(col))] == BoolType)
        return v[0] == 't' ? 1 : 0;
    const char *end = v + PQgetlength(m_current, m_row, field(col));
    qint64 n = 0;
    const auto [stop, error] = std::from_chars(v, end, n);
    if (error == std::errc() && stop == end)
        return n;
    // Sums of bigint come back as numeric, averages with decimals; like the
    // file engine, reading a fraction as an integer keeps the whole part.
    return qint64(QByteArray(v).toDouble());
}

QString ServerQuery::text(int col) const
{
    if (isNull(col))
        return QString();
    if (m_types[size_t(field(col))] == BoolType)
        return QString::number(integer(col));
    return QString::fromUtf8(PQgetvalue(m_current, m_row, field(col)), PQgetlength(m_current, m_row, field(col)));
}

QVariant ServerQuery::value(int col) const
{
    if (isNull(col))
        return QVariant();
    switch (m_types[size_t(field(col))]) {
    case BoolType:
    case Int2Type:
    case Int4Type:
    case Int8Type:
        return QVariant(integer(col));
    case NumericType: {
        bool ok = false;
        const QByteArray v(PQgetvalue(m_current, m_row, field(col)));
        const qint64 n = v.toLongLong(&ok);
        return ok ? QVariant(n) : QVariant(v.toDouble());
    }
    case Float4Type:
    case Float8Type:
        return QVariant(QByteArray(PQgetvalue(m_current, m_row, field(col))).toDouble());
    default:
        return QVariant(text(col));
    }
}

} // namespace db::server
