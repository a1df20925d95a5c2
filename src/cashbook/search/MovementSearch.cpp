#include "MovementSearch.h"

#include "data/MovementWords.h"
#include "platform/db/Database.h"
#include "platform/regional/AmountText.h"
#include "platform/regional/GreekFormats.h"

#include <QRegularExpression>
#include <algorithm>
#include <variant>
#include <vector>

namespace search {
namespace {

using Value = std::variant<QString, qint64, QDate>;

// The first word of each term, for the words table: a description word that
// starts with it lies between the word itself and the word with its last
// letter raised by one.
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

// Numbered placeholders for the values of one statement.
class Bound
{
public:
    QString add(const Value &v)
    {
        m_values.push_back(v);
        return QStringLiteral("?") + QString::number(m_values.size());
    }
    void bindTo(db::Statement &st) const
    {
        int pos = 0;
        for (const Value &v : m_values)
            std::visit([&](const auto &x) { st.bind(++pos, x); }, v);
    }

private:
    std::vector<Value> m_values;
};

// Beyond this many codes the list is one bound text searched with instr, as
// the reports do: SQLite takes at most 999 placeholders.
constexpr int MostCodePlaceholders = 200;

// A word of the typed terms as the words table is asked for it: a whole word
// (one followed by more of its term, which the description must then hold
// whole) or the beginning of one (the last word of a term).
struct WordLookup
{
    QString word;
    bool whole = false;
};

QString lookupCondition(const WordLookup &w, Bound &bound)
{
    if (w.whole)
        return QStringLiteral("w.lejh = ") + bound.add(w.word);
    return QStringLiteral("w.lejh >= ") + bound.add(w.word) + QStringLiteral(" AND w.lejh < ")
        + bound.add(afterPrefix(w.word));
}

// Fewer rows than this make a criterion worth reading through its index.
constexpr qint64 FewRows = 8000;

// Which criterion the search reads through its index; the others are checked
// on the rows it gives.
enum class Driver { None, Words, Amount, Days, Codes, Cheques };

// Cheques are a small part of most books, but not of every one.
bool rareCheques(db::Database &main)
{
    return main
               .scalar(QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM kinhseis WHERE epitagh = -1 LIMIT %1) t")
                           .arg(FewRows))
               .toLongLong()
        < FewRows;
}

struct SearchPlan
{
    Driver driver = Driver::None;
    QList<WordLookup> words; // the words looked up together (Words)
};

SearchPlan planSearch(db::Database &main, const Criteria &c, const QStringList &terms)
{
    SearchPlan plan;
    QList<WordLookup> candidates;
    if (!terms.isEmpty() && movementwords::hasTable(main)) {
        for (const QString &term : terms) {
            const QStringList words = movementwords::wordsOf(term);
            for (qsizetype i = 0; i < words.size(); ++i)
                candidates.append({words[i], i + 1 < words.size()});
        }
        // Longer words are the rarer ones, usually; a handful is enough.
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const WordLookup &a, const WordLookup &b) { return a.word.size() > b.word.size(); });
        candidates = candidates.mid(0, 4);
    }
    // Rare words: the movements holding all of them are few and found at once.
    for (const WordLookup &w : candidates) {
        Bound probe;
        const QString condition = lookupCondition(w, probe);
        db::Statement st = main.prepare(QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM kinhseis_lejeis w WHERE ")
                                        + condition + QStringLiteral(" LIMIT ") + QString::number(FewRows)
                                        + QStringLiteral(") t"));
        probe.bindTo(st);
        if (st.next() && st.integer(0) < FewRows)
            plan.words << w;
    }
    if (!plan.words.isEmpty()) {
        plan.driver = Driver::Words;
        return plan;
    }
    if (c.amountFrom || c.amountTo) {
        Bound probe;
        const QString lo = probe.add(c.amountFrom.value_or(Money()).units());
        const QString hi = probe.add(c.amountTo.value_or(regional::MaxAmount).units());
        db::Statement st = main.prepare(
            QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM kinhseis WHERE esoda BETWEEN %1 AND %2 UNION ALL "
                           "SELECT 1 FROM kinhseis WHERE ejoda BETWEEN %1 AND %2 LIMIT %3) t")
                .arg(lo, hi)
                .arg(FewRows));
        probe.bindTo(st);
        if (st.next() && st.integer(0) < FewRows) {
            plan.driver = Driver::Amount;
            return plan;
        }
    }
    // Days and codes: the smaller share of the book, when it is a small share.
    double daysShare = 1, codesShare = 1;
    if (c.from.isValid() || c.to.isValid()) {
        // Two statements: each of min and max alone is read from the end of the index.
        const QDate first = main.scalar(QStringLiteral("SELECT min(hmeromhnia) FROM kinhseis")).toDate();
        const QDate last = main.scalar(QStringLiteral("SELECT max(hmeromhnia) FROM kinhseis")).toDate();
        if (first.isValid() && last.isValid()) {
            const QDate from = c.from.isValid() ? std::max(c.from, first) : first;
            const QDate to = c.to.isValid() ? std::min(c.to, last) : last;
            daysShare = double(std::max<qint64>(0, from.daysTo(to) + 1)) / double(first.daysTo(last) + 1);
        }
    }
    if (!c.codes.isEmpty() && c.codes.size() <= MostCodePlaceholders) {
        const qint64 all = main.scalar(QStringLiteral("SELECT count(*) FROM kvdikoi")).toLongLong();
        codesShare = all > 0 ? double(c.codes.size()) / double(all) : 1;
    }
    constexpr double SmallShare = 0.5;
    if (std::min(daysShare, codesShare) < SmallShare)
        plan.driver = daysShare <= codesShare ? Driver::Days : Driver::Codes;
    else if (c.chequesOnly && rareCheques(main))
        plan.driver = Driver::Cheques;
    else if (candidates.size() >= 2) {
        // Several common words: few movements hold them all ("12-05-2020").
        plan.driver = Driver::Words;
        plan.words = candidates;
    }
    // Otherwise every row is read once: one common word would cost more
    // through the words table than the descriptions cost to check.
    return plan;
}


} // namespace

