// Movements by code (analytic and summary) and by group, read back from the
// laid-out pages and checked against sums made here from the inserted rows.
#include "PagesReading.h"
#include "ReportBook.h"
#include "platform/pages/engine.h"
#include "platform/regional/TextPad.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace pagesreading;

namespace {

QString str(const char *text) { return QString::fromUtf8(text); }
const QString &str(const QString &text) { return text; }
template <typename... T> QStringList cells(const T &...texts) { return QStringList{str(texts)...}; }

QString blank(qint64 cents) { return ReportBook::zeroAsBlank(cents); }

class MovementReports : public ::testing::Test
{
protected:
    using Move = ReportBook::Move;

    MovementReports()
    {
        sales = book.folder.addGroup(QStringLiteral("ΠΩΛΗΣΕΙΣ"));     // number 1, after "ΕΞΟΔΑ" by name
        costs = book.folder.addGroup(QStringLiteral("ΕΞΟΔΑ"));
        book.folder.addCode(10, QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), true, sales);
        book.folder.addCode(20, QStringLiteral("ΑΓΟΡΕΣ"), false, costs);
        book.folder.addCode(30, QStringLiteral("ΤΟΚΟΙ"), true, sales);
    }

    static QDate day(int d) { return ReportBook::day(d); }

    // The movements of the range (01-03 to 10-03) for the selected codes,
    // in the report's order: by code, newest day first, then as inserted.
    QList<Move> expectedByCode(const std::function<bool(const Move &)> &selected = {}) const
    {
        QList<Move> out;
        for (const Move &m : book.moves)
            if (m.day >= day(1) && m.day <= day(10) && (!selected || selected(m)))
                out << m;
        std::stable_sort(out.begin(), out.end(), [](const Move &a, const Move &b) {
            return a.code != b.code ? a.code < b.code : a.day > b.day;
        });
        return out;
    }

    bool byCode(const QList<qint64> &codes, bool analytic = true)
    {
        book.answers.printChoice.analytic = analytic;
        return book.run(4, day(1), day(10), codes).complete();
    }

    bool byGroup(const QList<qint64> &groups) { return book.run(5, day(1), day(10), {}, groups).complete(); }

    void addTypicalMonth()
    {
        book.add({10, day(2), QStringLiteral("ΤΑΜΕΙΑΚΗ 1"), 120050, 0, 0});
        book.add({20, day(2), QStringLiteral("ΧΑΡΤΙΚΑ"), 0, 4520, 1000});
        book.add({10, day(5), QStringLiteral("  ΤΑΜΕΙΑΚΗ 2  "), 35000, 0, std::nullopt});
        book.add({30, day(6), QStringLiteral("ΤΟΚΟΙ ΜΑΡΤΙΟΥ"), 1234, 0, 0});
        book.add({20, day(9), QStringLiteral("ΕΝΟΙΚΙΟ"), 0, 200000, 0});
        book.add({10, day(10), QStringLiteral("ΤΑΜΕΙΑΚΗ 3"), 5000, 0, 250});
        book.add({10, day(11), QStringLiteral("ΕΚΤΟΣ"), 777700, 0, 0});   // after the range
        book.add({20, day(1), QStringLiteral("ΑΡΧΗ"), 0, 100, 0});       // first day of the range
    }

    const pages::Document &doc() const { return book.doc(); }

    ReportBook book;
    ScriptedMessages messages;
    int sales = 0, costs = 0;
};

struct Sums
{
    qint64 memo = 0, in = 0, out = 0;
    void add(const ReportBook::Move &m) { memo += m.memoCents.value_or(0), in += m.incomeCents, out += m.expenseCents; }
};

