#include "cashbook/CashBookFixture.h"
#include "cashbook/search/MovementSearch.h"
#include "data/MovementWords.h"
#include "data/Schema.h"
#include "data/SchemaUpgrade.h"

#include <QSet>

using search::Criteria;

namespace {

// Movements booked through the cash book's own operations, so the words table
// is kept as the program keeps it; every expectation is worked out from the
// rows inserted here.
class MovementSearchTest : public CashBookFixture
{
protected:
    qint64 book(const QDate &d, int code, const QString &description, const QString &amount, bool cheque = false)
    {
        cashbook::MovementEntry e = entry(d, code, code == 10 ? amount : QStringLiteral("0"),
                                          code == 10 ? QStringLiteral("0") : amount, description);
        e.cheque = cheque;
        const auto aa = ops.InsertMovement(e);
        EXPECT_TRUE(aa.has_value()) << description.toStdString();
        return aa.value_or(0);
    }

    QSet<qint64> found(const Criteria &c)
    {
        QSet<qint64> out;
        for (const search::Found &f : search::findMovements(folder.main(), c).rows)
            out.insert(f.aa);
        return out;
    }

    QSet<qint64> words(const QString &typed)
    {
        Criteria c;
        c.words = typed;
        return found(c);
    }

    Criteria amounts(qint64 fromCents, qint64 toCents)
    {
        Criteria c;
        c.amountFrom = euros(fromCents);
        c.amountTo = euros(toCents);
        return c;
    }
};

TEST_F(MovementSearchTest, WordsIgnoreCaseAccentsAndFinalSigmaAtTheStartOfAWord)
{
    const qint64 may = book(day(2), 10, QStringLiteral("Ενοίκιο Μαΐου"), QStringLiteral("500"));
    const qint64 june = book(day(3), 10, QStringLiteral("ΕΝΟΙΚΙΟ ΙΟΥΝΙΟΥ"), QStringLiteral("500"));
    const qint64 bill = book(day(3), 20, QStringLiteral("Πληρωμή λογαριασμός ρεύματος"), QStringLiteral("80"));
    const qint64 paper = book(day(4), 20, QStringLiteral("αγορά χαρτιού"), QStringLiteral("12"));

    EXPECT_EQ(words(QStringLiteral("ενοικιο")), (QSet<qint64>{may, june}));
    EXPECT_EQ(words(QStringLiteral("ΕΝΟΊΚΙΟ μαιου")), (QSet<qint64>{may}));
    EXPECT_EQ(words(QStringLiteral("ΜΑΪΟΥ")), (QSet<qint64>{may}));
    // The final sigma typed in capitals or as a middle sigma finds the word.
    EXPECT_EQ(words(QStringLiteral("ΛΟΓΑΡΙΑΣΜΟΣ")), (QSet<qint64>{bill}));
    EXPECT_EQ(words(QStringLiteral("λογαριασμοσ ρευματοσ")), (QSet<qint64>{bill}));
    // The beginning of a word finds it; the inside of a word does not.
    EXPECT_EQ(words(QStringLiteral("χαρτ")), (QSet<qint64>{paper}));
    EXPECT_EQ(words(QStringLiteral("αρτιου")), QSet<qint64>());
    // Every word must be there.
    EXPECT_EQ(words(QStringLiteral("ενοικιο ρευματος")), QSet<qint64>());
}

TEST_F(MovementSearchTest, ApostrophesAreTextAndTypedQuotesStayValues)
{
    const qint64 third = book(day(2), 20, QStringLiteral("Πληρωμή Γ' δόσης"), QStringLiteral("100"));
    const qint64 brien = book(day(2), 20, QStringLiteral("O'Brien υπηρεσίες"), QStringLiteral("40"));
    const qint64 fourth = book(day(3), 20, QStringLiteral("Δ’ δόση"), QStringLiteral("100"));

    EXPECT_EQ(words(QStringLiteral("γ'")), (QSet<qint64>{third}));
    // The curly apostrophe and the typewriter one are the same sign.
    EXPECT_EQ(words(QStringLiteral("Γ’ ΔΟΣΗΣ")), (QSet<qint64>{third}));
    EXPECT_EQ(words(QStringLiteral("δ'")), (QSet<qint64>{fourth}));
    EXPECT_EQ(words(QStringLiteral("o'brien")), (QSet<qint64>{brien}));
    EXPECT_EQ(words(QStringLiteral("δοσ")), (QSet<qint64>{third, fourth}));
    // Quotes typed in the box are only looked for, never read as SQL.
    EXPECT_EQ(words(QStringLiteral("x' OR '1'='1")), QSet<qint64>());
    EXPECT_EQ(words(QStringLiteral("'; DELETE FROM kinhseis; --")), QSet<qint64>());
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM kinhseis")), 3);
}

TEST_F(MovementSearchTest, AmountRangeTakesBothEdgesAndTheMovementsOwnAmount)
{
    const qint64 a = book(day(2), 10, QStringLiteral("Α"), QStringLiteral("10"));
    const qint64 b = book(day(2), 20, QStringLiteral("Β"), QStringLiteral("10,01"));
    const qint64 c = book(day(2), 10, QStringLiteral("Γ"), QStringLiteral("19,99"));
    const qint64 d = book(day(2), 20, QStringLiteral("Δ"), QStringLiteral("20"));
    const qint64 e = book(day(2), 10, QStringLiteral("Ε"), QStringLiteral("20,01"));
    const qint64 zero = book(day(2), 20, QStringLiteral("Μηδέν"), QStringLiteral("0"));

    EXPECT_EQ(found(amounts(1001, 2000)), (QSet<qint64>{b, c, d}));
    EXPECT_EQ(found(amounts(1000, 2001)), (QSet<qint64>{a, b, c, d, e}));
    EXPECT_EQ(found(amounts(2000, 2000)), (QSet<qint64>{d}));
    // An income's empty expense is not its amount: 0 finds only the movement of 0.
    EXPECT_EQ(found(amounts(0, 0)), (QSet<qint64>{zero}));
    Criteria upTo;
    upTo.amountTo = euros(1001);
    EXPECT_EQ(found(upTo), (QSet<qint64>{a, b, zero}));
}

TEST_F(MovementSearchTest, DayRangeIncludesBothEndsAndCodesAndChequesNarrow)
{
    QList<qint64> byDay;
    for (int d = 1; d <= 5; ++d)
        byDay << book(day(d), 10, QStringLiteral("ΗΜΕΡΑ"), QStringLiteral("1"));
    const qint64 cheque = book(day(3), 20, QStringLiteral("ΕΠΙΤΑΓΗ"), QStringLiteral("7"), true);
    const qint64 laterCheque = book(day(6), 10, QStringLiteral("ΕΠΙΤΑΓΗ"), QStringLiteral("9"), true);

    Criteria range;
    range.from = day(2);
    range.to = day(4);
    EXPECT_EQ(found(range), (QSet<qint64>{byDay[1], byDay[2], byDay[3], cheque}));
    Criteria oneDay;
    oneDay.from = oneDay.to = day(5);
    EXPECT_EQ(found(oneDay), (QSet<qint64>{byDay[4]}));

    Criteria codes;
    codes.codes = {20};
    EXPECT_EQ(found(codes), (QSet<qint64>{cheque}));
    codes.codes = {20, 10};
    EXPECT_EQ(found(codes).size(), 7);

    Criteria cheques;
    cheques.chequesOnly = true;
    EXPECT_EQ(found(cheques), (QSet<qint64>{cheque, laterCheque}));
    cheques.codes = {10};
    EXPECT_EQ(found(cheques), (QSet<qint64>{laterCheque}));
    cheques.codes.clear();
    cheques.to = day(5);
    EXPECT_EQ(found(cheques), (QSet<qint64>{cheque}));
}

TEST_F(MovementSearchTest, RowsComeByDayWithExactTotals)
{
    book(day(9), 10, QStringLiteral("ΤΕΛΟΣ"), QStringLiteral("0,10"));
    book(day(1), 10, QStringLiteral("ΑΡΧΗ"), QStringLiteral("999.999.999,99"));
    book(day(1), 20, QStringLiteral("ΑΡΧΗ ΕΞΟΔΟ"), QStringLiteral("0,20"));
    book(day(5), 20, QStringLiteral("ΜΕΣΗ"), QStringLiteral("999.999.999,99"));

    Criteria all;
    all.from = day(1);
    const search::Results r = search::findMovements(folder.main(), all);
    ASSERT_EQ(r.rows.size(), 4);
    QList<QDate> days;
    for (const search::Found &f : r.rows)
        days << f.day;
    EXPECT_EQ(days, (QList<QDate>{day(1), day(1), day(5), day(9)}));
    EXPECT_EQ(r.rows[0].description, QStringLiteral("ΑΡΧΗ"));
    EXPECT_EQ(r.income, euros(99'999'999'999) + euros(10));
    EXPECT_EQ(r.expense, euros(99'999'999'999) + euros(20));
}

TEST_F(MovementSearchTest, WordsFollowChangeAndDeleteInTheirTransaction)
{
    const qint64 aa = book(day(2), 10, QStringLiteral("ΠΡΟΚΑΤΑΒΟΛΗ ΠΕΛΑΤΗ"), QStringLiteral("50"));
    const qint64 other = book(day(2), 10, QStringLiteral("ΠΕΛΑΤΗΣ ΛΙΑΝΙΚΗΣ"), QStringLiteral("5"));
    auto wordRows = [this](qint64 n) {
        return folder.main().scalar(QStringLiteral("SELECT count(*) FROM kinhseis_lejeis WHERE aa = ?1"), n).toLongLong();
    };
    EXPECT_EQ(wordRows(aa), 2);

    messages.answerNext(msg::Answer::Ok);
    ASSERT_TRUE(ops.ChangeMovement(aa, entry(day(2), 10, QStringLiteral("50"), QStringLiteral("0"),
                                             QStringLiteral("ΕΞΟΦΛΗΣΗ ΤΙΜΟΛΟΓΙΟΥ 17"))));
    EXPECT_EQ(words(QStringLiteral("προκαταβολη")), QSet<qint64>());
    EXPECT_EQ(words(QStringLiteral("τιμολογιου 17")), (QSet<qint64>{aa}));
    EXPECT_EQ(words(QStringLiteral("πελατ")), (QSet<qint64>{other}));
    EXPECT_EQ(wordRows(aa), 3);

    // A change the user cancels writes no words either.
    messages.answerNext(msg::Answer::Cancel);
    EXPECT_FALSE(ops.ChangeMovement(aa, entry(day(2), 10, QStringLiteral("50"), QStringLiteral("0"),
                                              QStringLiteral("ΑΛΛΟ"))));
    EXPECT_EQ(words(QStringLiteral("αλλο")), QSet<qint64>());

    messages.answerNext(msg::Answer::Ok);
    ASSERT_TRUE(ops.DeleteMovement(aa));
    EXPECT_EQ(wordRows(aa), 0);
    EXPECT_EQ(words(QStringLiteral("εξοφληση")), QSet<qint64>());
}

TEST_F(MovementSearchTest, SchemaWalkMakesTheWordsOfAnOlderFileAndAFileWithoutThemIsStillSearched)
{
    const qint64 old1 = book(day(2), 10, QStringLiteral("Είσπραξη Ταμείου"), QStringLiteral("5"));
    const qint64 old2 = book(day(3), 20, QStringLiteral("Ταχυδρομικά"), QStringLiteral("3"));
    // The file as version 5 left it: no words, no search indexes.
    folder.main().executeScript(QStringLiteral("DROP TABLE kinhseis_lejeis; DROP INDEX kinhseis_esoda; "
                                               "DROP INDEX kinhseis_ejoda; DROP INDEX kinhseis_epitagh; UPDATE taytothta SET ariumos = 5;"));
    ASSERT_FALSE(movementwords::hasTable(folder.main()));
    // Bookings on it still work, and the search reads the descriptions.
    const qint64 old3 = book(day(4), 20, QStringLiteral("ταμείο μικροέξοδα"), QStringLiteral("1"));
    EXPECT_EQ(words(QStringLiteral("ταμειο")), (QSet<qint64>{old1, old3}));

    EXPECT_EQ(schemaupgrade::UpgradeSchema(folder.main(), {}), schema::CurrentVersion);
    ASSERT_TRUE(movementwords::hasTable(folder.main()));
    EXPECT_EQ(words(QStringLiteral("ΤΑΜΕΙ")), (QSet<qint64>{old1, old3}));
    EXPECT_EQ(words(QStringLiteral("ταχυδρομικα")), (QSet<qint64>{old2}));
    EXPECT_EQ(count(QStringLiteral("SELECT count(DISTINCT aa) FROM kinhseis_lejeis")), 3);
}

// A book of a few movements searched the way a large book is searched (one
// pass in day order, the words as a set) and the way a small one is (the rows
// of the narrowest criterion read whole): both give the movements listed here
// by hand, their count and sums, the latest of them when fewer are listed,
// and all of them, by day, to whoever saves or prints them.
TEST_F(MovementSearchTest, ManyRowsAndFewRowsGiveTheSameMovementsCountAndSums)
{
    struct Booked
    {
        qint64 aa;
        QDate day;
        Money income, expense;
    };
    std::vector<Booked> rows;
    auto add = [&](int d, int code, const QString &description, const QString &amount, bool cheque = false) {
        const qint64 aa = book(day(d), code, description, amount, cheque);
        const Money m = regional::parseMoney(amount).value_or(Money());
        rows.push_back({aa, day(d), code == 10 ? m : Money(), code == 10 ? Money() : m});
    };
    // Booked out of day order; day 5 holds four movements whose codes and
    // amounts sort them otherwise than their booking does.
    add(5, 20, QStringLiteral("Ενοίκιο Μαΐου"), QStringLiteral("500"));              // 0
    add(3, 10, QStringLiteral("Είσπραξη ενοικίου"), QStringLiteral("300"), true);     // 1
    add(5, 10, QStringLiteral("ΕΝΟΙΚΙΟ αποθήκης"), QStringLiteral("120"));            // 2
    add(1, 20, QStringLiteral("Αγορά (τιμ.12) χαρτιού"), QStringLiteral("12"));       // 3
    add(4, 20, QStringLiteral("ενοικιο γραφείου"), QStringLiteral("450"));            // 4
    add(5, 20, QStringLiteral("'Α' δόση ενοικίου"), QStringLiteral("75"));            // 5
    add(2, 10, QStringLiteral("Τόκοι"), QStringLiteral("10"));                        // 6
    add(5, 10, QStringLiteral("Ενοίκια καταστήματος"), QStringLiteral("999,99"));     // 7
    add(3, 20, QStringLiteral("Αγορά (τιμ.120) μελάνης"), QStringLiteral("30"), true); // 8
    add(1, 10, QStringLiteral("Οικονομικά"), QStringLiteral("300"));                  // 9

    struct Case
    {
        const char *name;
        Criteria criteria;
        QList<int> expected; // indexes into rows
    };
    auto with = [](auto fill) {
        Criteria c;
        fill(c);
        return c;
    };
    const std::vector<Case> cases = {
        {"one word", with([](Criteria &c) { c.words = QStringLiteral("ενοικ"); }), {0, 1, 2, 4, 5, 7}},
        {"two words", with([](Criteria &c) { c.words = QStringLiteral("ΕΝΟΊΚΙΟ Μ"); }), {0}},
        {"a word after an apostrophe", with([](Criteria &c) { c.words = QStringLiteral("α δοσ"); }), {5}},
        {"a term with signs", with([](Criteria &c) { c.words = QStringLiteral("(τιμ.12)"); }), {3}},
        {"a sign alone", with([](Criteria &c) { c.words = QStringLiteral("("); }), {3, 8}},
        {"words and a range of days", with([](Criteria &c) {
             c.words = QStringLiteral("ενοικ");
             c.from = day(3);
             c.to = day(4);
         }), {1, 4}},
        {"amounts and codes", with([&](Criteria &c) {
             c.amountFrom = euros(3000);
             c.amountTo = euros(30000);
             c.codes = {10};
         }), {1, 2, 9}},
        {"cheques", with([](Criteria &c) { c.chequesOnly = true; }), {1, 8}},
        {"nothing found", with([](Criteria &c) { c.words = QStringLiteral("ενοικ τοκ"); }), {}},
    };
    for (const qint64 fewRows : {search::DefaultFewRows, qint64(1)}) {
        search::setFewRows(fewRows);
        for (const Case &k : cases) {
            SCOPED_TRACE(std::string(k.name) + (fewRows == 1 ? ", many rows" : ", few rows"));
            std::vector<Booked> want;
            Money income, expense;
            for (int i : k.expected) {
                want.push_back(rows[std::size_t(i)]);
                income += rows[std::size_t(i)].income;
                expense += rows[std::size_t(i)].expense;
            }
            std::sort(want.begin(), want.end(),
                      [](const Booked &a, const Booked &b) { return a.day != b.day ? a.day < b.day : a.aa < b.aa; });
            QList<qint64> all;
            for (const Booked &b : want)
                all << b.aa;

            QList<qint64> streamed;
            search::forEachFound(folder.main(), k.criteria, [&](const search::Found &f) { streamed << f.aa; });
            EXPECT_EQ(streamed, all);
            for (const int listed : {search::ListedRows, 2}) {
                const search::Results r = search::findMovements(folder.main(), k.criteria, listed);
                EXPECT_EQ(r.count, qint64(want.size()));
                EXPECT_EQ(r.income, income);
                EXPECT_EQ(r.expense, expense);
                QList<qint64> shown;
                for (const search::Found &f : r.rows)
                    shown << f.aa;
                EXPECT_EQ(shown, all.mid(std::max<qsizetype>(0, all.size() - listed))) << "listing " << listed;
                EXPECT_EQ(r.allListed(), all.size() <= listed);
            }
        }
    }
    search::setFewRows(0);
    // The whole rows of the listed ones.
    Criteria latest;
    latest.words = QStringLiteral("ενοικ");
    const search::Results r = search::findMovements(folder.main(), latest, 1);
    ASSERT_EQ(r.rows.size(), 1);
    EXPECT_EQ(r.rows[0].description, QStringLiteral("Ενοίκια καταστήματος"));
    EXPECT_EQ(r.rows[0].day, day(5));
    EXPECT_EQ(r.rows[0].code, 10);
    EXPECT_EQ(r.rows[0].income, euros(99999));
}

TEST(MovementWords, WordsAreFoldedRunsWithoutLeadingApostrophes)
{
    EXPECT_EQ(movementwords::wordsOf(movementwords::foldedText(QStringLiteral("Πληρωμή Γ΄ ΔΌΣΗΣ (τιμ.12) 'Α' δόσης"))),
              (QStringList{QStringLiteral("πληρωμη"), QStringLiteral("γ'"), QStringLiteral("δοσησ"),
                           QStringLiteral("τιμ"), QStringLiteral("12"), QStringLiteral("α'")}));
    EXPECT_TRUE(search::descriptionMatches(QStringLiteral("αγορα (τιμ.12)"), {QStringLiteral("(τιμ.1")}));
    EXPECT_FALSE(search::descriptionMatches(QStringLiteral("αγορα τιμ.12"), {QStringLiteral("ιμ")}));
}

TEST(SearchCriteria, TypedBoxesAreReadByTheProgramsRules)
{
    const QDate today(2026, 3, 16);
    search::TypedCriteria t;
    t.amountFrom = QStringLiteral("1.234,56");
    search::ReadCriteria r = search::readCriteria(t, today);
    ASSERT_TRUE(r.criteria);
    // One amount alone is looked for exactly.
    EXPECT_EQ(r.criteria->amountFrom, Money::fromCents(123456));
    EXPECT_EQ(r.criteria->amountTo, Money::fromCents(123456));

    t.amountTo = QStringLiteral("12.5");
    r = search::readCriteria(t, today);
    EXPECT_FALSE(r.criteria);
    EXPECT_EQ(r.refusal, QStringLiteral("Το πρώτο ποσό είναι μεγαλύτερο από το δεύτερο."));

    // An amount the rule does not take is refused with its reason, never rounded.
    t.amountTo = QStringLiteral("12,345");
    r = search::readCriteria(t, today);
    EXPECT_FALSE(r.criteria);
    EXPECT_TRUE(r.refusal.startsWith(QStringLiteral("Ποσό έως: το ποσό «12,345» δεν έγινε δεκτό."))) << r.refusal.toStdString();

    search::TypedCriteria days;
    days.dateFrom = QStringLiteral("1.3.26");
    days.dateTo = QStringLiteral("31-3");
    r = search::readCriteria(days, today);
    ASSERT_TRUE(r.criteria);
    EXPECT_EQ(r.criteria->from, QDate(2026, 3, 1));
    EXPECT_EQ(r.criteria->to, QDate(2026, 3, 31));
    std::swap(days.dateFrom, days.dateTo);
    EXPECT_EQ(search::readCriteria(days, today).refusal, QStringLiteral("Η πρώτη ημερομηνία είναι μετά από τη δεύτερη."));
    days.dateFrom = QStringLiteral("31-02-2026");
    EXPECT_FALSE(search::readCriteria(days, today).criteria);

    search::TypedCriteria nothing;
    nothing.words = QStringLiteral("   ");
    EXPECT_EQ(search::readCriteria(nothing, today).refusal,
              QStringLiteral("Δώστε τουλάχιστον ένα από τα στοιχεία της αναζήτησης."));
}

} // namespace
