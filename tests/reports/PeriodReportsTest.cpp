// The cash results summary, the cheque reports, the days not closed and the
// code list, read back from the laid-out pages and checked against figures
// added up here from the rows each test inserted.
#include "PagesReading.h"
#include "ReportBook.h"
#include "platform/pages/engine.h"
#include "platform/regional/TextPad.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

using namespace pagesreading;
using regional::formatDate;

namespace {

QString str(const char *text) { return QString::fromUtf8(text); }
const QString &str(const QString &text) { return text; }
// A row of cells from literals and computed texts alike.
template <typename... T> QStringList cells(const T &...texts) { return QStringList{str(texts)...}; }

class PeriodReports : public ::testing::Test
{
protected:
    static QDate day(int d, int m = 3) { return ReportBook::day(d, m); }
    static QString amount(qint64 cents) { return ReportBook::amount(cents); }

    const pages::Document &doc() const { return book.doc(); }
    static QString titled(const char *words) { return str(words) + str("   ") + ReportBook::Caption; }

    ReportBook book;
    ScriptedMessages messages;
};

// ------------------------------------------------------------ cash results

TEST_F(PeriodReports, CashResultsListNewestDayFirstAndEndWithTheResultOfThePeriod)
{
    struct Day { QDate d; qint64 in, out, balance; };
    const QList<Day> days = {{day(2), 100050, 20025, 500000}, {day(3), 0, 30000, 470000},
                             {day(5), 12345, 250000, 232345}};
    for (const Day &d : days)
        book.addDay(d.d, d.in, d.out, d.balance);
    book.addDay(day(28, 2), 99900, 0, 100);   // outside the range
    book.addDay(day(7), 11100, 0, 100);

    EXPECT_TRUE(book.run(3, day(1), day(6), {}, {}, str("1-3-26")).complete());

    EXPECT_EQ(header(doc()), titled("Αποτελέσματα ταμείου συνοπτικά από 1-3-26 έως 06-03-2026"));
    EXPECT_EQ(heading(doc()), cells("α/α", "Έσοδα", "Έξοδα", "Υπόλοιπο", "Ημερομηνία"));
    const auto r = rows(doc());
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0], cells("1", amount(12345), amount(250000), amount(232345), "05-03-2026"));
    EXPECT_EQ(r[1], cells("2", "0", amount(30000), amount(470000), "03-03-2026"));  // zero shows "0"
    EXPECT_EQ(r[2], cells("3", amount(100050), amount(20025), amount(500000), "02-03-2026"));
    qint64 in = 0, out = 0;
    for (const Day &d : days)
        in += d.in, out += d.out;
    EXPECT_EQ(r[3], cells("Σύνολα", amount(in), amount(out), amount(in - out), ""));
    EXPECT_TRUE(amount(in - out).startsWith(u'-'));
    EXPECT_TRUE(rowShade(doc(), 1, 1).isValid());   // shading starts on the first row
    EXPECT_FALSE(rowShade(doc(), 1, 2).isValid());
    EXPECT_FALSE(rowShade(doc(), 1, 4).isValid());  // the totals row has none
}

TEST_F(PeriodReports, CashResultsOfAnEmptyRangeShowTheHeadingAndZeroTotals)
{
    book.addDay(day(2), 100, 0, 100);
    book.run(3, day(10), day(20));
    EXPECT_EQ(heading(doc()).size(), 5);
    const auto r = rows(doc());
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0], cells("Σύνολα", "0", "0", "0", ""));
}

// A book that cannot be read is a failure, said in a box and on the pages,
// never a complete report of zeros.
TEST_F(PeriodReports, CashResultsOverAnUnreadableBookSayTheyAreIncomplete)
{
    book.addDay(day(2), 100, 0, 100);
    book.folder.main().execute(str("DROP TABLE tameio"));
    messages.clear();
    EXPECT_EQ(book.run(3, day(1), day(6)).outcome, reports::ReportResult::Outcome::Failed);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().icon, msg::Icon::Critical);
    EXPECT_TRUE(bodyTexts(doc()).join(u' ').contains(reports::incompleteNotice()));
    for (const QStringList &row : rows(doc()))
        EXPECT_FALSE(row.contains(str("Σύνολα")));
}

// ----------------------------------------------------------------- cheques

