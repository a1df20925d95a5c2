#include "ServerQuery.h"

#include "DbError.h"
#include "ServerConnection.h"
#include "platform/regional/GreekFormats.h"

#include <libpq-fe.h>

namespace db::server {
namespace {

// Type numbers of the server's built-in types that the program reads back.
constexpr Oid BoolType = 16, Int8Type = 20, Int2Type = 21, Int4Type = 23, NumericType = 1700, Float4Type = 700,
              Float8Type = 701;

} // namespace

ServerQuery::ServerQuery(ServerConnection &connection, const QString &sql, const QHash<QString, QString> &aliases)
    : m_connection(connection), m_statement(translate(sql, aliases)), m_original(sql)
{
    m_values.resize(size_t(m_statement.parameterCount));
}

ServerQuery::~ServerQuery()
{
    PQclear(m_result);
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
    switch (m_statement.conversions.value(pos, Conversion::None)) {
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
    if (m_statement.conversions.value(pos, Conversion::None) != Conversion::None) {
        bindText(pos, QString::number(value));
        return;
    }
    slot(pos) = QByteArray::number(value);
}

void ServerQuery::bindNull(int pos)
{
    slot(pos).reset();
}

void ServerQuery::execute()
{
    if (!m_conversionError.isEmpty())
        throw DbError(DbError::Kind::Conversion, m_conversionError);
    m_result = m_connection.runWith(m_statement.text, m_values);
    // SELECT * shows no row number on the file engine; only a statement that names it sees it.
    const bool namesRowId = m_original.section(QStringLiteral("FROM"), 0, 0, QString::SectionCaseInsensitiveSeps)
                                .contains(QLatin1String(RowIdColumn), Qt::CaseInsensitive);
    m_visible.clear();
    for (int i = 0; i < PQnfields(m_result); ++i)
        if (namesRowId || QByteArray(PQfname(m_result, i)) != RowIdColumn)
            m_visible.push_back(i);
    if (m_statement.text.trimmed().startsWith(QLatin1String("INSERT"), Qt::CaseInsensitive))
        m_connection.noteInsert();
    m_row = -1;
}

bool ServerQuery::next()
{
    if (m_done)
        return false;
    if (!m_result)
        execute();
    if (++m_row < PQntuples(m_result))
        return true;
    m_done = true;
    return false;
}

int ServerQuery::run()
{
    while (next()) {
    }
    const char *changed = PQcmdTuples(m_result);
    return changed && *changed ? QByteArray(changed).toInt() : 0;
}

void ServerQuery::reset()
{
    PQclear(m_result);
    m_result = nullptr;
    m_done = false;
    m_row = -1;
    m_conversionError.clear();
    for (auto &v : m_values)
        v.reset();
}

int ServerQuery::columnCount() const
{
    return m_result ? int(m_visible.size()) : 0;
}

QString ServerQuery::columnName(int col) const
{
    return m_result && field(col) >= 0 ? QString::fromUtf8(PQfname(m_result, field(col))) : QString();
}

bool ServerQuery::haveRow(int col) const
{
    return m_result && m_row >= 0 && m_row < PQntuples(m_result) && field(col) >= 0;
}

bool ServerQuery::isNull(int col) const
{
    return !haveRow(col) || PQgetisnull(m_result, m_row, field(col));
}

qint64 ServerQuery::integer(int col) const
{
    if (isNull(col))
        return 0;
    const QByteArray v(PQgetvalue(m_result, m_row, field(col)));
    if (PQftype(m_result, field(col)) == BoolType)
        return v == "t" ? 1 : 0;
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    // Sums of bigint come back as numeric, averages with decimals; like the
    // file engine, reading a fraction as an integer keeps the whole part.
    return ok ? n : qint64(v.toDouble());
}

QString ServerQuery::text(int col) const
{
    if (isNull(col))
        return QString();
    if (PQftype(m_result, field(col)) == BoolType)
        return QString::number(integer(col));
    return QString::fromUtf8(PQgetvalue(m_result, m_row, field(col)), PQgetlength(m_result, m_row, field(col)));
}

QVariant ServerQuery::value(int col) const
{
    if (isNull(col))
        return QVariant();
    const QByteArray v(PQgetvalue(m_result, m_row, field(col)));
    switch (PQftype(m_result, field(col))) {
    case BoolType:
    case Int2Type:
    case Int4Type:
    case Int8Type:
        return QVariant(integer(col));
    case NumericType: {
        bool ok = false;
        const qint64 n = v.toLongLong(&ok);
        return ok ? QVariant(n) : QVariant(v.toDouble());
    }
    case Float4Type:
    case Float8Type:
        return QVariant(v.toDouble());
    default:
        return QVariant(text(col));
    }
}

} // namespace db::server
