// Each kind of search of movements over the generated ten-year book, timed
// beside the bare read of every movement (what a search costs without the
// words table and the indexes), with every result checked against the
// movements read whole and filtered here: the count and totals of all of
// them, the rows listed (the latest by day), and every row that saving and
// printing stream. The first run of each search is shown beside the median
// of five. Usage: kelvora-bench-search [FOLDER] (a book is generated into a
// temporary folder when none is given).
#include "bench/support/BookGenerator.h"
#include "bench/support/Timing.h"
#include "cashbook/search/MovementSearch.h"
#include "data/AppGlobals.h"
#include "data/MovementWords.h"
#include "data/Store.h"
#include "platform/db/Database.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

#include <QCoreApplication>
#include <QSet>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <vector>

using benchsupport::median;
using benchsupport::millis;

namespace {

struct Row
{
    qint64 aa;
    QDate day;
    int code;
    QString folded;
    Money income, expense;
    bool cheque;
};

// The whole table, read once: the floor of any search that reads every row.
std::vector<Row> readAll(db::Database &main)
{
    std::vector<Row> rows;
    db::Statement st = main.prepare(
        QStringLiteral("SELECT aa, hmeromhnia, kvdikos, perigrafh, esoda, ejoda, epitagh FROM kinhseis ORDER BY aa"));
    while (st.next())
        rows.push_back({st.integer(0), st.date(1), int(st.integer(2)), st.text(3), st.money(4), st.money(5),
                        st.flag(6)});
    return rows;
}

// What the search must find, decided here row by row.
bool expected(const Row &r, const search::Criteria &c, const QStringList &terms)
{
    if (c.from.isValid() && r.day < c.from)
        return false;
    if (c.to.isValid() && r.day > c.to)
        return false;
    if (!c.codes.isEmpty() && !c.codes.contains(r.code))
        return false;
    if (c.chequesOnly && !r.cheque)
        return false;
    if (c.amountFrom || c.amountTo) {
        const Money amount = r.income.isZero() ? r.expense : r.income;
        if (amount < c.amountFrom.value_or(Money()) || (c.amountTo && amount > *c.amountTo))
            return false;
    }
    return terms.isEmpty() || search::descriptionMatches(r.folded, terms);
}

struct Kind
{
    const char *name;
    search::Criteria criteria;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.filePath(QStringLiteral("book"));
    if (argc <= 1) {
        const benchsupport::GeneratedBook book = benchsupport::generateBook(folder);
        std::printf("generated book: %d movements on %d days\n", book.movements, book.days);
    }
    Store store(folder, globals().DbPassword);
    db::Database &main = store.main();
    if (!movementwords::hasTable(main)) {
        std::printf("FAILED: the book has no words table (run the program once to walk it to version 6)\n");
        return 1;
    }

    std::vector<Row> all;
    std::vector<double> bare;
    for (int run = 0; run < 5; ++run)
        bare.push_back(millis([&] { all = readAll(main); }));
    for (Row &r : all)
        r.folded = movementwords::foldedText(r.folded);
    const QDate last = all.back().day;
    const QDate year = last.addYears(-1).addDays(1);
    std::printf("%zu movements; bare read of every movement: %.1f ms (median of 5)\n\n", all.size(), median(bare));