TEST_F(MovementReports, AnalyticByCodeHasTheCodeOnItsFirstRowAndASubtotalAtEachChangeOfCode)
{
    addTypicalMonth();
    ASSERT_TRUE(byCode({}));   // none selected: every code

    EXPECT_EQ(header(doc()),
              str("Σύνολο κινήσεων  με επιλογή κωδικού από 01-03-2026 έως 10-03-2026   ") + ReportBook::Caption);
    EXPECT_EQ(heading(doc()), cells("α/α", "Κωδ.", "Ημερ/νια", "Περιγραφή", "Λ τάξεως", "Έσοδο", "Έξοδο"));

    // Build the rows a reader expects from the inserted movements.
    std::vector<QStringList> want;
    Sums total, sub;
    int counter = 0;
    const QList<Move> moves = expectedByCode();
    for (qsizetype i = 0; i < moves.size(); ++i) {
        const Move &m = moves[i];
        const bool first = i == 0 || moves[i - 1].code != m.code;
        const QString lista = regional::PadLeft(QString::number(m.code), 5) + u' '
                              + (m.code == 10 ? str("ΕΙΣΠΡΑΞΕΙΣ") : m.code == 20 ? str("ΑΓΟΡΕΣ") : str("ΤΟΚΟΙ"));
        want.push_back(cells(QString::number(++counter), first ? lista.trimmed() : QString(),
                             regional::formatDate(m.day), m.description.trimmed(), blank(m.memoCents.value_or(0)),
                             blank(m.incomeCents), blank(m.expenseCents)));
        sub.add(m);
        total.add(m);
        if (i + 1 == moves.size() || moves[i + 1].code != m.code) {
            want.push_back(cells("", "", "", "Υποσύνολο", blank(sub.memo), blank(sub.in), blank(sub.out)));
            sub = Sums();
        }
    }
    want.push_back(cells("", "", "", "Σύνολα", blank(total.memo), blank(total.in), blank(total.out)));
    want.push_back(cells("", "", "Διαφορά", ReportBook::amount(total.in - total.out), "", "", ""));

    const auto r = rows(doc());
    EXPECT_EQ(r, want);
    // Spot checks that do not rely on the loop above.
    ASSERT_GE(r.size(), 3u);
    EXPECT_EQ(r[0], cells("1", "10 ΕΙΣΠΡΑΞΕΙΣ", "10-03-2026", "ΤΑΜΕΙΑΚΗ 3", "2,50", "50,00", ""));
    EXPECT_EQ(r[1][1], QString());
    EXPECT_EQ(r[1][3], str("ΤΑΜΕΙΑΚΗ 2"));         // trimmed; its missing memo is blank
    EXPECT_EQ(r[1][4], QString());
    EXPECT_EQ(r.back()[3], str("-433,36"));         // 1.612,84 - 2.046,20
    EXPECT_EQ(rowTextColour(doc(), 1, int(r.size())), QColor(Qt::red));
    EXPECT_EQ(rowTextColour(doc(), 1, int(r.size()) - 1), QColor(Qt::black));
}

TEST_F(MovementReports, DifferenceIsBlackWhenNotNegative)
{
    book.add({10, day(3), QStringLiteral("Α"), 100, 0, 0});
    book.add({20, day(3), QStringLiteral("Β"), 0, 100, 0});
    for (bool analytic : {true, false}) {
        byCode({}, analytic);
        const auto r = rows(doc());
        ASSERT_FALSE(r.empty());
        EXPECT_TRUE(r.back().join(u'|').contains(str("0,00"))) << r.back().join(u'|').toStdString();
        EXPECT_EQ(rowTextColour(doc(), 1, int(r.size())), QColor(Qt::black));
    }
}

TEST_F(MovementReports, SumsAreExactToTheCentBeyondSinglePrecision)
{
    // 16.777.216,01 has no single-precision value: the old memo sums lost the cent.
    book.add({10, day(3), QStringLiteral("Α"), 1677721601, 0, 1677721601});
    book.add({10, day(4), QStringLiteral("Β"), 1, 0, 1});
    book.add({20, day(4), QStringLiteral("Γ"), 0, 10, 10});
    byCode({});
    auto r = rows(doc());
    ASSERT_GE(r.size(), 2u);
    // A bold eight-digit amount is wider than its 1250-twip column and wraps;
    // read the figure across the wrap.
    for (QStringList &row : r)
        row.replaceInStrings(str(" "), QString());
    EXPECT_EQ(r[r.size() - 2], cells("", "", "", "Σύνολα", "16.777.216,12", "16.777.216,02", "0,10"));
    EXPECT_EQ(r.back()[3], str("16.777.215,92"));
}