class ChequeReports : public PeriodReports
{
protected:
    ChequeReports()
    {
        book.folder.addCode(10, QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), true);
        book.folder.addCode(20, QStringLiteral("ΠΛΗΡΩΜΕΣ"), false);
    }
    void cheque(const QDate &d, int code, qint64 in, qint64 out, std::optional<qint64> memo,
                const QString &text = QStringLiteral("ΕΠΙΤΑΓΗ"))
    {
        book.add({code, d, text, in, out, memo, true});
    }
};

TEST_F(ChequeReports, ChequeListShowsEachChequeNewestFirstAndTheDifferenceInTheDescriptionColumn)
{
    const QString hostile = QStringLiteral("Ο' or '1'='1 \"Παπαδόπουλος\"");
    cheque(day(2), 10, 150000, 0, 0);                 // memo 0: blank; expense 0: "0"
    cheque(day(4), 20, 0, 70025, 12050, hostile);
    cheque(day(4), 10, 3000, 0, std::nullopt);        // a missing memo counts as 0
    book.add({10, day(3), QStringLiteral("ΜΕΤΡΗΤΑ"), 999900, 0, 500, false});   // not a cheque
    cheque(day(9), 10, 100, 0, 100);                  // outside the range

    book.run(7, day(1), day(8));   // Ervthsh answers "Αναλυτικά"

    EXPECT_EQ(book.answers.asked, 1);
    EXPECT_EQ(header(doc()), titled("Εκτύπωση επιταγών από 01-03-2026 έως 08-03-2026"));
    EXPECT_EQ(book.engine.MarginLeft(), 283);   // 0.5cm
    EXPECT_EQ(book.engine.MarginTop(), 283);
    EXPECT_EQ(heading(doc()),
              cells("α/α", "Ημερ/νια", "Κωδ.", "Περιγραφή", "Λ τάξεως", "Εσοδα", "Εξοδα"));
    const auto r = rows(doc());
    ASSERT_EQ(r.size(), 4u);
    // 2026-03-04 is a Wednesday ("Τετ"), 2026-03-02 a Monday ("Δευ").
    EXPECT_EQ(r[0], cells("1", "Τε 04-03-2026", "10", "ΕΠΙΤΑΓΗ", "", amount(3000), "0"));
    EXPECT_EQ(r[1], cells("2", "Τε 04-03-2026", "20", hostile, amount(12050), "0", amount(70025)));
    EXPECT_EQ(r[2], cells("3", "Δε 02-03-2026", "10", "ΕΠΙΤΑΓΗ", "", amount(150000), "0"));
    const qint64 in = 150000 + 3000, out = 70025, memo = 12050;
    EXPECT_EQ(r[3], cells("", "", "", str("Διαφορά = ") + amount(in - out), amount(memo), amount(in), amount(out)));
}

// Within a day the list goes by code, and one code's cheques keep the order
// they were booked in, whatever their amounts.
TEST_F(ChequeReports, ChequeListOrdersADayByCodeThenByBooking)
{
    cheque(day(5), 20, 100, 0, 0);
    cheque(day(5), 10, 1000, 0, 0);
    cheque(day(5), 10, 9000, 0, 0);
    cheque(day(5), 10, 0, 500, 0);
    cheque(day(5), 10, 5000, 0, 0);
    cheque(day(6), 20, 50, 0, 0);

    book.run(7, day(1), day(8));

    const auto r = rows(doc());
    ASSERT_EQ(r.size(), 7u);
    const QList<std::pair<const char *, qint64>> expected = {{"20", 50},  {"10", 1000}, {"10", 9000},
                                                             {"10", 0},   {"10", 5000}, {"20", 100}};
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(r[i][2], str(expected[i].first)) << "row " << i + 1;
        EXPECT_EQ(r[i][5], expected[i].second ? amount(expected[i].second) : str("0")) << "row " << i + 1;
    }
    EXPECT_EQ(r[3][6], amount(500));
}

