#include "SearchSql.h"

#include "data/MovementWords.h"
#include "platform/db/Statement.h"
#include "platform/regional/AmountText.h"

namespace search::sql {
namespace {

// A description word that starts with `word` lies between the word itself
// and the word with its last letter raised by one.
QString afterPrefix(const QString &word)
{
    QString upper = word;
    char16_t last = upper.back().unicode();
    ++last;
    if (last >= 0xD800 && last <= 0xDFFF)
        last = 0xE000;
    upper.back() = QChar(last);
    return upper;
}

} // namespace

QString Bound::add(const Value &v)
{
    m_values.push_back(v);
    return QStringLiteral("?") + QString::number(m_values.size());
}

void Bound::bindTo(db::Statement &st) const
{
    int pos = 0;
    for (const Value &v : m_values)
        std::visit([&](const auto &x) { st.bind(++pos, x); }, v);
}

QList<WordLookup> wordLookups(const QStringList &terms)
{
    QList<WordLookup> out;
    for (const QString &term : terms) {
        const QStringList words = movementwords::wordsOf(term);
        for (qsizetype i = 0; i < words.size(); ++i)
            out.append({words[i], i + 1 < words.size()});
    }
    return out;
}

QString lookupCondition(const WordLookup &w, Bound &bound)
{
    if (w.whole)
        return QStringLiteral("w.lejh = ") + bound.add(w.word);
    return QStringLiteral("w.lejh >= ") + bound.add(w.word) + QStringLiteral(" AND w.lejh < ")
        + bound.add(afterPrefix(w.word));
}

QString conditions(const Criteria &c, Driver driver, Bound &bound)
{
    auto column = [driver](Driver d, const char *name) {
        return (driver == d ? QString() : QStringLiteral("+")) + QLatin1String(name);
    };
    QString sql;
    if (c.from.isValid())
        sql += QStringLiteral(" AND ") + column(Driver::Days, "k.hmeromhnia") + QStringLiteral(" >= ") + bound.add(c.from);
    if (c.to.isValid())
        sql += QStringLiteral(" AND ") + column(Driver::Days, "k.hmeromhnia") + QStringLiteral(" <= ") + bound.add(c.to);
    if (!c.codes.isEmpty() && c.codes.size() <= MostCodePlaceholders) {
        QStringList marks;
        for (int code : c.codes)
            marks << bound.add(qint64(code));
        sql += QStringLiteral(" AND ") + column(Driver::Codes, "k.kvdikos") + QStringLiteral(" IN (")
            + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    } else if (!c.codes.isEmpty()) {
        QString list = QStringLiteral(",");
        for (int code : c.codes)
            list += QString::number(code) + QLatin1Char(',');
        sql += QStringLiteral(" AND instr(") + bound.add(list) + QStringLiteral(", ',' || k.kvdikos || ',') > 0");
    }
    if (c.chequesOnly)
        sql += QStringLiteral(" AND ") + column(Driver::Cheques, "k.epitagh") + QStringLiteral(" = -1");
    if (c.amountFrom || c.amountTo) {
        const QString lo = bound.add(c.amountFrom.value_or(Money()).units());
        const QString hi = bound.add(c.amountTo.value_or(regional::MaxAmount).units());
        // The movement's amount is its income, or its expense when it has no income.
        sql += QStringLiteral(" AND ((+k.esoda BETWEEN %1 AND %2 AND (k.esoda <> 0 OR k.ejoda = 0))"
                              " OR (+k.ejoda BETWEEN %1 AND %2 AND k.ejoda <> 0))")
                   .arg(lo, hi);
        if (driver == Driver::Amount)
            sql += QStringLiteral(" AND k.aa IN (SELECT x.aa FROM kinhseis x WHERE x.esoda BETWEEN %1 AND %2"
                                  " UNION SELECT x.aa FROM kinhseis x WHERE x.ejoda BETWEEN %1 AND %2)")
                       .arg(lo, hi);
    }
    return sql;
}

QString foundColumns()
{
    return QStringLiteral("k.aa, k.hmeromhnia, k.kvdikos, k.perigrafh, k.esoda, k.ejoda, k.epitagh");
}

Found readFound(const db::Statement &st)
{
    return {st.integer(0), st.date(1), int(st.integer(2)), st.text(3), st.money(4), st.money(5), st.flag(6)};
}

} // namespace search::sql