TEST_F(MovementReports, SummaryByCodeHasOneRowPerCodeWithItsSums)
{
    addTypicalMonth();
    ASSERT_TRUE(byCode({10, 20}, false));

    EXPECT_EQ(heading(doc()), cells("α/α", "Κωδικος", "Λ τάξεως", "Έσοδο", "Έξοδο"));
    Sums s10, s20;
    for (const Move &m : expectedByCode())
        (m.code == 10 ? s10 : m.code == 20 ? s20 : *new Sums).add(m);  // code 30 is not selected
    const auto r = rows(doc());
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0], cells("1", "   10 ΕΙΣΠΡΑΞΕΙΣ", blank(s10.memo), blank(s10.in), blank(s10.out)).replaceInStrings(
                        str("   10"), str("10")));
    EXPECT_EQ(r[1], cells("2", "20 ΑΓΟΡΕΣ", blank(s20.memo), blank(s20.in), blank(s20.out)));
    EXPECT_EQ(r[2], cells("", "Σύνολα", blank(s10.memo + s20.memo), blank(s10.in + s20.in), blank(s10.out + s20.out)));
    EXPECT_EQ(r[3][1], str("Διαφορά  ") + ReportBook::amount(s10.in + s20.in - s10.out - s20.out));
}

TEST_F(MovementReports, OnlyTheSelectedCodesOrGroupsAreReported)
{
    addTypicalMonth();
    byCode({20});
    QStringList codes;
    for (const QStringList &row : rows(doc()))
        codes << row[1];
    EXPECT_EQ(codes.filter(str("ΕΙΣΠΡΑΞΕΙΣ")).size(), 0);
    EXPECT_EQ(codes.filter(str("ΑΓΟΡΕΣ")).size(), 1);

    byGroup({costs});
    for (const QStringList &row : rows(doc()))
        EXPECT_TRUE(row[1].isEmpty() || row[1] == str("ΕΞΟΔΑ")) << row[1].toStdString();
}

TEST(MovementReportsWithoutCodes, EmptyListsShowTheMessageAndBuildNoDocument)
{
    // The reports tab lists every code and group of the store; here there are none.
    ReportBook empty;
    ScriptedMessages messages;
    empty.run(4, ReportBook::day(1), ReportBook::day(10));
    empty.run(5, ReportBook::day(1), ReportBook::day(10));
    EXPECT_EQ(messages.texts(), QStringList({str("Δεν υπάρχουν κωδικοί για την εκτύπωση"),
                                             str("Δεν υπάρχουν ομάδες για την εκτύπωση")}));
    EXPECT_EQ(messages.last().icon, msg::Icon::Critical);
    EXPECT_EQ(messages.last().title, str("Προσοχή"));
    EXPECT_EQ(empty.doc().pageCount(), 0);
}

TEST_F(MovementReports, AnEmptyRangeSaysNoRecordsFound)
{
    book.add({10, day(20), QStringLiteral("ΑΛΛΟΤΕ"), 100, 0, 0});
    byCode({});
    EXPECT_TRUE(rows(doc()).empty());
    EXPECT_EQ(heading(doc()).size(), 7);
    EXPECT_EQ(bodyTexts(doc()).join(u' ').trimmed(), str("Δεν βρέθηκαν εγγραφές"));
    byGroup({});
    EXPECT_EQ(bodyTexts(doc()).join(u' ').trimmed(), str("Δεν βρέθηκαν εγγραφές"));
}

