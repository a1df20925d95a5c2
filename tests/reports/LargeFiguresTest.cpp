// Figures as large as a book can reach read back whole from every report's
// PDF: rows of 999.999.999,99 and totals of twelve digits, each expected
// figure added up here from the rows the test inserted.
#include "ReportBook.h"
#include "reports/ColumnFit.h"
#include "groups/GroupColumns.h"
#include "platform/desktop/Settings.h"
#include "platform/pages/cellwrap.h"
#include "platform/pages/engine.h"
#include "support/ScriptedMessages.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr qint64 Largest = 99999999999;    // 999.999.999,99, the most a movement may hold
constexpr qint64 Expense = 98765432109;    // 987.654.321,09
constexpr int IncomeRows = 110;            // totals of twelve digits
constexpr int ExpenseRows = 110;

class LargeFigures : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(settingsDir.isValid());
        settings::useFile(settingsDir.filePath(QStringLiteral("Kelvora.ini")));
        sales = book.folder.addGroup(QStringLiteral("ΠΩΛΗΣΕΙΣ ΚΑΤΑΣΤΗΜΑΤΟΣ"));
        costs = book.folder.addGroup(QStringLiteral("ΕΞΟΔΑ"));
        book.folder.addCode(10, QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), true, sales);
        book.folder.addCode(20, QStringLiteral("ΑΓΟΡΕΣ ΕΜΠΟΡΕΥΜΑΤΩΝ"), false, costs);
        book.folder.main().execute(QStringLiteral("BEGIN"));
        for (int i = 0; i < IncomeRows; ++i)
            book.add({10, day, QStringLiteral("ΠΡΟΜΗΘΕΥΤΗΣ ΚΑΤΑΣΤΗΜΑΤΟΣ %1").arg(i), Largest, 0, Largest, i % 2 == 0});
        for (int i = 0; i < ExpenseRows; ++i)
            book.add({20, day, QStringLiteral("ΑΓΟΡΑ %1").arg(i), 0, Expense, Largest, false});
        book.folder.main().execute(QStringLiteral("COMMIT"));
        book.addDay(day, income(), expense(), income() - expense());
    }

    qint64 income() const { return qint64(IncomeRows) * Largest; }
    qint64 expense() const { return qint64(ExpenseRows) * Expense; }
    qint64 memo() const { return qint64(IncomeRows + ExpenseRows) * Largest; }
    qint64 chequeIncome() const { return qint64((IncomeRows + 1) / 2) * Largest; }

    // The report's pages as pdftotext reads them.
    QString pdfText(int number)
    {
        EXPECT_TRUE(book.run(number, day, day).complete()) << "report " << number;
        const QString file = out.filePath(QStringLiteral("report%1.pdf").arg(number));
        EXPECT_TRUE(book.engine.WritePdf(file));
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
        EXPECT_TRUE(pdftotext.waitForFinished(60000));
        return QString::fromUtf8(pdftotext.readAllStandardOutput());
    }

    void expectWhole(int number, const QList<qint64> &cents)
    {
        const QString text = pdfText(number);
        for (qint64 c : cents)
            EXPECT_TRUE(text.contains(ReportBook::amount(c)))
                << "report " << number << " lacks " << ReportBook::amount(c).toStdString();
    }

    static inline const QDate day = QDate(2026, 3, 2);
    QTemporaryDir settingsDir;
    QTemporaryDir out;
    ReportBook book;
    ScriptedMessages messages;
    int sales = 0, costs = 0;
};

TEST_F(LargeFigures, EveryAmountOfEveryReportReadsBackWhole)
{
    ASSERT_EQ(ReportBook::amount(income()).size(), 18) << "totals of twelve digits";
    // The day sheet and the analysis of the day.
    expectWhole(1, {Largest, Expense, income(), expense(), income() - expense()});
    expectWhole(8, {income(), expense(), income() - expense()});
    // Cash results over the period.
    expectWhole(3, {income(), expense(), income() - expense()});
    // Movements by code, analytic then summary.
    expectWhole(4, {Largest, Expense, income(), expense(), memo(), income() - expense()});
    book.answers.printChoice.analytic = false;
    expectWhole(4, {income(), expense(), memo(), income() - expense()});
    // Movements by group.
    expectWhole(5, {Largest, Expense, income(), expense(), memo()});
    // Cheques: the list, then the summary of the memo amounts by day.
    book.answers.printChoice.analytic = true;
    expectWhole(7, {Largest, chequeIncome()});
    book.answers.printChoice.analytic = false;
    expectWhole(7, {qint64((IncomeRows + 1) / 2) * Largest});
    // The group card: income on the left, expense on the right.
    ASSERT_TRUE(groups::saveColumn(0, groups::storedColumn({{QStringLiteral("ΠΩΛΗΣΕΙΣ ΚΑΤΑΣΤΗΜΑΤΟΣ"), sales}}, {true})));
    ASSERT_TRUE(groups::saveColumn(2, groups::storedColumn({{QStringLiteral("ΕΞΟΔΑ"), costs}}, {true})));
    expectWhole(6, {Largest, Expense, income(), expense()});
    EXPECT_EQ(messages.count(), 0);
}

