#include "MovementRows.h"

#include "MovementTotals.h"
#include "platform/db/Database.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <memory>
#include <vector>

namespace reports {

namespace {

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

QStringList codeListLines(db::Database &db, const QList<qint64> &codes)
{
    const QSet<qint64> wanted(codes.begin(), codes.end());
    QSet<qint64> named;
    QStringList lines;
    db::Statement st = db.prepare(QStringLiteral("SELECT kvdikos, trim(lista) FROM kvdikoi WHERE kvdikos IS NOT NULL"));
    while (st.next()) {
        const qint64 code = st.integer(0);
        if (!wanted.contains(code))
            continue;
        named.insert(code);
        lines << (st.isNull(1) ? QString::number(code) : st.text(1));
    }
    for (qint64 code : codes)
        if (!named.contains(code))
            lines << QString::number(code);
    return lines;
}

void readMovementsByCode(db::Database &db, const QDate &start, const QDate &end, const QList<qint64> &codes,
                         const MovementSink &sink)
{
    // Code by code, so the first rows arrive without the whole range sorted
    // first; and within a code through the index of group number, code and
    // day, which gives the rows newest day first (only a day's rows are put
    // in booking order), so the first page needs the table's rows of its own
    // movements only. A code's movements carry one group number unless the
    // code changed groups; then the rows of each number are merged. The codes
    // come from the movements, so a code that is missing from kvdikoi still
    // shows its movements; its list line is looked up per movement rather
    // than joined for the same reason.
    const QString rows = MovementColumns + QStringLiteral(
        ", (SELECT c.lista FROM kvdikoi c WHERE c.kvdikos = k.kvdikos LIMIT 1), k.aa"
        " FROM kinhseis k"
        " WHERE k.kvdikos = ?1 AND k.hmeromhnia BETWEEN ?2 AND ?3 AND %1"
        " ORDER BY k.hmeromhnia DESC, k.aa");
    QMap<qint64, QList<std::optional<qint64>>> groupsOfCode;
    for (const MovementPair &p : movementPairs(db))
        if (p.code && inSelection(codes, *p.code))
            groupsOfCode[*p.code].append(p.group);
    for (auto it = groupsOfCode.cbegin(); it != groupsOfCode.cend(); ++it) {
        std::vector<std::unique_ptr<db::Statement>> open;
        for (const std::optional<qint64> &group : it.value()) {
            auto st = std::make_unique<db::Statement>(
                db, rows.arg(group ? QStringLiteral("k.aa_omada = ?4") : QStringLiteral("k.aa_omada IS NULL")));
            st->bindAll(it.key(), start, end);
            if (group)
                st->bind(4, *group);
            if (st->next())
                open.push_back(std::move(st));
        }
        while (!open.empty()) {
            // The newest day first, then the movement booked first.
            auto comesFirst = [](const std::unique_ptr<db::Statement> &a, const std::unique_ptr<db::Statement> &b) {
                const QDate dayA = a->date(1), dayB = b->date(1);
                return dayA != dayB ? dayA > dayB : a->integer(FirstOwnColumn + 1) < b->integer(FirstOwnColumn + 1);
            };
            const auto first = std::min_element(open.begin(), open.end(), comesFirst);
            MovementRow r = movementOfRow(**first);
            r.lista = (*first)->text(FirstOwnColumn);
            if (!(*first)->next())
                open.erase(first);
            sink(r);
        }
    }
}

QList<CodeSumRow> readCodeSums(db::Database &db, const QDate &start, const QDate &end, const QList<qint64> &codes)
{
    // Each code's sums from the index (MovementTotals), then one row per
    // description the code has in kvdikoi; a code missing from kvdikoi has no row.
    QHash<qint64, MovementSums> sums;
    const auto totals = readPairTotals(db, start, end, [&](const MovementPair &p) {
        return p.code && inSelection(codes, *p.code);
    });
    for (const PairTotals &t : totals) {
        MovementSums &s = sums[*t.pair.code];
        s.add(t.sums.memo, t.sums.income, t.sums.expense);
    }
    db::Statement st = db.prepare(QStringLiteral(
        "SELECT DISTINCT kvdikos, perigrafh FROM kvdikoi WHERE kvdikos IS NOT NULL ORDER BY kvdikos, perigrafh"));
    QList<CodeSumRow> rows;
    while (st.next()) {
        const auto found = sums.constFind(st.integer(0));
        if (found != sums.constEnd())
            rows << CodeSumRow{found.key(), st.text(1), found->income, found->expense, found->memo};
    }
    return rows;
}

QString groupNamesTable()
{
    return QStringLiteral("(SELECT aa_omadas, MIN(omada) AS omada FROM kvdikoi GROUP BY aa_omadas)");
}

QList<NamedGroup> reportGroups(db::Database &db, const QList<qint64> &groups)
{
    db::Statement st = db.prepare(QStringLiteral("SELECT g.aa_omadas, g.omada FROM ") + groupNamesTable()
                                  + QStringLiteral(" g WHERE g.aa_omadas IS NOT NULL ORDER BY g.omada, g.aa_omadas"));
    QList<NamedGroup> named;
    while (st.next())
        if (inSelection(groups, st.integer(0)))
            named.append({st.integer(0), st.text(1)});
    return named;
}

void readMovementsByGroup(db::Database &db, const QDate &start, const QDate &end, const QList<qint64> &groups,
                          const MovementSink &sink)
{
    // A movement belongs to the report when some code carries its group
    // number; the group's name comes from those codes, once per group. Group
    // by group, and in each code by code (the pairs the movements carry,
    // found by index seeks), so the first rows arrive without the whole range
    // sorted first.
    QHash<qint64, QList<std::optional<qint64>>> codesOfGroup;
    for (const MovementPair &p : movementPairs(db))
        if (p.group)
            codesOfGroup[*p.group].append(p.code);
    const QString rows = MovementColumns + QStringLiteral(
        " FROM kinhseis k WHERE k.aa_omada = ?1 AND k.hmeromhnia BETWEEN ?2 AND ?3 AND %1"
        " ORDER BY k.hmeromhnia DESC, k.aa");
    db::Statement ofCode = db.prepare(rows.arg(QStringLiteral("k.kvdikos = ?4")));
    db::Statement withoutCode = db.prepare(rows.arg(QStringLiteral("k.kvdikos IS NULL")));
    for (const NamedGroup &g : reportGroups(db, groups)) {
        for (const std::optional<qint64> &code : codesOfGroup.value(g.number)) {
            db::Statement &st = code ? ofCode : withoutCode;
            st.reset();
            st.bindAll(g.number, start, end);
            if (code)
                st.bind(4, *code);
            while (st.next()) {
                MovementRow r = movementOfRow(st);
                r.aa_omada = g.number;
                r.omada = g.name;
                sink(r);
            }
        }
    }
}

} // namespace reports
