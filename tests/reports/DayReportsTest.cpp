#include "cashbook/CashBookFixture.h"
#include "platform/pages/engine.h"
#include "reports/PageFrame.h"
#include "reports/ReportCatalog.h"
#include "reports/ReportRunner.h"

#include <QTemporaryDir>

using namespace reports;

namespace {

// One movement as the test inserted it, to compute what the pages must show.
struct Booked
{
    QDate day;
    int code;
    qint64 incomeCents;
    qint64 expenseCents;
};

QString cents(qint64 c) { return regional::formatMoney(Money::fromCents(c)); }
QString centsOrZero(qint64 c) { return c == 0 ? QStringLiteral("0") : cents(c); }

class DayReportsTest : public CashBookFixture
{
protected:
    void book(const QDate &d, int code, qint64 incomeCents, qint64 expenseCents)
    {
        insert(d, code, cents(incomeCents), cents(expenseCents));
        booked.push_back({d, code, incomeCents, expenseCents});
    }
    // Balance at the end of a day, from the booked rows only.
    qint64 balanceCents(const QDate &upTo) const
    {
        qint64 sum = 0;
        for (const Booked &b : booked)
            if (b.day <= upTo)
                sum += b.incomeCents - b.expenseCents;
        return sum;
    }

    ReportResult run(int number, const QDate &from, const QDate &to)
    {
        input.fromText = regional::formatDate(from);
        input.toText = regional::formatDate(to);
        input.from = from;
        input.to = to;
        input.headerCaption = QStringLiteral("Κεντρικό");
        input.title = QStringLiteral(" Ταμείο ημέρας");
        input.answers = askQuestions(number, answers, folder.store(), input);
        return runReport(number, engine, folder.store(), input);
    }
    const pages::Document &doc() const { return engine.document(); }
    QStringList bodyTexts() const
    {
        QStringList all;
        for (const pages::Page &p : doc().pages)
            all << p.texts(pages::ItemRole::Body);
        return all;
    }
    QString header(int page = 1) const { return doc().page(page)->texts(pages::ItemRole::PageHeader).join(QString()); }
    const pages::PageItem *cell(int row, int column) const
    {
        for (const pages::Page &p : doc().pages)
            for (const pages::PageItem &item : p.items)
                if (item.role == pages::ItemRole::TableCell && item.row == row && item.column == column)
                    return &item;
        return nullptr;
    }