// A book edited by hand may hold negative amounts. The list's amount columns
// are sized for the largest figure they can print, its minus sign included:
// a total of nineteen characters is drawn whole in the report's own size
// rather than shrunk into a column sized without its sign.
TEST_F(ChequeReports, ChequeListSizesItsColumnsForNegativeTotals)
{
    constexpr qint64 Largest = 99999999999;   // 999.999.999,99
    book.folder.main().execute(QStringLiteral("BEGIN"));
    for (int i = 0; i < 110; ++i)
        cheque(day(3), 10, -Largest, 0, -Largest);
    cheque(day(3), 20, 1, 0, 0);
    book.folder.main().execute(QStringLiteral("COMMIT"));

    ASSERT_TRUE(book.run(7, day(1), day(8)).complete());

    qint64 income = 0, memo = 0;
    for (const ReportBook::Move &m : book.moves)
        income += m.incomeCents, memo += *m.memoCents;
    ASSERT_EQ(amount(income).size(), 19) << "a total of twelve digits with its sign";
    const auto r = rows(doc());
    ASSERT_EQ(r.size(), 112u);
    EXPECT_EQ(r.back()[4], amount(memo));
    EXPECT_EQ(r.back()[5], amount(income));
    int amounts = 0;
    for (const pages::Page &page : doc().pages)
        for (const pages::PageItem &item : page.items)
            if (item.kind == pages::ItemKind::Text && item.role == pages::ItemRole::TableCell && item.column >= 4) {
                ++amounts;
                EXPECT_EQ(item.font.size, 10.0) << item.text.toStdString();
            }
    EXPECT_GE(amounts, 3 * 112);
}

TEST_F(ChequeReports, ChequeSummaryHasOneRowPerDayAndAmountsWithTheMemoSum)
{
    cheque(day(3), 10, 5000, 0, 1000);
    cheque(day(3), 10, 5000, 0, std::nullopt);    // same day and amounts: one row, NULL adds 0
    cheque(day(3), 10, 5000, 0, 2500);
    cheque(day(3), 10, 7000, 0, 0);               // another income amount: a row of its own
    cheque(day(6), 20, 0, 1234, 123456789);       // Friday
    book.add({10, day(3), QStringLiteral("ΜΕΤΡΗΤΑ"), 5000, 0, 777, false});  // not a cheque

    book.answers.printChoice.analytic = false;
    book.run(7, day(1), day(8));

    EXPECT_EQ(header(doc()), titled("Εκτύπωση επιταγών συνοπτικά από 01-03-2026 έως 08-03-2026"));
    EXPECT_EQ(heading(doc()), cells("α/α", "Ημερ/νια", "Σύνολο LT"));
    const auto r = rows(doc());
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0], cells("1", "Τρ 03-03-2026", amount(1000 + 2500)));
    EXPECT_EQ(r[1], cells("2", "Τρ 03-03-2026", ""));
    EXPECT_EQ(r[2], cells("3", "Πα 06-03-2026", amount(123456789)));
    // The sum is right-aligned in eleven characters; a longer one is not cut.
    const pages::PageItem *small = doc().page(1)->findTextContaining(amount(3500));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->text, regional::PadLeft(amount(3500), 11));
    EXPECT_NE(doc().page(1)->findText(str("1.234.567,89")), nullptr);
}

TEST_F(ChequeReports, AnEmptyRangePrintsOnlyTheOneLineMessage)
{
    cheque(day(20), 10, 100, 0, 0);
    book.add({10, day(3), QStringLiteral("ΜΕΤΡΗΤΑ"), 5000, 0, 0, false});   // not a cheque
    for (bool analytic : {true, false}) {
        book.answers.printChoice.analytic = analytic;
        book.run(7, day(1), day(8));
        EXPECT_EQ(doc().tableCount(), 0);
        EXPECT_EQ(bodyTexts(doc()).join(u' ').trimmed(),
                  QStringLiteral("Δεν υπάρχουν καταχωρήσεις επιταγών στο παραπάνω διάστημα"));
    }
}

// ---------------------------------------------------------- days not closed

