#include "MovementTotals.h"

#include "data/YearTotals.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/db/Statement.h"

#include <algorithm>
#include <limits>
#include <map>

namespace reports {

namespace {

// Prepared statements by their text, each prepared once for a whole walk.
class Statements
{
public:
    explicit Statements(db::Database &db) : m_db(db) {}
    db::Statement &get(const QString &sql)
    {
        auto it = m_prepared.find(sql);
        if (it == m_prepared.end())
            it = m_prepared.try_emplace(sql, m_db, sql).first;
        it->second.reset();
        return it->second;
    }

private:
    db::Database &m_db;
    std::map<QString, db::Statement> m_prepared;
};

// "column = ?n" for a value, "column IS NULL" for a missing one; the value
// is bound by bindValue at the same position.
QString matches(const char *column, const std::optional<qint64> &value, int position)
{
    const QString name = QString::fromLatin1(column);
    return value ? name + QStringLiteral(" = ?") + QString::number(position) : name + QStringLiteral(" IS NULL");
}

int bindValue(db::Statement &st, const std::optional<qint64> &value, int position)
{
    if (!value)
        return position;
    st.bind(position, *value);
    return position + 1;
}

// The distinct values of `column` among the movements that meet `where`
// (whose values `bindWhere` binds, returning the next free position, which is
// `afterAt`), ascending with a missing value first: one seek per value, as the
// index leads with the condition's columns and then `column`.
QList<std::optional<qint64>> distinctValues(Statements &statements, const char *column, const QString &where,
                                            int afterAt, const std::function<int(db::Statement &)> &bindWhere)
{
    const QString name = QString::fromLatin1(column);
    const QString prefix = where.isEmpty() ? QString() : where + QStringLiteral(" AND ");
    QList<std::optional<qint64>> values;
    db::Statement &missing = statements.get(QStringLiteral("SELECT 1 FROM kinhseis WHERE ") + prefix + name +
                                            QStringLiteral(" IS NULL LIMIT 1"));
    bindWhere(missing);
    if (missing.next())
        values.append(std::nullopt);
    qint64 after = std::numeric_limits<qint64>::min();
    for (;;) {
        db::Statement &next =
            statements.get(QStringLiteral("SELECT ") + name + QStringLiteral(" FROM kinhseis WHERE ") + prefix + name +
                           QStringLiteral(" > ?%1 ORDER BY %2 LIMIT 1").arg(afterAt).arg(name));
        bindWhere(next);
        next.bind(afterAt, after);
        if (!next.next())
            break;
        after = next.integer(0);
        values.append(after);
    }
    return values;
}

ColumnFigure figureOf(Money sum, bool anyNegative, double magnitude)
{
    ColumnFigure f;
    f.anyNegative = anyNegative;
    if (!anyNegative) {
        f.sumOfMagnitudes = sum;
    } else {
        // A width needs the number of digits only: a sum beyond the 64-bit
        // units is held at the largest.
        const double most = double(std::numeric_limits<qint64>::max());
        f.sumOfMagnitudes = Money::fromUnits(qint64(std::min(magnitude, most)));
    }
    return f;
}

// Income, expense and memo, the order of the tallies below.
constexpr int AmountColumns = 3;

// What part of one pair's movements of a range adds up to. No amount the
// program books is negative; a book edited by hand may hold one, and then a
// column's figures are bounded by the sum of magnitudes rather than by its
// total, so that is kept too (in floating point: a width needs the digits only).
struct Tally
{
    Money sum[AmountColumns];
    double magnitude[AmountColumns] = {0, 0, 0};
    bool negative[AmountColumns] = {false, false, false};
    qint64 count = 0;