// The movement reports widen their amount columns for such totals rather than
// draw them small; the description gives the room.
TEST_F(LargeFigures, AmountColumnsAreWidenedForTheLargestTotalsOnly)
{
    ASSERT_TRUE(book.run(4, day, day).complete());
    const pages::Document &doc = book.engine.document();
    bool anyAmount = false;
    for (const pages::Page &page : doc.pages)
        for (const pages::PageItem &item : page.items)
            if (item.kind == pages::ItemKind::Text && item.role == pages::ItemRole::TableCell && item.column >= 5) {
                anyAmount = true;
                EXPECT_EQ(item.font.size, 10.0) << item.text.toStdString();
            }
    EXPECT_TRUE(anyAmount);

}

// The widths of the first page's table, from its vertical rules.
QList<int> columnWidths(const pages::Document &doc)
{
    QList<int> edges;
    for (const pages::PageItem &item : doc.page(1)->items)
        if (item.role == pages::ItemRole::TableBorder && item.kind == pages::ItemKind::Line
            && item.rect.left() == item.rect.right() && !edges.contains(item.rect.left()))
            edges.append(item.rect.left());
    std::sort(edges.begin(), edges.end());
    QList<int> widths;
    for (qsizetype i = 1; i < edges.size(); ++i)
        widths.append(edges[i] - edges[i - 1]);
    return widths;
}

// The columns are sized for the selected codes' totals: twelve-digit totals
// of other codes do not take room from the description.
TEST_F(LargeFigures, ColumnsAreSizedForTheSelectedCodesTotalsOnly)
{
    book.folder.addCode(30, QStringLiteral("ΤΟΚΟΙ"), true, sales);
    book.add({30, day, QStringLiteral("ΤΟΚΟΙ"), 1234, 0, 0});
    book.answers.printChoice.analytic = true;
    ASSERT_TRUE(book.run(4, day, day, {30}).complete());
    const QList<int> small = columnWidths(book.engine.document());
    ASSERT_EQ(small.size(), 7);
    EXPECT_NEAR(small[3] * 1250.0 / small[5], 3600, 10);   // the description keeps its width
    EXPECT_NEAR(small[4], small[5], 2);
    ASSERT_TRUE(book.run(4, day, day, {10, 30}).complete());
    const QList<int> large = columnWidths(book.engine.document());
    ASSERT_EQ(large.size(), 7);
    EXPECT_GT(large[5], small[5]);
    EXPECT_LT(large[3], small[3]);
}

// No amount the program books is negative, but a book edited by hand may
// hold one; a column whose amounts cancel out is still as wide as each
// amount and their totals need.
TEST_F(LargeFigures, AmountsThatCancelOutStillFitTheirColumn)
{
    book.folder.addCode(30, QStringLiteral("ΔΙΟΡΘΩΣΕΙΣ"), true, sales);
    book.add({30, day, QStringLiteral("ΕΓΓΡΑΦΗ"), Largest, 0, 0});
    book.add({30, day, QStringLiteral("ΑΝΤΙΛΟΓΙΣΜΟΣ"), Largest, 0, 0});
    book.folder.main().execute(QStringLiteral("UPDATE kinhseis SET esoda = -esoda WHERE perigrafh = 'ΑΝΤΙΛΟΓΙΣΜΟΣ'"));
    for (const bool analytic : {true, false}) {
        book.answers.printChoice.analytic = analytic;
        ASSERT_TRUE(book.run(4, day, day, {30}).complete());
        bool anyAmount = false;
        for (const pages::Page &page : book.engine.document().pages)
            for (const pages::PageItem &item : page.items)
                if (item.kind == pages::ItemKind::Text && item.role == pages::ItemRole::TableCell
                    && item.text.contains(QStringLiteral("999.999.999,99"))) {
                    anyAmount = true;
                    EXPECT_EQ(item.font.size, 10.0) << item.text.toStdString();
                }
        EXPECT_EQ(anyAmount, analytic);   // the summary prints the code's sum, 0
    }
    // By group: the amounts of the group ΠΩΛΗΣΕΙΣ ΚΑΤΑΣΤΗΜΑΤΟΣ cancel out in part.
    ASSERT_TRUE(book.run(5, day, day, {sales}).complete());
    for (const pages::Page &page : book.engine.document().pages) {
        for (const pages::PageItem &item : page.items) {
            if (item.kind == pages::ItemKind::Text && item.role == pages::ItemRole::TableCell
                && item.text.startsWith(QLatin1Char('-'))) {
                EXPECT_EQ(item.font.size, 10.0) << item.text.toStdString();
            }
        }
    }
}