TEST_F(PeriodReports, DaysNotClosedListsTheOpenDaysBeforeTheEndDay)
{
    for (int d : {1, 3})
        book.folder.closeDay(day(d));
    book.folder.closeDay(day(27, 2));
    book.folder.closeDay(day(10));

    book.run(9, day(1), day(5));

    EXPECT_EQ(header(doc()), titled("Ταμεία που δεν έχουν κλήσει "));
    EXPECT_EQ(heading(doc()), cells("AA", "Ημερομηνία", "Ημ. εβδομάδος"));
    // 01-03 to 04-03 are examined; 05-03, the end day, is not.
    const auto r = rows(doc());
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], cells("1", "02-03-2026", "Δευτέρα"));
    EXPECT_EQ(r[1], cells("2", "04-03-2026", "Τετάρτη"));
    EXPECT_EQ(rowShade(doc(), 1, 1), QColor(220, 230, 190));
    EXPECT_FALSE(rowShade(doc(), 1, 2).isValid());
}

TEST_F(PeriodReports, DaysNotClosedOutsideTheClosedDaysGiveOneDatedLine)
{
    book.folder.closeDay(day(2));
    book.folder.closeDay(day(4));
    struct Case { QDate start, end; QString line; };
    const QList<Case> cases = {
        {day(1), day(9), QStringLiteral("Τελευταία ημερομηνία ταμείου 04-03-2026")},
        {day(1), day(4), QStringLiteral("Πρώτη ημερομηνία ταμείου 02-03-2026")},
    };
    for (const Case &c : cases) {
        book.run(9, c.start, c.end);
        EXPECT_EQ(doc().tableCount(), 0);
        EXPECT_EQ(bodyTexts(doc()).join(u' ').trimmed(), c.line);
    }
}

TEST_F(PeriodReports, DaysNotClosedWithNoClosedDayListsEveryDay)
{
    book.run(9, day(1), day(4));
    EXPECT_GE(doc().pageCount(), 1);
    const auto r = rows(doc());
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0], cells("1", "01-03-2026", "Κυριακή"));
    EXPECT_EQ(r[2], cells("3", "03-03-2026", "Τρίτη"));
}

// ---------------------------------------------------------------- code list

TEST_F(PeriodReports, CodeListInEachOrderWithOrWithoutTheInactiveCodes)
{
    const int z = book.folder.addGroup(QStringLiteral("ΤΡΑΠΕΖΕΣ"));  // number 1, last by name
    const int a = book.folder.addGroup(QStringLiteral("αγορές"));    // number 2, first by name
    book.folder.addCode(30, QStringLiteral("ΕΝΟΙΚΙΟ"), false, z);
    book.folder.addCode(10, QStringLiteral("Ωράριο"), true, a);
    book.folder.addCode(20, QStringLiteral("ΒΕΝΖΙΝΗ"), false, z, false);   // inactive
    book.folder.addCode(40, QStringLiteral("άδεια"), false, a);

    using Sort = reports::SortChoice;
    struct Case { int order; bool active; QList<int> codes; };
    const QList<Case> cases = {
        {Sort::ByCode, false, {10, 20, 30, 40}},
        {Sort::ByCode, true, {10, 30, 40}},
        {Sort::ByDescription, false, {40, 20, 30, 10}},
        {Sort::ByGroup, false, {10, 40, 20, 30}},
        {Sort::ByGroup, true, {10, 40, 30}},
    };
    for (const Case &c : cases) {
        book.answers.sortChoice = {c.order, c.active};
        book.run(2, day(1), day(1));
        EXPECT_EQ(header(doc()), titled("Κωδικοί κίνησης"));
        EXPECT_EQ(heading(doc()), cells("α/α", "Κωδ.", "Περιγραφή", "Ομάδα"));
        QList<int> codes;
        const auto r = rows(doc());
        for (size_t i = 0; i < r.size(); ++i) {
            EXPECT_EQ(r[i][0], QString::number(i + 1));
            codes << r[i][1].toInt();
        }
        EXPECT_EQ(codes, c.codes) << int(c.order) << c.active;
    }
    book.answers.sortChoice = {Sort::ByCode, false};
    book.run(2, day(1), day(1));
    EXPECT_EQ(rows(doc())[0], cells("1", "10", "Ωράριο", "αγορές"));
}

TEST_F(PeriodReports, CodeListWithoutCodesEndsWithTheHeading)
{
    book.answers.sortChoice = {reports::SortChoice::ByCode, true};
    book.run(2, day(1), day(1));
    EXPECT_EQ(doc().pageCount(), 1);
    EXPECT_EQ(heading(doc()).size(), 4);
    EXPECT_TRUE(rows(doc()).empty());
}

} // namespace