TEST_F(MovementReports, ByGroupIsLandscapeWithASubtotalAtEachChangeOfGroup)
{
    addTypicalMonth();
    // Two movements alike in every field: both are money and both count.
    book.add({20, day(4), QStringLiteral("ΚΑΦΕΔΕΣ"), 0, 350, 0});
    book.add({20, day(4), QStringLiteral("ΚΑΦΕΔΕΣ"), 0, 350, 0});
    ASSERT_TRUE(byGroup({}));

    EXPECT_EQ(header(doc()),
              str("Σύνολο κινήσεων  με επιλογή ομάδας από 01-03-2026 έως 10-03-2026   ") + ReportBook::Caption);
    EXPECT_EQ(heading(doc()), cells("α/α", "Ομάδα", "Κωδ.", "Ημερ/νια", "Περιγραφή", "Έσοδο", "Έξοδο", "Λ ταξ"));
    EXPECT_EQ(book.engine.Orientation(), 1);
    EXPECT_EQ(book.engine.MarginLeft(), 1400);
    EXPECT_GT(doc().page(1)->size.width(), doc().page(1)->size.height());

    // Groups by name: ΕΞΟΔΑ (code 20) before ΠΩΛΗΣΕΙΣ (codes 10 and 30).
    std::vector<QStringList> want;
    Sums total;
    int counter = 0;
    for (const QString &group : {str("ΕΞΟΔΑ"), str("ΠΩΛΗΣΕΙΣ")}) {
        Sums sub;
        for (const Move &m : expectedByCode([&](const Move &m) { return (m.code == 20) == (group == str("ΕΞΟΔΑ")); })) {
            want.push_back(cells(QString::number(++counter), group, QString::number(m.code),
                                 regional::formatDate(m.day), m.description.trimmed(), blank(m.incomeCents),
                                 blank(m.expenseCents), blank(m.memoCents.value_or(0))));
            sub.add(m);
            total.add(m);
        }
        want.push_back(cells("", "", "", "", "Υποσύνολο", blank(sub.in), blank(sub.out), blank(sub.memo)));
    }
    want.push_back(cells("", "", "", "", "Σύνολα", blank(total.in), blank(total.out), blank(total.memo)));
    EXPECT_EQ(rows(doc()), want);
    EXPECT_EQ(rows(doc())[1][6], str("3,50"));
    EXPECT_EQ(rows(doc())[2][6], str("3,50"));
}

TEST_F(MovementReports, AStoppedReportKeepsWhatWasBuiltAndSaysItIsIncomplete)
{
    book.folder.main().begin();
    for (int i = 0; i < 300; ++i)
        book.add({10 + 10 * (i % 3), day(1 + i % 10), QStringLiteral("ΓΡΑΜΜΗ %1").arg(i), 100, 0, 0});
    book.folder.main().commit();
    for (int report : {4, 5}) {
        int calls = 0;
        qint64 lastDone = 0;
        book.progress = [&](qint64 done, qint64) {
            lastDone = done;
            return ++calls < 2;   // the user presses "Διακοπή" at the second report
        };
        EXPECT_EQ(book.run(report, day(1), day(10)).outcome, reports::ReportResult::Outcome::Stopped);
        const auto r = rows(doc());
        EXPECT_GE(r.size(), size_t(lastDone));
        EXPECT_LT(r.size(), 300u);
        for (const QStringList &row : r)
            EXPECT_FALSE(row.contains(str("Σύνολα"))) << report;   // no partial totals pass for whole ones
        EXPECT_TRUE(bodyTexts(doc()).join(u' ').contains(reports::incompleteNotice())) << report;
        EXPECT_FALSE(book.engine.isDocOpen());
    }
}

TEST_F(MovementReports, HostileDescriptionsArePrintedAsTypedAndDoNotChangeTheQuery)
{
    const QStringList hostile = {str("Ο'Κόνορ"), str("' or '1'='1"), str("x'); DROP TABLE kinhseis; --")};
    for (const QString &text : hostile)
        book.add({10, day(3), text, 100, 0, 0});
    byCode({});
    QStringList printed;
    for (const QStringList &row : rows(doc()))
        printed << row[3];
    for (const QString &text : hostile)
        EXPECT_TRUE(printed.contains(text)) << text.toStdString();
    EXPECT_EQ(book.folder.main().scalar(str("SELECT COUNT(*) FROM kinhseis")).toInt(), 3);
}

} // namespace

