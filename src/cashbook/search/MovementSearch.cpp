#include "MovementSearch.h"

#include "data/MovementWords.h"
#include "platform/db/Database.h"
#include "platform/regional/AmountText.h"
#include "platform/regional/GreekFormats.h"

#include "SearchSql.h"

#include <QRegularExpression>
#include <algorithm>
#include <iterator>
#include <vector>

namespace search {
namespace {

using namespace sql;

// Fewer rows than this make a criterion worth reading through its index, and
// few enough to be read whole and checked one by one.
qint64 FewRows = DefaultFewRows;
// Movements asked for by number in one statement.
constexpr int ChunkSize = 500;

// How many rows `select` gives, counted only up to FewRows.
qint64 probe(db::Database &main, const QString &select, const Bound &bound)
{
    db::Statement st = main.prepare(QStringLiteral("SELECT count(*) FROM (") + select + QStringLiteral(" LIMIT ")
                                    + QString::number(FewRows) + QStringLiteral(") t"));
    bound.bindTo(st);
    return st.next() ? st.integer(0) : FewRows;
}

struct SearchPlan
{
    Driver driver = Driver::None;  // None: no criterion is narrow
    QList<WordLookup> words;       // the rare words looked up together (Words)
};

// The criterion that gives the fewest rows through its own index, when one
// gives few; each is counted through its index only as far as FewRows.
SearchPlan planSearch(db::Database &main, const Criteria &c, const QList<WordLookup> &lookups)
{
    SearchPlan plan;
    qint64 fewest = FewRows;
    auto consider = [&](Driver d, qint64 rows) {
        if (rows < fewest) {
            fewest = rows;
            plan.driver = d;
        }
    };
    for (const WordLookup &w : lookups) {
        Bound b;
        const qint64 rows = probe(main, QStringLiteral("SELECT 1 FROM kinhseis_lejeis w WHERE ") + lookupCondition(w, b), b);
        if (rows < FewRows) {
            plan.words << w;
            consider(Driver::Words, rows);
        }
    }
    if (c.amountFrom || c.amountTo) {
        Bound b;
        const QString lo = b.add(c.amountFrom.value_or(Money()).units());
        const QString hi = b.add(c.amountTo.value_or(regional::MaxAmount).units());
        consider(Driver::Amount, probe(main, QStringLiteral("SELECT 1 FROM kinhseis WHERE esoda BETWEEN %1 AND %2 UNION ALL "
                                                            "SELECT 1 FROM kinhseis WHERE ejoda BETWEEN %1 AND %2")
                                                 .arg(lo, hi),
                                       b));
    }
    auto only = [](auto fill) {
        Criteria one;
        fill(one);
        return one;
    };
    if (c.from.isValid() || c.to.isValid()) {
        Bound b;
        const QString where = conditions(only([&](Criteria &o) { o.from = c.from; o.to = c.to; }), Driver::Days, b);
        consider(Driver::Days, probe(main, QStringLiteral("SELECT 1 FROM kinhseis k WHERE 1 = 1") + where, b));
    }
    if (!c.codes.isEmpty() && c.codes.size() <= MostCodePlaceholders) {
        Bound b;
        const QString where = conditions(only([&](Criteria &o) { o.codes = c.codes; }), Driver::Codes, b);
        consider(Driver::Codes, probe(main, QStringLiteral("SELECT 1 FROM kinhseis k WHERE 1 = 1") + where, b));
    }
    if (c.chequesOnly)
        consider(Driver::Cheques, probe(main, QStringLiteral("SELECT 1 FROM kinhseis WHERE epitagh = -1"), {}));
    if (plan.driver != Driver::Words)
        plan.words.clear();
    return plan;
}

// The movements that hold a word, by number.
std::vector<qint64> movementsWith(db::Database &main, const WordLookup &w)
{
    Bound b;
    db::Statement st = main.prepare(QStringLiteral("SELECT w.aa FROM kinhseis_lejeis w WHERE ") + lookupCondition(w, b));
    b.bindTo(st);
    std::vector<qint64> out;
    while (st.next())
        out.push_back(st.integer(0));
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

// The movements that hold every word.
std::vector<qint64> movementsWithAll(db::Database &main, const QList<WordLookup> &lookups)
{
    std::vector<qint64> all;
    for (qsizetype i = 0; i < lookups.size(); ++i) {
        std::vector<qint64> these = movementsWith(main, lookups[i]);
        if (i == 0) {
            all = std::move(these);
        } else {
            std::vector<qint64> both;
            std::set_intersection(all.begin(), all.end(), these.begin(), these.end(), std::back_inserter(both));
            all = std::move(both);
        }
        if (all.empty())
            break;
    }
    return all;
}

// Whole rows of the movements numbered, with the other criteria, by day.
QList<Found> readNumbered(db::Database &main, const std::vector<qint64> &numbers, const Criteria &c)
{
    QList<Found> out;
    for (std::size_t at = 0; at < numbers.size(); at += ChunkSize) {
        Bound b;
        QStringList marks;
        for (std::size_t i = at; i < std::min(numbers.size(), at + ChunkSize); ++i)
            marks << b.add(numbers[i]);
        const QString where = conditions(c, Driver::None, b);
        db::Statement st = main.prepare(QStringLiteral("SELECT ") + foundColumns()
                                        + QStringLiteral(" FROM kinhseis k WHERE k.aa IN (") + marks.join(QLatin1Char(','))
                                        + QLatin1Char(')') + where);
        b.bindTo(st);
        while (st.next())
            out << readFound(st);
    }
    std::sort(out.begin(), out.end(),
              [](const Found &a, const Found &b) { return a.day != b.day ? a.day < b.day : a.aa < b.aa; });
    return out;
}

// Every term is one word: the words table alone says whether a description
// holds it, and its description need not be read.
bool plainTerms(const QStringList &terms)
{
    for (const QString &term : terms)
        if (movementwords::wordsOf(term) != QStringList{term})
            return false;
    return true;
}

// What a search reads, decided before its many rows are read: when one
// criterion (or the words together) gives few rows, they are read whole and
// checked here already.
struct Prepared
{
    QStringList terms;
    bool wordsTable = false;           // the words are looked up in the words table
    std::vector<qint64> withWords;     // then: the movements holding every word, by number
    std::vector<bool> holdsWords;      // the same by position, for the many rows
    bool few = false;
    QList<Found> found;                // when few: every found movement, by day
    bool readText = false;             // otherwise: the descriptions must be checked too

    bool matches(const QString &description) const
    {
        return terms.isEmpty() || descriptionMatches(movementwords::foldedText(description), terms);
    }
};

Prepared prepare(db::Database &main, const Criteria &c)
{
    Prepared p;
    p.terms = foldedTerms(c.words);
    // Signs alone ("%") have no word to look up: then only the text tells.
    const QList<WordLookup> lookups =
        !p.terms.isEmpty() && movementwords::hasTable(main) ? wordLookups(p.terms) : QList<WordLookup>();
    p.wordsTable = !lookups.isEmpty();
    const SearchPlan plan = planSearch(main, c, lookups);

    if (plan.driver != Driver::None) {
        // Few rows through one index.
        Bound bound;
        QString sql = QStringLiteral("SELECT ") + foundColumns() + QStringLiteral(" FROM kinhseis k WHERE 1 = 1")
            + conditions(c, plan.driver, bound);
        if (plan.driver == Driver::Words) {
            QStringList select;
            for (const WordLookup &w : plan.words)
                select << QStringLiteral("SELECT w.aa FROM kinhseis_lejeis w WHERE ") + lookupCondition(w, bound);
            sql += QStringLiteral(" AND k.aa IN (") + select.join(QStringLiteral(" INTERSECT ")) + QLatin1Char(')');
        }
        db::Statement st = main.prepare(sql + QStringLiteral(" ORDER BY k.hmeromhnia, k.aa"));
        bound.bindTo(st);
        p.few = true;
        while (st.next())
            if (Found f = readFound(st); p.matches(f.description))
                p.found << std::move(f);
        return p;
    }
    if (p.wordsTable) {
        // Common words together may still be few ("12-05-2020").
        p.withWords = movementsWithAll(main, lookups);
        if (qint64(p.withWords.size()) < FewRows) {
            p.few = true;
            for (Found &f : readNumbered(main, p.withWords, c))
                if (p.matches(f.description))
                    p.found << std::move(f);
            return p;
        }
    }
    // Many rows. The words table has answered for plain words; a term with
    // signs in it ("τιμ.12") is checked on the text.
    if (p.wordsTable && !p.withWords.empty()) {
        p.holdsWords.assign(std::size_t(p.withWords.back()) + 1, false);
        for (qint64 aa : p.withWords)
            p.holdsWords[std::size_t(aa)] = true;
    }
    p.readText = !p.terms.isEmpty() && (!p.wordsTable || !plainTerms(p.terms));
    return p;
}

// The statement that reads the many rows of a search in day order; the
// words are checked on each row (isFound).
db::Statement manyRows(db::Database &main, const Criteria &c, const QString &columns, const char *order)
{
    Bound bound;
    db::Statement st = main.prepare(QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM kinhseis k WHERE 1 = 1")
                                    + conditions(c, Driver::None, bound) + QStringLiteral(" ORDER BY ")
                                    + QLatin1String(order));
    bound.bindTo(st);
    return st;
}

bool holdsWords(const Prepared &p, qint64 aa)
{
    return !p.wordsTable || (aa >= 0 && std::size_t(aa) < p.holdsWords.size() && p.holdsWords[std::size_t(aa)]);
}

} // namespace

void setFewRows(qint64 rows)
{
    FewRows = rows > 0 ? rows : DefaultFewRows;
}

bool Criteria::narrowsNothing() const
{
    return foldedTerms(words).isEmpty() && !amountFrom && !amountTo && !from.isValid() && !to.isValid()
        && codes.isEmpty() && !chequesOnly;
}

QStringList foldedTerms(const QString &typed)
{
    return movementwords::foldedText(typed).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

namespace {

// Where a word of the words table starts: after a sign that is not part of a
// word, leading apostrophes passed over (as wordsOf passes over them).
bool startsWord(const QString &folded, qsizetype at)
{
    while (at > 0 && folded[at - 1] == QLatin1Char('\''))
        --at;
    return at == 0 || !movementwords::isWordCharacter(folded[at - 1]);
}

} // namespace

bool descriptionMatches(const QString &foldedDescription, const QStringList &terms)
{
    for (const QString &term : terms) {
        const bool anywhere = !movementwords::isWordCharacter(term.front());
        bool found = false;
        for (qsizetype at = foldedDescription.indexOf(term); at >= 0 && !found;
             at = foldedDescription.indexOf(term, at + 1))
            found = anywhere || startsWord(foldedDescription, at);
        if (!found)
            return false;
    }
    return true;
}

Results findMovements(db::Database &main, const Criteria &c, int listed)
{
    Results out;
    const Prepared p = prepare(main, c);
    if (p.few) {
        for (const Found &f : p.found) {
            out.income += f.income;
            out.expense += f.expense;
        }
        out.count = p.found.size();
        out.rows = p.found.mid(std::max<qsizetype>(0, p.found.size() - listed));
        return out;
    }

    // One pass from the latest day back, through the index that holds the
    // day, code and amounts (no row of the table is read unless the text must
    // be checked). Every row counts; the first `listed` are the ones listed,
    // with the rest of the last day they reach, which is in no booking order
    // in that index.
    const QString columns = QStringLiteral("k.aa, k.esoda, k.ejoda, k.hmeromhnia")
        + (p.readText ? QStringLiteral(", k.perigrafh") : QString());
    db::Statement st = manyRows(main, c, columns, "k.hmeromhnia DESC");
    std::vector<std::pair<QDate, qint64>> latest;
    bool listing = true;
    while (st.next()) {
        const qint64 aa = st.integer(0);
        if (!holdsWords(p, aa) || (p.readText && !p.matches(st.text(4))))
            continue;
        ++out.count;
        out.income += st.money(1);
        out.expense += st.money(2);
        if (!listing)
            continue;
        const QDate day = st.date(3);
        if (qsizetype(latest.size()) < listed || (!latest.empty() && day == latest.back().first))
            latest.emplace_back(day, aa);
        else
            listing = false;
    }
    std::sort(latest.begin(), latest.end());
    std::vector<qint64> numbers;
    for (std::size_t i = latest.size() > std::size_t(listed) ? latest.size() - listed : 0; i < latest.size(); ++i)
        numbers.push_back(latest[i].second);
    std::sort(numbers.begin(), numbers.end());
    out.rows = readNumbered(main, numbers, Criteria());
    return out;
}

void forEachFound(db::Database &main, const Criteria &c, const std::function<void(const Found &)> &take)
{
    const Prepared p = prepare(main, c);
    if (p.few) {
        for (const Found &f : p.found)
            take(f);
        return;
    }
    db::Statement st = manyRows(main, c, foundColumns(), "k.hmeromhnia, k.aa");
    while (st.next())
        if (holdsWords(p, st.integer(0)))
            if (const Found f = readFound(st); !p.readText || p.matches(f.description))
                take(f);
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