    std::vector<Booked> booked;
    pages::Engine engine;
    ReportInput input;
    PresetAnswers answers;
};

// ------------------------------------------------------------ the day sheet

TEST_F(DayReportsTest, DaySheetRowsTotalsAndBroughtForwardFromTheLastEarlierDay)
{
    book(day(1), 10, 100000, 0);
    book(day(2), 20, 0, 25050);
    // Several days without rows between the last earlier day and the day printed.
    book(day(9), 10, 1234567, 0);
    book(day(9), 20, 0, 99);
    book(day(9), 10, 5, 0);

    ASSERT_TRUE(run(1, day(9), day(9)).complete());
    EXPECT_EQ(header(), QStringLiteral("Τ α μ ε ί ο  Η μ έ ρ α ς   09-03-2026  Κεντρικό"));
    EXPECT_TRUE(bodyTexts().contains(QStringLiteral("Υπόλοιπο από την 02-03-2026    ") + cents(balanceCents(day(2)))))
        << bodyTexts().join(QLatin1Char('/')).toStdString();

    EXPECT_EQ(doc().tableHeading(1), (QStringList{QStringLiteral("  α/α"), QStringLiteral("Κωδ."),
                                                   QStringLiteral("Περιγραφή"), QStringLiteral("Εσοδα"),
                                                   QStringLiteral("Εξοδα")}));
    const auto rows = doc().tableRows(1);
    ASSERT_EQ(rows.size(), 4u);
    qint64 in = 0, out = 0;
    for (int i = 0; i < 3; ++i) {
        const Booked &b = booked[size_t(2 + i)];
        EXPECT_EQ(rows[size_t(i)], (QStringList{QStringLiteral("   %1").arg(i + 1), QString::number(b.code),
                                                QStringLiteral("ΚΙΝΗΣΗ"), centsOrZero(b.incomeCents),
                                                centsOrZero(b.expenseCents)}));
        in += b.incomeCents;
        out += b.expenseCents;
    }
    // A zero amount is "0", never "0,00".
    EXPECT_EQ(rows[0][4], QStringLiteral("0"));
    EXPECT_EQ(rows[3], (QStringList{QString(), QString(), QStringLiteral("Υπόλοιπο = ") + cents(balanceCents(day(9))),
                                    cents(in), cents(out)}));
    // The totals row is bold, the movements are not.
    EXPECT_TRUE(cell(4, 3)->font.bold);
    EXPECT_FALSE(cell(1, 3)->font.bold);
}

TEST_F(DayReportsTest, DaySheetShadesAlternateFromTheFirstRowAndTheHeadingIsYellow)
{
    for (int i = 0; i < 4; ++i)
        book(day(3), 10, 100 + i, 0);
    ASSERT_TRUE(run(1, day(3), day(3)).complete());
    std::map<int, QRgb> fills;
    QRgb heading = 0;
    for (const pages::PageItem &item : doc().page(1)->items)
        if (item.role == pages::ItemRole::TableShade)
            (item.row == 0 ? heading : fills[item.row]) = item.fill;
    EXPECT_EQ(QColor(heading), QColor(255, 255, 0));
    EXPECT_EQ(QColor(fills[1]), QColor(222, 225, 225));
    EXPECT_EQ(fills.count(2), 0u);  // shade 0: no fill
    EXPECT_EQ(QColor(fills[3]), QColor(222, 225, 225));
    EXPECT_EQ(fills.count(5), 0u);  // the totals row has no shade
}

TEST_F(DayReportsTest, BroughtForwardZeroCases)
{
    struct Case
    {
        const char *name;
        std::function<void()> setUp;
        QDate printed;
    };
    const Case cases[] = {
        // the first day of the book has no earlier row
        {"first day", [&] { book(day(4), 10, 5000, 0); }, day(4)},
        // the earlier row's balance is 0
        {"earlier balance 0", [&] { book(day(1), 10, 5000, 0); book(day(2), 20, 0, 5000); book(day(4), 10, 700, 0); },
         day(4)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        folder.main().execute(QStringLiteral("DELETE FROM kinhseis"));
        folder.main().execute(QStringLiteral("DELETE FROM tameio"));
        booked.clear();
        c.setUp();
        engine.KillDoc();
        ASSERT_TRUE(run(1, c.printed, c.printed).complete());
        EXPECT_TRUE(bodyTexts().contains(QStringLiteral("Υπόλοιπο από την προηγούμενη 0")));
        EXPECT_EQ(doc().tableRows(1).back()[2], QStringLiteral("Υπόλοιπο = ") + cents(balanceCents(c.printed)));
    }
}

TEST_F(DayReportsTest, DayWithoutMovementsPrintsThreeBoldLinesAndNoTable)
{
    book(day(1), 10, 123450, 0);
    // A day whose movements were all deleted keeps its row: its balance is
    // brought forward and printed as a plain number.
    folder.main().execute(QStringLiteral("INSERT INTO tameio (hmeromhnia, esoda_hmeras, ejoda_hmeras, ypoloipo) "
                                         "VALUES (?1, 0, 0, ?2)"),
                          day(6), Money::fromCents(123450));
    ASSERT_TRUE(run(1, day(1), day(6)).complete());
    EXPECT_EQ(doc().tableCount(), 0);
    const QStringList body = bodyTexts();
    EXPECT_TRUE(body.contains(QStringLiteral("Υπόλοιπο από την 01-03-2026    1.234,50")));
    for (const QString &line : {QStringLiteral("Σύνολο εσόδων 0"), QStringLiteral("Συνολο εξόδων 0"),
                               QStringLiteral("Υπόλοιπο 1234,5")}) {
        const pages::PageItem *item = doc().page(1)->findText(line);
        ASSERT_NE(item, nullptr) << line.toStdString() << " in " << body.join(QLatin1Char('/')).toStdString();
        EXPECT_TRUE(item->font.bold);
    }
    EXPECT_FALSE(doc().page(1)->findText(QStringLiteral("Υπόλοιπο από την 01-03-2026    1.234,50"))->font.bold);

    // A day without a row of its own prints the money in the till: the
    // balance carried from the last earlier day, as the cash sheet shows it.
    engine.KillDoc();
    ASSERT_TRUE(run(1, day(7), day(7)).complete());
    EXPECT_TRUE(bodyTexts().contains(QStringLiteral("Υπόλοιπο από την 06-03-2026    1.234,50")))
        << bodyTexts().join(QLatin1Char('/')).toStdString();
    EXPECT_NE(doc().page(1)->findText(QStringLiteral("Υπόλοιπο 1234,5")), nullptr);
    EXPECT_EQ(doc().page(1)->findText(QStringLiteral("Υπόλοιπο 0")), nullptr);
    EXPECT_EQ(CashBookFixture::book.readDay(day(7)).balance(), Money::fromCents(123450));
}

TEST_F(DayReportsTest, EveryPageOfALongDayCarriesItsNumberAndTheTotalsAreWhole)
{
    qint64 in = 0;
    for (int i = 0; i < 130; ++i) {
        book(day(5), 10, 1000 + i, 0);
        in += 1000 + i;
    }
    ASSERT_TRUE(run(1, day(5), day(5)).complete());
    ASSERT_GE(doc().pageCount(), 3);
    for (const pages::Page &page : doc().pages)
        EXPECT_EQ(page.texts(pages::ItemRole::PageFooter).join(QString()), QStringLiteral("Σελίδα %1").arg(page.number));
    const auto rows = doc().tableRows(1);
    ASSERT_EQ(rows.size(), 131u);
    EXPECT_EQ(rows[129][0], QStringLiteral(" 130"));
    EXPECT_EQ(rows.back()[3], cents(in));
}

TEST_F(DayReportsTest, TheDaySheetTakesTheEndDateAndTheAnalysisTheStartDate)
{
    book(day(1), 10, 1000, 0);
    book(day(2), 10, 2000, 0);
    ASSERT_TRUE(run(1, day(1), day(2)).complete());
    EXPECT_TRUE(header().contains(QStringLiteral("02-03-2026")));
    EXPECT_EQ(doc().tableRows(1)[0][3], cents(2000));
    engine.KillDoc();
    ASSERT_TRUE(run(8, day(1), day(2)).complete());
    EXPECT_EQ(header(), QStringLiteral("Ανάλυση ταμείου της 01-03-2026   Κεντρικό"));
    EXPECT_EQ(doc().tableRows(1)[0][1], cents(1000));
}

// -------------------------------------------------------------- the analysis

class DayAnalysisTest : public DayReportsTest
{
protected:
    DayAnalysisTest()
    {
        folder.addCode(40, QStringLiteral("ΚΑΤΑΘΕΣΗ ΤΡΑΠΕΖΑ"), false);
        folder.addCode(41, QStringLiteral("ΑΝΑΛΗΨΗ ΤΡΑΠΕΖΑ"), true);
        folder.addCode(50, QStringLiteral("ΚΑΡΤΑ"), true);
        answers.analysisSetup = analysis::AnalysisSetup::defaults();
        answers.analysisSetup.captions[0] = QStringLiteral("Τράπεζα Α");
        setSlot(0, 41);  // group 1 income code
        setSlot(1, 40);  // group 1 expense code
        setSlot(3, 50);  // group 2: expense slot only (income slot empty)
    }
    void setSlot(int slot, int code)
    {
        answers.analysisSetup.slotTexts[size_t(slot)] = QStringLiteral("%1 ΚΩΔΙΚΟΣ").arg(code);
        answers.analysisSetup.slotTags[size_t(slot)] = QString::number(code);
    }
    // income - expense of the codes, up to and including the day, from the booked rows.
    qint64 groupCents(std::initializer_list<int> codes, const QDate &upTo) const
    {
        qint64 sum = 0;
        for (const Booked &b : booked)
            if (b.day <= upTo && std::find(codes.begin(), codes.end(), b.code) != codes.end())
                sum += b.incomeCents - b.expenseCents;
        return sum;
    }
};

TEST_F(DayAnalysisTest, GroupsAreCumulativeToTheDayAndTheFirstRowIsTheDaysOwn)
{
    // Large amounts: single precision would lose the cents.
    book(day(1), 10, 99999999, 0);
    book(day(1), 40, 0, 50000012);   // deposit to the bank: money leaves the till
    book(day(2), 41, 1234567, 0);    // withdrawal
    book(day(2), 40, 0, 777);
    book(day(3), 50, 4321, 0);       // card income, on a code in group 2's expense slot
    book(day(3), 10, 3333, 0);
    book(day(3), 20, 0, 1111);
    book(day(4), 40, 0, 999900);     // after the day: not counted

    ASSERT_TRUE(run(8, day(3), day(4)).complete());
    EXPECT_EQ(answers.asked, 1);
    EXPECT_EQ(doc().tableHeading(1), (QStringList{QStringLiteral("Περιγραφή"), QStringLiteral("Εσοδα    "),
                                                   QStringLiteral("Εξοδα    "), QStringLiteral("Υπόλοιπο    ")}));
    const auto rows = doc().tableRows(1);
    ASSERT_EQ(rows.size(), 6u);
    qint64 dayIn = 0, dayOut = 0;
    for (const Booked &b : booked)
        if (b.day == day(3)) {
            dayIn += b.incomeCents;
            dayOut += b.expenseCents;
        }
    EXPECT_EQ(rows[0], (QStringList{QStringLiteral("Συνολικό ταμείο"), cents(dayIn), cents(dayOut),
                                    cents(balanceCents(day(3)))}));
    const qint64 group1 = groupCents({40, 41}, day(3));
    const qint64 group2 = groupCents({50}, day(3));
    EXPECT_EQ(rows[1], (QStringList{QStringLiteral("Τράπεζα Α"), QString(), QString(), cents(group1)}));
    EXPECT_EQ(rows[2], (QStringList{QStringLiteral("Ομαδα 2"), QString(), QString(), cents(group2)}));
    EXPECT_EQ(rows[3], (QStringList{QStringLiteral("Ομαδα 3"), QString(), QString(), cents(0)}));
    EXPECT_EQ(rows[4][0], QStringLiteral("Ομαδα 4"));
    EXPECT_EQ(rows[5], (QStringList{QStringLiteral("Μετρητά στο ταμείο"), QString(), QString(),
                                    cents(balanceCents(day(3)) - (group1 + group2))}));
    // Row 1 is the opening row; the cash in the till (row 6) alone is bold.
    EXPECT_TRUE(cell(6, 4)->font.bold);
    EXPECT_FALSE(cell(5, 4)->font.bold);
}

TEST_F(DayAnalysisTest, AClearedSlotIsIgnoredEvenWithAStaleTag)
{
    book(day(1), 41, 50000, 0);
    book(day(1), 50, 7000, 0);
    answers.analysisSetup.slotTexts[3].clear();  // cleared text: the tag no longer counts
    ASSERT_TRUE(run(8, day(1), day(1)).complete());
    const auto rows = doc().tableRows(1);
    EXPECT_EQ(rows[2][3], cents(0));
    EXPECT_EQ(rows[5][3], cents(balanceCents(day(1)) - groupCents({40, 41}, day(1))));
}

// A set-up kept from another book names codes this one lacks: the groups
// that use them and the cash in the till say so instead of a figure.
TEST_F(DayAnalysisTest, CodesMissingFromTheBookAreNamedNotPrintedAsZero)
{
    book(day(1), 41, 50000, 0);
    book(day(1), 10, 7000, 0);
    setSlot(3, 77);  // group 2's only code is not in this book
    setSlot(4, 78);  // neither is group 3's
    ASSERT_TRUE(run(8, day(1), day(1)).complete());
    const auto rows = doc().tableRows(1);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[1][3], cents(groupCents({40, 41}, day(1))));
    EXPECT_EQ(rows[2][3], QStringLiteral("λείπει κωδικός"));
    EXPECT_EQ(rows[3][3], QStringLiteral("λείπει κωδικός"));
    EXPECT_EQ(rows[4][3], cents(0));
    EXPECT_EQ(rows[5][3], QStringLiteral("λείπει κωδικός"));
    EXPECT_TRUE(bodyTexts().join(QLatin1Char(' ')).contains(QStringLiteral("Οι κωδικοί 77, 78 της ρύθμισης")))
        << bodyTexts().join(QLatin1Char('|')).toStdString();
}

TEST_F(DayAnalysisTest, ADayWithoutCashRowPrintsOnlyTheMessageAndAsksNothing)
{
    book(day(1), 10, 1000, 0);
    ASSERT_TRUE(run(8, day(2), day(2)).complete());
    EXPECT_EQ(answers.asked, 0);
    EXPECT_EQ(doc().tableCount(), 0);
    EXPECT_EQ(bodyTexts(), QStringList{QStringLiteral("Δεν υπάρχει ταμείο για την ημερομηνία 02-03-2026   Κεντρικό")});
    EXPECT_TRUE(doc().page(1)->texts(pages::ItemRole::PageHeader).join(QString()).isEmpty());
}

// ----------------------------------------------------------- failures

TEST_F(DayReportsTest, AStoreFailureIsShownAndThePagesSayTheyAreIncomplete)
{
    book(day(1), 10, 1000, 0);
    folder.main().execute(QStringLiteral("ALTER TABLE kinhseis RENAME TO kinhseis_gone"));
    messages.clear();
    const ReportResult result = run(1, day(1), day(1));
    EXPECT_EQ(result.outcome, ReportResult::Outcome::Failed);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().icon, msg::Icon::Critical);
    const QStringList body = bodyTexts();
    EXPECT_TRUE(std::any_of(body.begin(), body.end(), [](const QString &t) { return t.startsWith(incompleteNotice()); }));
    EXPECT_EQ(doc().tableCount(), 0);  // no totals as if they were whole
    EXPECT_FALSE(engine.isDocOpen());
}

TEST_F(DayReportsTest, DatesReachTheStoreBoundNotSpliced)
{
    // A quote in the typed text cannot reach SQL: the report reads the date value.
    book(day(1), 10, 1000, 0);
    input.fromText = input.toText = QStringLiteral("01-03-2026' OR '1'='1");
    input.from = input.to = day(2);
    input.headerCaption = QStringLiteral("Κεντρικό");
    ASSERT_TRUE(runReport(1, engine, folder.store(), input).complete());
    EXPECT_EQ(doc().tableCount(), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM kinhseis")), 1);
}

} // namespace