// A book edited by hand may hold a movement without a group number or without
// a code. The reports read group and code pairs from an index; such a movement
// is still printed where its fields put it, once, and counted in the sums.
TEST_F(MovementReports, MovementsWithoutAGroupNumberOrACodeAreReportedOnce)
{
    addTypicalMonth();
    book.add({10, day(3), QStringLiteral("ΠΡΩΤΗ ΤΗΣ ΤΡΙΤΗΣ"), 100, 0, 0});
    book.add({10, day(3), QStringLiteral("ΧΩΡΙΣ ΟΜΑΔΑ"), 700, 0, 0});
    book.add({10, day(3), QStringLiteral("ΤΡΙΤΗ ΤΗΣ ΤΡΙΤΗΣ"), 300, 0, 0});
    book.add({20, day(4), QStringLiteral("ΧΩΡΙΣ ΚΩΔΙΚΟ"), 0, 900, 0});
    book.folder.main().execute(QStringLiteral("UPDATE kinhseis SET aa_omada = NULL WHERE perigrafh = 'ΧΩΡΙΣ ΟΜΑΔΑ'"));
    book.folder.main().execute(QStringLiteral("UPDATE kinhseis SET kvdikos = NULL WHERE perigrafh = 'ΧΩΡΙΣ ΚΩΔΙΚΟ'"));
    auto withDescription = [&](const char *description) {
        int found = 0;
        for (const QStringList &row : rows(doc()))
            found += row.contains(str(description)) ? 1 : 0;
        return found;
    };
    Sums code10;
    for (const Move &m : expectedByCode([](const Move &m) { return m.code == 10; }))
        code10.add(m);

    // By code: the movement without a group is under its code; the one
    // without a code has no code to be listed under.
    ASSERT_TRUE(byCode({10}));
    EXPECT_EQ(withDescription("ΧΩΡΙΣ ΟΜΑΔΑ"), 1);
    // Newest day first and, within a day, as booked, whatever group number
    // each movement carries.
    QStringList printed, wanted;
    for (const QStringList &row : rows(doc()))
        if (!row[0].isEmpty())
            printed << row[3];
    for (const Move &m : expectedByCode([](const Move &m) { return m.code == 10; }))
        wanted << m.description.trimmed();
    EXPECT_EQ(printed, wanted);
    EXPECT_EQ(printed.mid(printed.indexOf(str("ΠΡΩΤΗ ΤΗΣ ΤΡΙΤΗΣ")), 3),
              QStringList({str("ΠΡΩΤΗ ΤΗΣ ΤΡΙΤΗΣ"), str("ΧΩΡΙΣ ΟΜΑΔΑ"), str("ΤΡΙΤΗ ΤΗΣ ΤΡΙΤΗΣ")}));
    EXPECT_EQ(rows(doc()).at(rows(doc()).size() - 2)[5], blank(code10.in));
    ASSERT_TRUE(byCode({}, false));
    EXPECT_EQ(rows(doc())[0][3], blank(code10.in));

    // By group: the movement without a code stays in its group ΕΞΟΔΑ, first
    // of the group as the query once ordered it; the one without a group is
    // in no group.
    ASSERT_TRUE(byGroup({}));
    EXPECT_EQ(withDescription("ΧΩΡΙΣ ΟΜΑΔΑ"), 0);
    const auto r = rows(doc());
    ASSERT_FALSE(r.empty());
    EXPECT_EQ(r[0][4], str("ΧΩΡΙΣ ΚΩΔΙΚΟ"));
    EXPECT_EQ(r[0][1], str("ΕΞΟΔΑ"));
    Sums costsSum;
    for (const Move &m : expectedByCode([](const Move &m) { return m.code == 20; }))
        costsSum.add(m);
    const auto subtotal = std::find_if(r.begin(), r.end(), [](const QStringList &row) { return row[4] == str("Υποσύνολο"); });
    ASSERT_NE(subtotal, r.end());
    EXPECT_EQ((*subtotal)[6], blank(costsSum.out));   // the movement without a code included
}
