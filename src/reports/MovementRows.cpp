#include "MovementRows.h"

#include "platform/db/Database.h"

#include <QStringList>

namespace reports {

namespace {

// The selected numbers travel as one bound text ",3,17,42," that the query
// searches, so a selection of any size is a single bound value (a list of
// placeholders would stop at the engine's limit of 999). Empty: everything.
QString selectionText(const QList<qint64> &numbers)
{
    if (numbers.isEmpty())
        return QString();
    QStringList parts;
    for (qint64 n : numbers)
        parts << QString::number(n);
    return QLatin1Char(',') + parts.join(QLatin1Char(',')) + QLatin1Char(',');
}

// Both movement queries start with the same six columns, read by
// movementOfRow; the columns each query adds start at FirstOwnColumn and are
// read where that query is made.
const QString MovementColumns = QStringLiteral(
    "SELECT k.kvdikos, k.hmeromhnia, k.perigrafh, k.esoda, k.ejoda, IFNULL(k.L_tajeos, 0)");
constexpr int FirstOwnColumn = 6;

MovementRow movementOfRow(const db::Statement &st)
{
    MovementRow r;
    r.kvdikos = st.integer(0);
    r.hmeromhnia = st.date(1);
    r.perigrafh = st.text(2);
    r.esoda = st.money(3);
    r.ejoda = st.money(4);
    r.memo = st.money(5);
    return r;
}

} // namespace

bool anyCodes(db::Database &db)
{
    return db.scalar(QStringLiteral("SELECT EXISTS (SELECT 1 FROM kvdikoi)")).toLongLong() != 0;
}

bool anyGroups(db::Database &db)
{
    return db.scalar(QStringLiteral("SELECT EXISTS (SELECT 1 FROM omades)")).toLongLong() != 0;
}

QStringList codeListLines(db::Database &db)
{
    db::Statement st = db.prepare(QStringLiteral(
        "SELECT DISTINCT IFNULL(trim(c.lista), CAST(k.kvdikos AS TEXT)) FROM (SELECT DISTINCT kvdikos FROM kinhseis) k"
        " LEFT JOIN kvdikoi c ON c.kvdikos = k.kvdikos"));
    QStringList lines;
    while (st.next())
        lines << st.text(0);
    return lines;
}

void readMovementsByCode(db::Database &db, const QDate &start, const QDate &end, const QList<qint64> &codes,
                         const MovementSink &sink)
{
    // Code by code: each code's rows are sorted on their own, so the first
    // rows arrive at once instead of after the whole range is sorted. The
    // codes come from the movements (the index on kvdikos answers alone), so
    // a code that is missing from kvdikoi still shows its movements; its list
    // line is looked up per movement rather than joined for the same reason.
    db::Statement codesSt = db.prepare(QStringLiteral(
        "SELECT DISTINCT kvdikos FROM kinhseis WHERE ?1 = '' OR instr(?1, ',' || kvdikos || ',') > 0"
        " ORDER BY kvdikos"));
    codesSt.bindAll(selectionText(codes));
    QList<qint64> present;
    while (codesSt.next())
        present << codesSt.integer(0);
    db::Statement st = db.prepare(MovementColumns + QStringLiteral(
        ", (SELECT c.lista FROM kvdikoi c WHERE c.kvdikos = k.kvdikos LIMIT 1)"
        " FROM kinhseis k"
        " WHERE k.kvdikos = ?3 AND k.hmeromhnia BETWEEN ?1 AND ?2"
        " ORDER BY k.hmeromhnia DESC, k.aa"));
    for (qint64 code : present) {
        st.reset();
        st.bindAll(start, end, code);
        while (st.next()) {
            MovementRow r = movementOfRow(st);
            r.lista = st.text(FirstOwnColumn);
            sink(r);
        }
    }
}

QList<CodeSumRow> readCodeSums(db::Database &db, const QDate &start, const QDate &end, const QList<qint64> &codes)
{
    db::Statement st = db.prepare(QStringLiteral(
        "SELECT k.kvdikos, c.perigrafh, SUM(k.esoda), SUM(k.ejoda), SUM(IFNULL(k.L_tajeos, 0))"
        " FROM kinhseis k INNER JOIN kvdikoi c ON k.kvdikos = c.kvdikos"
        " WHERE k.hmeromhnia BETWEEN ?1 AND ?2"
        "   AND (?3 = '' OR instr(?3, ',' || k.kvdikos || ',') > 0)"
        " GROUP BY k.kvdikos, c.perigrafh ORDER BY k.kvdikos"));
    st.bindAll(start, end, selectionText(codes));
    QList<CodeSumRow> rows;
    while (st.next())
        rows << CodeSumRow{st.integer(0), st.text(1), st.money(2), st.money(3), st.money(4)};
    return rows;
}

QString groupNamesTable()
{
    return QStringLiteral("(SELECT aa_omadas, MIN(omada) AS omada FROM kvdikoi GROUP BY aa_omadas)");
}

void readMovementsByGroup(db::Database &db, const QDate &start, const QDate &end, const QList<qint64> &groups,
                          const MovementSink &sink)
{
    // A movement belongs to the report when some code carries its group
    // number; the group's name comes from those codes, once per group. The
    // group number after the name keeps two groups of one name apart.
    db::Statement st = db.prepare(MovementColumns + QStringLiteral(
        ", k.aa_omada, g.omada"
        " FROM kinhseis k"
        " INNER JOIN ") + groupNamesTable() + QStringLiteral(" g"
        "   ON k.aa_omada = g.aa_omadas"
        " WHERE k.hmeromhnia BETWEEN ?1 AND ?2"
        "   AND (?3 = '' OR instr(?3, ',' || k.aa_omada || ',') > 0)"
        " ORDER BY g.omada, k.aa_omada, k.kvdikos, k.hmeromhnia DESC, k.aa"));
    st.bindAll(start, end, selectionText(groups));
    while (st.next()) {
        MovementRow r = movementOfRow(st);
        r.aa_omada = st.integer(FirstOwnColumn);
        r.omada = st.text(FirstOwnColumn + 1);
        sink(r);
    }
}

} // namespace reports