TEST(ColumnFit, OnlyColumnsTooNarrowGrowAndColumnsWithSlackGiveFirst)
{
    pages::Engine engine;
    engine.setMarginLeft(350);
    engine.setMarginRight(850);
    engine.StartDoc();
    const QString analytic = QStringLiteral(">800|<1700|<1300|3600|>1250|>1250|>1250");
    const QString header = QStringLiteral("α/α|Κωδ.|Ημερ/νια|Περιγραφή|Λ τάξεως|Έσοδο|Έξοδο");
    auto figure = [](qint64 cents) {
        reports::ColumnFigure f;
        f.include(Money::fromCents(cents));
        return f;
    };
    auto widths = [](const QString &format) {
        QList<int> out;
        for (QString f : format.split(QLatin1Char('|'))) {
            while (!f.isEmpty() && !f.at(0).isDigit())
                f.remove(0, 1);
            out << f.toInt();
        }
        return out;
    };
    const QList<reports::ColumnNeed> shortCode = {{1, QStringLiteral("12"), false, true}};

    // 999.999,99 and serial 999: the widths as they were suffice, nothing gives.
    const auto small = reports::figureNeeds({{4, figure(99999999)}, {5, figure(99999999)}, {6, figure(99999999)}}, 0, 999);
    EXPECT_EQ(reports::fitColumns(engine, analytic, header, small + shortCode, 3), analytic);

    // Only the income column holds twelve digits: it alone grows, and the code
    // column, wider than its longest text, gives before the description.
    const auto one = reports::figureNeeds({{4, figure(99999999)}, {5, figure(10999999999890)}, {6, figure(99999999)}}, 0, 999);
    const QList<int> w = widths(reports::fitColumns(engine, analytic, header, one + shortCode, 3));
    ASSERT_EQ(w.size(), 7);
    EXPECT_GT(w[5], 1250);
    EXPECT_EQ(w[4], 1250);
    EXPECT_EQ(w[6], 1250);
    EXPECT_LT(w[1], 1700);
    EXPECT_EQ(w[3], 3600);
    EXPECT_EQ(w[0] + w[1] + w[2] + w[3] + w[4] + w[5] + w[6], 800 + 1700 + 1300 + 3600 + 3 * 1250);
    // The width, as the engine narrows the table to the frame, is what the
    // figure needs bold, not more than a few twips over it.
    engine.setFontBold(true);
    engine.setMeasure(QStringLiteral("109.999.999.998,90"));
    const double frame = engine.PageWidth() - engine.MarginLeft() - engine.MarginRight();
    const double drawn = w[5] * std::min(1.0, frame / (800 + 1700 + 1300 + 3600 + 3 * 1250));
    EXPECT_GE(drawn, engine.TextWid() + 2 * pages::CellPaddingX);
    EXPECT_LE(drawn, engine.TextWid() + 2 * pages::CellPaddingX + 10);
    engine.setFontBold(false);

    // Every amount and the serial need more: what the code column cannot give
    // comes from the description, down to its floor.
    const auto large = reports::figureNeeds(
        {{4, figure(10999999999890)}, {5, figure(10999999999890)}, {6, figure(10999999999890)}}, 0, 150000);
    const QList<int> l = widths(reports::fitColumns(engine, analytic, header, large + shortCode, 3));
    for (int c : {4, 5, 6})
        EXPECT_GT(l[c], 1250);
    EXPECT_GT(l[0], 800);  // "150000" in the α/α column
    EXPECT_LT(l[3], 3600);
    if (l[3] > reports::MinimumDonorWidth) {
        EXPECT_EQ(l[0] + l[1] + l[2] + l[3] + l[4] + l[5] + l[6], 800 + 1700 + 1300 + 3600 + 3 * 1250);
    }
}

} // namespace
