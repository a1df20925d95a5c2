#include "MovementTotals.h"

#include "platform/db/Database.h"
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
    // No amount the program books is negative; a book edited by hand may hold
    // one, and then a column's figures are bounded by the sum of magnitudes
    // rather than by its total. Whether income or expense has one anywhere is
    // a seek on their indexes; the memo amounts are checked pair by pair.
    auto anyBelowZero = [&](const char *column) {
        db::Statement &st = statements.get(
            QStringLiteral("SELECT 1 FROM kinhseis WHERE %1 < 0 LIMIT 1").arg(QString::fromLatin1(column)));
        return st.next();
    };
    const bool negativeIncome = anyBelowZero("esoda");
    const bool negativeExpense = anyBelowZero("ejoda");
    QList<PairTotals> totals;
    for (const MovementPair &pair : movementPairs(db)) {
        if (wanted && !wanted(pair))
            continue;
        const int codeAt = pair.group ? 2 : 1;
        const int fromAt = codeAt + (pair.code ? 1 : 0);
        const QString where = QStringLiteral(" FROM kinhseis WHERE ") + matches("aa_omada", pair.group, 1) +
                              QStringLiteral(" AND ") + matches("kvdikos", pair.code, codeAt) +
                              QStringLiteral(" AND hmeromhnia BETWEEN ?%1 AND ?%2").arg(fromAt).arg(fromAt + 1);
        auto bindAll = [&](db::Statement &st) {
            const int next = bindValue(st, pair.code, bindValue(st, pair.group, 1));
            st.bind(next, from);
            st.bind(next + 1, to);
        };
        db::Statement &sums = statements.get(
            QStringLiteral(
                "SELECT SUM(esoda), SUM(ejoda), SUM(IFNULL(L_tajeos, 0)), MIN(IFNULL(L_tajeos, 0)), COUNT(*)") +
            where);
        bindAll(sums);
        if (!sums.next() || sums.integer(4) == 0)
            continue;
        PairTotals t;
        t.pair = pair;
        t.sums = {sums.money(2), sums.money(0), sums.money(1)};
        t.largest.serial = sums.integer(4);
        const bool negativeMemo = sums.money(3) < Money();
        double magnitudes[3] = {0, 0, 0};
        if (negativeIncome || negativeExpense || negativeMemo) {
            // Added in floating point: a width needs the digits only.
            db::Statement &abs = statements.get(
                QStringLiteral("SELECT total(abs(esoda)), total(abs(ejoda)), total(abs(IFNULL(L_tajeos, 0)))") + where);
            bindAll(abs);
            if (abs.next())
                for (int c = 0; c < 3; ++c)
                    magnitudes[c] = abs.value(c).toDouble();
        }
        t.largest.income = figureOf(t.sums.income, negativeIncome, magnitudes[0]);
        t.largest.expense = figureOf(t.sums.expense, negativeExpense, magnitudes[1]);
        t.largest.memo = figureOf(t.sums.memo, negativeMemo, magnitudes[2]);
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