    auto criteria = [](auto fill) {
        search::Criteria c;
        fill(c);
        return c;
    };
    const Money amount = all[all.size() / 2].income.isZero() ? all[all.size() / 2].expense : all[all.size() / 2].income;
    const std::vector<Kind> kinds = {
        {"words: a day written in the descriptions", criteria([](auto &c) { c.words = QStringLiteral("12-05-2020"); })},
        {"words: two words, accents and capitals", criteria([](auto &c) { c.words = QStringLiteral("Κίνηση 17 τΗς 0"); })},
        {"amount exactly", criteria([&](auto &c) { c.amountFrom = c.amountTo = amount; })},
        {"amount range 1.000,00-1.010,00", criteria([](auto &c) {
             c.amountFrom = Money::fromCents(100000);
             c.amountTo = Money::fromCents(101000);
         })},
        {"date range of one month", criteria([&](auto &c) {
             c.from = QDate(last.year(), last.month(), 1).addMonths(-1);
             c.to = c.from.addMonths(1).addDays(-1);
         })},
        {"one code over the last year", criteria([&](auto &c) {
             c.codes = {all.back().code};
             c.from = year;
             c.to = last;
         })},
        {"three codes, one month", criteria([&](auto &c) {
             c.codes = {100, 105, 110};
             c.from = last.addMonths(-1);
             c.to = last;
         })},
        {"cheques only, last year", criteria([&](auto &c) {
             c.chequesOnly = true;
             c.from = year;
             c.to = last;
         })},
        {"cheques only, whole book", criteria([](auto &c) { c.chequesOnly = true; })},
        {"one code, whole book", criteria([&](auto &c) { c.codes = {all.back().code}; })},
        {"word, amount range and four codes", criteria([](auto &c) {
             c.words = QStringLiteral("κινηση 3");
             c.amountFrom = Money::fromCents(50000);
             c.amountTo = Money::fromCents(80000);
             c.codes = {105, 110, 115, 125};
         })},
        {"a word in every description (the whole book)", criteria([](auto &c) { c.words = QStringLiteral("κίνηση"); })},
    };

    bool failed = false;
    std::printf("%-48s %9s %7s %9s %10s %10s\n", "search", "found", "listed", "first ms", "median ms", "bare ms");
    for (const Kind &k : kinds) {
        search::Results found;
        std::vector<double> times;
        for (int run = 0; run < 5; ++run)
            times.push_back(millis([&] { found = search::findMovements(main, k.criteria); }));
        // Right: exactly the movements the rows say, with their sums; the
        // rows listed are the latest of them by day, then booking order.
        const QStringList terms = search::foldedTerms(k.criteria.words);
        std::vector<const Row *> want;
        Money income, expense;
        for (const Row &r : all)
            if (expected(r, k.criteria, terms)) {
                want.push_back(&r);
                income += r.income;
                expense += r.expense;
            }
        std::stable_sort(want.begin(), want.end(), [](const Row *a, const Row *b) { return a->day < b->day; });
        QList<qint64> wantListed, listed;
        for (std::size_t i = want.size() > std::size_t(search::ListedRows) ? want.size() - search::ListedRows : 0;
             i < want.size(); ++i)
            wantListed << want[i]->aa;
        for (const search::Found &f : found.rows)
            listed << f.aa;
        QList<qint64> wantAll, streamed;
        for (const Row *r : want)
            wantAll << r->aa;
        search::forEachFound(main, k.criteria, [&](const search::Found &f) { streamed << f.aa; });
        const bool right = !want.empty() && found.count == qint64(want.size()) && found.income == income
            && found.expense == expense && listed == wantListed && streamed == wantAll;
        failed = failed || !right;
        std::printf("%-48s %9lld %7lld %9.1f %10.1f %10.1f%s\n", k.name, qlonglong(found.count),
                    qlonglong(found.rows.size()), times.front(), median(times), median(bare),
                    right ? "" : "   WRONG OR EMPTY");
    }
    // The same searches on a connection of their own, each the first read
    // of the book it makes: nothing of the file is decrypted yet.
    std::printf("\n%-48s %9s\n", "search on a fresh connection (cold)", "ms");
    for (const Kind &k : {kinds[1], kinds[10], kinds[11]}) {
        Store fresh(folder, globals().DbPassword);
        fresh.main(); // opened (the key derived) before the clock starts
        qint64 count = 0;
        const double ms = millis([&] { count = search::findMovements(fresh.main(), k.criteria).count; });
        std::printf("%-48s %9.1f%s\n", k.name, ms, count > 0 ? "" : "   FOUND NOTHING");
        failed = failed || count == 0;
    }
    // What the schema walk's step to version 6 costs once on this book: the
    // words of every movement made again (rolled back here).
    {
        db::Transaction t(main);
        const double rebuild = millis([&] { movementwords::rebuildAll(main); });
        const qint64 words = main.scalar(QStringLiteral("SELECT count(*) FROM kinhseis_lejeis")).toLongLong();
        std::printf("\nwords of every movement made again: %lld rows in %.0f ms\n", words, rebuild);
        if (words == 0)
            failed = true;
    }
    if (failed) {
        std::printf("FAILED: a search found nothing or not exactly the movements of the rows\n");
        return 1;
    }
    return 0;
}