bool Criteria::narrowsNothing() const
{
    return foldedTerms(words).isEmpty() && !amountFrom && !amountTo && !from.isValid() && !to.isValid()
        && codes.isEmpty() && !chequesOnly;
}

QStringList foldedTerms(const QString &typed)
{
    return movementwords::foldedText(typed).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

bool descriptionMatches(const QString &foldedDescription, const QStringList &terms)
{
    for (const QString &term : terms) {
        const bool anywhere = !movementwords::isWordCharacter(term.front());
        bool found = false;
        for (qsizetype at = foldedDescription.indexOf(term); at >= 0 && !found;
             at = foldedDescription.indexOf(term, at + 1))
            found = anywhere || at == 0 || !movementwords::isWordCharacter(foldedDescription[at - 1]);
        if (!found)
            return false;
    }
    return true;
}

Results findMovements(db::Database &main, const Criteria &c)
{
    const QStringList terms = foldedTerms(c.words);
    const SearchPlan plan = planSearch(main, c, terms);
    // Only the criterion the plan reads through its index is written so the
    // planner may use one; "+" keeps it off the others.
    auto column = [&plan](Driver d, const char *name) {
        return (plan.driver == d ? QString() : QStringLiteral("+")) + QLatin1String(name);
    };

    Bound bound;
    QString sql = QStringLiteral("SELECT k.aa, k.hmeromhnia, k.kvdikos, k.perigrafh, k.esoda, k.ejoda, k.epitagh "
                                 "FROM kinhseis k WHERE 1 = 1");
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
        if (plan.driver == Driver::Amount)
            sql += QStringLiteral(" AND k.aa IN (SELECT x.aa FROM kinhseis x WHERE x.esoda BETWEEN %1 AND %2"
                                  " UNION SELECT x.aa FROM kinhseis x WHERE x.ejoda BETWEEN %1 AND %2)")
                       .arg(lo, hi);
    }
    if (plan.driver == Driver::Words) {
        QStringList lookups;
        for (const WordLookup &w : plan.words)
            lookups << QStringLiteral("SELECT w.aa FROM kinhseis_lejeis w WHERE ") + lookupCondition(w, bound);
        sql += QStringLiteral(" AND k.aa IN (") + lookups.join(QStringLiteral(" INTERSECT ")) + QLatin1Char(')');
    }
    sql += QStringLiteral(" ORDER BY k.hmeromhnia, k.aa");

    db::Statement st = main.prepare(sql);
    bound.bindTo(st);
    Results out;
    while (st.next()) {
        const QString description = st.text(3);
        if (!terms.isEmpty() && !descriptionMatches(movementwords::foldedText(description), terms))
            continue;
        Found f{st.integer(0), st.date(1), int(st.integer(2)), description, st.money(4), st.money(5), st.flag(6)};
        out.income += f.income;
        out.expense += f.expense;
        out.rows << f;
    }
    return out;
}

