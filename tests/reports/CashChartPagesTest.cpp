// The chart report on its pages and in its PDF: the frame every report has,
// the charts drawn on the pages, the figures as tables.
#include "CashChartsBook.h"
#include "platform/pages/engine.h"
#include "reports/CashChartData.h"
#include "reports/CashChartPlans.h"
#include "reports/CsvExport.h"
#include "reports/ReportRunner.h"
#include "reports/widgets/ChartDrawing.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace reports;

namespace {

QDate day(int d, int m) { return QDate(2026, m, d); }
QString amount(qint64 cents) { return regional::formatMoney(Money::fromCents(cents)); }

class CashChartPages : public ::testing::Test
{
protected:
    ReportResult run(const QDate &from, const QDate &to)
    {
        ReportInput input;
        input.from = from;
        input.to = to;
        input.fromText = regional::formatDate(from);
        input.toText = regional::formatDate(to);
        input.headerCaption = QStringLiteral("Κεντρικό Β");
        input.chartPainter = &chartDrawing();
        return runReport(10, engine, book.folder.store(), input);
    }

    QString pdfText()
    {
        const QString pdf = qEnvironmentVariableIsSet("CHARTS_PDF") ? qEnvironmentVariable("CHARTS_PDF") : dir.filePath(QStringLiteral("charts.pdf"));
        EXPECT_TRUE(engine.WritePdf(pdf));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        EXPECT_TRUE(text.waitForFinished(20000));
        return QString::fromUtf8(text.readAllStandardOutput());
    }

    static int recordings(const pages::Page &page)
    {
        int n = 0;
        for (const pages::PageItem *item : page.itemsWithRole(pages::ItemRole::Drawing))
            n += item->kind == pages::ItemKind::Recording;
        return n;
    }

    CashChartsBook book;
    pages::Engine engine;
    QTemporaryDir dir;
};

TEST_F(CashChartPages, ChartsOnFramedPagesAndTheirFiguresInTheTables)
{
    book.opening(day(2, 1), 50000);
    book.book(day(7, 1), 10, 250000, 0);
    book.book(day(7, 1), 20, 0, 80000);
    book.book(day(12, 2), 40, 0, 1234);
    book.book(day(3, 3), 50, 9900, 0);
    ASSERT_TRUE(run(day(1, 1), day(31, 3)).complete());

    const pages::Document &doc = engine.document();
    ASSERT_GE(doc.pageCount(), 3);
    const QString title = QStringLiteral("Διαγράμματα ταμείου από 01-01-2026 έως 31-03-2026   Κεντρικό Β");
    for (const pages::Page &page : doc.pages) {
        EXPECT_EQ(page.texts(pages::ItemRole::PageHeader).join(u' '), title);
        EXPECT_EQ(page.texts(pages::ItemRole::PageFooter).join(u' '), QStringLiteral("Σελίδα %1").arg(page.number));
    }
    EXPECT_EQ(recordings(doc.pages[0]), 2);   // the balance and the months
    EXPECT_EQ(recordings(doc.pages[1]), 2);   // the two shares
    EXPECT_NE(doc.pages[0].findTextContaining(QStringLiteral("Υπόλοιπο στις 31-03-2026: ") + amount(50000 + 250000 - 80000 - 1234 + 9900)),
              nullptr);

    // The months as a table: income, expense and the balance at each month's end.
    const auto months = doc.tableRows(1);
    ASSERT_EQ(months.size(), 4u);
    EXPECT_EQ(months[0][1].trimmed(), amount(250000));
    EXPECT_EQ(months[0][3].trimmed(), amount(50000 + 250000 - 80000));
    EXPECT_EQ(months[1][2].trimmed(), amount(1234));
    EXPECT_EQ(months[2][1].trimmed(), amount(9900));
    EXPECT_EQ(months[3][0].trimmed(), QStringLiteral("Σύνολα"));
    EXPECT_EQ(months[3][2].trimmed(), amount(80000 + 1234));
    const auto expense = doc.tableRows(2);
    ASSERT_EQ(expense.size(), 3u);
    EXPECT_EQ(expense[0][0].trimmed(), QStringLiteral("ΑΓΟΡΕΣ"));
    EXPECT_EQ(expense[1][0].trimmed(), noGroupName());
    EXPECT_EQ(expense[1][1].trimmed(), amount(1234));

    // A spreadsheet gets the series as the tables hold them.
    const QString csv = QString::fromUtf8(tablesAsCsv(doc));
    EXPECT_TRUE(csv.contains(QStringLiteral("Ιαν 2026;") + amount(250000) + QStringLiteral(";") + amount(80000)))
        << qPrintable(csv);
    EXPECT_TRUE(csv.contains(noGroupName() + QStringLiteral(";") + amount(1234)));

    // The charts are drawn: the first page's picture holds the income bars' green.
    engine.setPreviewPage(1);
    const QImage page = engine.Picture();
    int green = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            green += page.pixel(x, y) == 0xff2e8b57;
    EXPECT_GT(green, 100);

    // The PDF: the frame, and the charts' own texts as text.
    const QString text = pdfText();
    for (const QString &expected : {QStringLiteral("Διαγράμματα ταμείου από 01-01-2026 έως 31-03-2026"),
                                    QStringLiteral("Σελίδα 1"), QStringLiteral("Σελίδα 2"),
                                    QStringLiteral("Υπόλοιπο ταμείου ανά ημέρα"), QStringLiteral("Έσοδα και έξοδα ανά μήνα"),
                                    QStringLiteral("Έξοδα ανά ομάδα κωδικών"), QStringLiteral("Φεβ 2026"),
                                    QStringLiteral("Ημερομηνία"), QStringLiteral("2.500,00")})
        EXPECT_TRUE(text.contains(expected)) << qPrintable(expected);
}

TEST_F(CashChartPages, APeriodWithoutMovementsPrintsItsMessageNotAnError)
{
    book.book(day(7, 1), 10, 250000, 0);
    ScriptedMessages boxes;
    const ReportResult result = run(day(1, 2), day(28, 2));
    EXPECT_TRUE(result.complete());
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(recordings(engine.document().pages[0]), 2);
    const QString text = pdfText();
    EXPECT_GE(text.count(noMovementsMessage()), 4);
    EXPECT_TRUE(text.contains(QStringLiteral("Σελίδα 1")));
}

} // namespace
