// Figures as large as a book can reach read back whole from every report's
// PDF: rows of 999.999.999,99 and totals of twelve digits, each expected
// figure added up here from the rows the test inserted.
#include "ReportBook.h"
#include "reports/ColumnFit.h"
#include "groups/GroupColumns.h"
#include "platform/desktop/Settings.h"
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

TEST(ColumnFit, OnlyColumnsTooNarrowGrowAndTheTextColumnGivesTheRoom)
{
    pages::Engine engine;
    engine.setMarginLeft(350);
    engine.setMarginRight(850);
    engine.StartDoc();
    const QString analytic = QStringLiteral(">800|<1700|<1300|3600|>1250|>1250|>1250");
    reports::LargestFigures small;
    small.amount = Money::fromCents(99999999);  // 999.999,99: the widths as they were suffice
    small.serial = 999;
    EXPECT_EQ(reports::fitColumns(engine, analytic, reports::figureNeeds({4, 5, 6}, 0, small), 3), analytic);

    reports::LargestFigures large;
    large.amount = Money::fromCents(10999999999890);
    large.serial = 150000;
    const QStringList fitted =
        reports::fitColumns(engine, analytic, reports::figureNeeds({4, 5, 6}, 0, large), 3).split(QLatin1Char('|'));
    ASSERT_EQ(fitted.size(), 7);
    auto width = [&](int c) {
        QString f = fitted[c];
        while (!f.isEmpty() && !f.at(0).isDigit())
            f.remove(0, 1);
        return f.toInt();
    };
    EXPECT_TRUE(fitted[4].startsWith(u'>'));
    for (int c : {4, 5, 6})
        EXPECT_GT(width(c), 1250);
    EXPECT_GT(width(0), 800);         // "150000" in the α/α column
    EXPECT_EQ(fitted[1], QStringLiteral("<1700"));
    EXPECT_EQ(fitted[2], QStringLiteral("<1300"));
    int total = 0;
    for (int c = 0; c < 7; ++c)
        total += width(c);
    // The description gave what the others took, down to its floor.
    EXPECT_LT(width(3), 3600);
    if (width(3) > reports::MinimumDonorWidth) {
        EXPECT_EQ(total, 800 + 1700 + 1300 + 3600 + 3 * 1250);
    }
}

} // namespace