namespace {

// A blank box narrows nothing; otherwise the amount rule's answer.
bool readAmount(const QString &text, const QString &label, std::optional<Money> &amount, QString &refusal)
{
    if (text.trimmed().isEmpty())
        return true;
    const regional::AmountCheck check = regional::checkAmountText(text);
    if (!check.accepted()) {
        refusal = label + QStringLiteral(": το ποσό «") + text.trimmed() + QStringLiteral("» δεν έγινε δεκτό.\n")
            + check.refusal;
        return false;
    }
    amount = check.amount;
    return true;
}

bool readDay(const QString &text, const QString &label, const QDate &today, QDate &day, QString &refusal)
{
    if (text.trimmed().isEmpty())
        return true;
    const std::optional<QDate> d = regional::parseDate(text, today);
    if (!d) {
        refusal = label + QStringLiteral(": η ημερομηνία «") + text.trimmed() + QStringLiteral("» δεν είναι σωστή.");
        return false;
    }
    day = *d;
    return true;
}

} // namespace

ReadCriteria readCriteria(const TypedCriteria &typed, const QDate &today)
{
    ReadCriteria out;
    Criteria c;
    c.words = typed.words;
    c.codes = typed.codes;
    c.chequesOnly = typed.chequesOnly;
    if (!readAmount(typed.amountFrom, QStringLiteral("Ποσό από"), c.amountFrom, out.refusal)
        || !readAmount(typed.amountTo, QStringLiteral("Ποσό έως"), c.amountTo, out.refusal)
        || !readDay(typed.dateFrom, QStringLiteral("Από ημερομηνία"), today, c.from, out.refusal)
        || !readDay(typed.dateTo, QStringLiteral("Έως ημερομηνία"), today, c.to, out.refusal))
        return out;
    // One amount alone is the amount looked for.
    if (c.amountFrom && !c.amountTo)
        c.amountTo = c.amountFrom;
    if (c.amountFrom && c.amountTo && *c.amountTo < *c.amountFrom) {
        out.refusal = QStringLiteral("Το πρώτο ποσό είναι μεγαλύτερο από το δεύτερο.");
        return out;
    }
    if (c.from.isValid() && c.to.isValid() && c.to < c.from) {
        out.refusal = QStringLiteral("Η πρώτη ημερομηνία είναι μετά από τη δεύτερη.");
        return out;
    }
    if (c.narrowsNothing()) {
        out.refusal = QStringLiteral("Δώστε τουλάχιστον ένα από τα στοιχεία της αναζήτησης.");
        return out;
    }
    out.criteria = c;
    return out;
}

} // namespace search