    // From the rows: the columns of RowsSelect.
    void addRows(const db::Statement &st)
    {
        count += st.integer(0);
        for (int c = 0; c < AmountColumns; ++c) {
            sum[c] += st.money(1 + c);
            magnitude[c] += st.value(4 + c).toDouble();
            negative[c] = negative[c] || st.money(7 + c) < Money();
        }
    }
    // From the year sums: the columns of YearsSelect after the year. A sum
    // that went beyond 64 bits (only amounts typed by hand into the file can
    // make one) is kept by the file engine in floating point: the report
    // stops on it as it would on the sum of the rows themselves.
    void addYear(const db::Statement &st)
    {
        for (int c = 1; c <= 1 + 2 * AmountColumns; ++c) // the count, then a sum and magnitudes per column
            if (st.value(c).typeId() == QMetaType::Double)
                throw db::DbError(db::DbError::Kind::Sql, QStringLiteral("integer overflow"));
        count += st.integer(1);
        for (int c = 0; c < AmountColumns; ++c) {
            const Money total = st.money(2 + 2 * c), magnitudes = st.money(3 + 2 * c);
            sum[c] += total;
            magnitude[c] += double(magnitudes.units());
            // Only a negative amount makes the sum of magnitudes exceed the sum.
            negative[c] = negative[c] || magnitudes != total;
        }
    }
};

const QString RowsSelect = QStringLiteral(
    "SELECT COUNT(*), SUM(esoda), SUM(ejoda), SUM(IFNULL(L_tajeos, 0)),"
    " total(abs(esoda)), total(abs(ejoda)), total(abs(IFNULL(L_tajeos, 0))),"
    " MIN(esoda), MIN(ejoda), MIN(IFNULL(L_tajeos, 0))");

const QString YearsSelect = QStringLiteral(
    "SELECT etos, plhuos, esoda, esoda_apolyta, ejoda, ejoda_apolyta, L_tajeos, L_tajeos_apolyta FROM synola_etoys"
    " WHERE aa_omada = ?1 AND kvdikos = ?2 AND etos BETWEEN ?3 AND ?4");

QString yearText(int year)
{
    return QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
}

// Days between two bounds, each bound taken in or left out; compared as
// text, as the day is stored, so that a day a hand edit left odd is still
// counted once.
struct DaySlice
{
    QDate from, to;
    bool fromIn = true, toIn = true;
};

// How a range splits: whole years that the year sums give, and slices the
// rows give (the days before the first whole year and after the last, and any
// odd days stored between two whole years).
struct RangeSplit
{
    int firstYear = 0, lastYear = -1; // no whole year when lastYear < firstYear
    QList<DaySlice> slices;
};

RangeSplit splitRange(Statements &statements, const QDate &from, const QDate &to, bool yearsKept)
{
    RangeSplit split;
    if (yearsKept && from.isValid() && to.isValid()) {
        split.firstYear = from.month() == 1 && from.day() == 1 ? from.year() : from.year() + 1;
        split.lastYear = to.month() == 12 && to.day() == 31 ? to.year() : to.year() - 1;
    }
    if (split.lastYear < split.firstYear) {
        split.slices.append({from, to});
        return split;
    }
    const QDate firstDay(split.firstYear, 1, 1), lastDay(split.lastYear, 12, 31);
    if (from < firstDay)
        split.slices.append({from, firstDay, true, false});
    // The year sums hold the days from "Y-01-01" to "Y-12-31"; a stored text
    // between one year's last day and the next one's first is no day of
    // either, and only a hand edit makes one: one seek per year looks.
    db::Statement &odd =
        statements.get(QStringLiteral("SELECT 1 FROM kinhseis WHERE hmeromhnia > ?1 AND hmeromhnia < ?2 LIMIT 1"));
    for (int year = split.firstYear; year < split.lastYear; ++year) {
        const DaySlice between{QDate(year, 12, 31), QDate(year + 1, 1, 1), false, false};
        odd.reset();
        odd.bindAll(between.from, between.to);
        if (odd.next())
            split.slices.append(between);
    }
    if (to > lastDay)
        split.slices.append({lastDay, to, false, true});
    return split;
}

} // namespace

QList<MovementPair> movementPairs(db::Database &db)
{
    Statements statements(db);
    QList<MovementPair> pairs;
    const auto groups = distinctValues(statements, "aa_omada", QString(), 1, [](db::Statement &) { return 1; });
    for (const std::optional<qint64> &group : groups) {
        const auto codes = distinctValues(statements, "kvdikos", matches("aa_omada", group, 1), group ? 2 : 1,
                                          [&](db::Statement &st) { return bindValue(st, group, 1); });
        for (const std::optional<qint64> &code : codes)
            pairs.append({group, code});
    }
    return pairs;
}

QList<PairTotals> readPairTotals(db::Database &db, const QDate &from, const QDate &to, const PairFilter &wanted)
{
    Statements statements(db);
    const RangeSplit split = splitRange(statements, from, to, yeartotals::kept(db));
    // A pair without a group number or a code has no year sums: its rows
    // give the whole range.
    const QList<DaySlice> whole{{from, to}};
    QList<PairTotals> totals;
    for (const MovementPair &pair : movementPairs(db)) {
        if (wanted && !wanted(pair))
            continue;
        const bool byYears = pair.group && pair.code && split.lastYear >= split.firstYear;
        Tally tally;
        if (byYears) {
            db::Statement &years = statements.get(YearsSelect);
            years.bindAll(*pair.group, *pair.code, yearText(split.firstYear), yearText(split.lastYear));
            while (years.next()) {
                // Only the years themselves: a hand-edited day such as
                // "201x-05-05" has a row of its own text, and lies between
                // two years, where its rows count it.
                bool isYear = false;
                const QString year = years.text(0);
                const int number = year.toInt(&isYear);
                if (isYear && year == yearText(number))
                    tally.addYear(years);
            }
        }
        const int codeAt = pair.group ? 2 : 1;
        const int fromAt = codeAt + (pair.code ? 1 : 0);
        for (const DaySlice &slice : byYears ? split.slices : whole) {
            db::Statement &rows = statements.get(
                RowsSelect + QStringLiteral(" FROM kinhseis WHERE ") + matches("aa_omada", pair.group, 1)
                + QStringLiteral(" AND ") + matches("kvdikos", pair.code, codeAt)
                + QStringLiteral(" AND hmeromhnia %1 ?%2 AND hmeromhnia %3 ?%4")
                      .arg(slice.fromIn ? QStringLiteral(">=") : QStringLiteral(">"))
                      .arg(fromAt)
                      .arg(slice.toIn ? QStringLiteral("<=") : QStringLiteral("<"))
                      .arg(fromAt + 1));
            const int next = bindValue(rows, pair.code, bindValue(rows, pair.group, 1));
            rows.bind(next, slice.from);
            rows.bind(next + 1, slice.to);
            if (rows.next())
                tally.addRows(rows);
        }
        if (tally.count == 0)
            continue;
        PairTotals t;
        t.pair = pair;
        t.sums = {tally.sum[2], tally.sum[0], tally.sum[1]};
        t.largest.serial = tally.count;
        t.largest.income = figureOf(tally.sum[0], tally.negative[0], tally.magnitude[0]);
        t.largest.expense = figureOf(tally.sum[1], tally.negative[1], tally.magnitude[1]);
        t.largest.memo = figureOf(tally.sum[2], tally.negative[2], tally.magnitude[2]);
        totals.append(t);
    }
    return totals;
}

LargestFigures combinedFigures(const QList<PairTotals> &pairs)
{
    LargestFigures all;
    for (const PairTotals &p : pairs)
        all.merge(p.largest);
    return all;
}

} // namespace reports
