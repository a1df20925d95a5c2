// The CSV and .xlsx files of a report carry each cell's value as the report
// built it, whatever the page did with it; a stopped report's files say so in
// their last line; a report without rows writes its one line. The .xlsx file
// is read back with openpyxl, a reader we did not write.
#include "ReportBook.h"
#include "platform/pages/engine.h"
#include "reports/CsvExport.h"
#include "reports/XlsxExport.h"
#include "support/ScriptedMessages.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr qint64 Largest = 99999999999;  // 999.999.999,99

QStringList csvLines(const QByteArray &csv)
{
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    return QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

// Every cell of the first sheet as openpyxl reads it: row, column, kind
// (n number, d date, s text), value (numbers in cents), number format.
struct SheetCell
{
    int row = 0, column = 0;
    QString kind, value, format;
};

std::vector<SheetCell> readSheet(const QString &file)
{
    const QString script = QStringLiteral(R"(
import sys, datetime, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
for row in ws.iter_rows():
    for c in row:
        v = c.value
        if v is None:
            continue
        if isinstance(v, datetime.datetime):
            kind, text = 'd', v.date().isoformat()
        elif isinstance(v, (int, float)):
            kind, text = 'n', str(round(v * 100))
        else:
            kind, text = 's', str(v)
        print('\t'.join([str(c.row), str(c.column), kind, text.replace('\t', ' '), c.number_format]))
)");
    QProcess python;
    // Debian's python3, where python3-openpyxl is installed.
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, file});
    EXPECT_TRUE(python.waitForFinished(60000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    std::vector<SheetCell> cells;
    for (const QString &line : QString::fromUtf8(python.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(u'\t');
        if (f.size() == 5)
            cells.push_back({f[0].toInt(), f[1].toInt(), f[2], f[3], f[4]});
    }
    return cells;
}

class Exports : public ::testing::Test
{
protected:
    Exports()
    {
        book.folder.addCode(10, QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), true);
        book.folder.addCode(20, QStringLiteral("ΑΓΟΡΕΣ"), false);
        for (int i = 0; i < 120; ++i)
            book.add({10, day, QStringLiteral("ΠΡΟΜΗΘΕΥΤΗΣ ΕΜΠΟΡΕΥΜΑΤΩΝ ΚΑΤΑΣΤΗΜΑΤΟΣ %1").arg(i), Largest, 0, 0});
        book.add({20, day, QStringLiteral("ΑΓΟΡΑ"), 0, 1234, 0});
    }
    qint64 income() const { return 120 * Largest; }

    static inline const QDate day = QDate(2026, 3, 2);
    ReportBook book;
    ScriptedMessages messages;
    QTemporaryDir out;
};

TEST_F(Exports, CsvCellsAreTheValuesAsBuiltNotTheLaidOutLines)
{
    ASSERT_TRUE(book.run(4, day, day).complete());
    // The page broke the long descriptions into lines; the file does not.
    const auto laidOut = book.doc().tableRows(1);
    ASSERT_FALSE(laidOut.empty());
    const QStringList lines = csvLines(reports::tablesAsCsv(book.doc()));
    ASSERT_GE(lines.size(), 125);
    EXPECT_EQ(lines[0], QStringLiteral("α/α;Κωδ.;Ημερ/νια;Περιγραφή;Λ τάξεως;Έσοδο;Έξοδο"));
    EXPECT_EQ(lines[1].split(u';').value(3), QStringLiteral("ΠΡΟΜΗΘΕΥΤΗΣ ΕΜΠΟΡΕΥΜΑΤΩΝ ΚΑΤΑΣΤΗΜΑΤΟΣ 0"));
    Money incomeRead;
    for (const QString &line : lines) {
        const QStringList cells = line.split(u';');
        if (cells.value(3).startsWith(QStringLiteral("ΠΡΟΜΗΘΕΥΤΗΣ")))
            incomeRead += *regional::parseMoney(cells.value(5));
        if (cells.value(3) == QStringLiteral("Σύνολα")) {
            EXPECT_EQ(cells.value(5), ReportBook::amount(income()));
        }
    }
    EXPECT_EQ(incomeRead, Money::fromCents(income()));
}

TEST_F(Exports, AStoppedReportSaysSoInTheLastLineOfEveryFile)
{
    book.progress = [](qint64 done, qint64) { return done < 64; };
    const reports::ReportResult result = book.run(4, day, day);
    ASSERT_EQ(result.outcome, reports::ReportResult::Outcome::Stopped);
    ASSERT_TRUE(result.notice.startsWith(reports::incompleteNotice()));
    const QStringList lines = csvLines(reports::tablesAsCsv(book.doc(), result.notice));
    EXPECT_EQ(lines.last(), result.notice);
    EXPECT_EQ(lines.filter(reports::incompleteNotice()).size(), 1);

    const QString file = out.filePath(QStringLiteral("stopped.xlsx"));
    ASSERT_TRUE(reports::writeXlsx(book.doc(), {QStringLiteral("Σύνολο κινήσεων"), QStringLiteral("02-03-2026"),
                                                 result.notice}, file));
    const auto cells = readSheet(file);
    ASSERT_FALSE(cells.empty());
    EXPECT_EQ(cells.back().value, result.notice);

    // The pages, and so the PDF, end with it too.
    const QString pdf = out.filePath(QStringLiteral("stopped.pdf"));
    ASSERT_TRUE(book.engine.WritePdf(pdf));
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(60000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
    EXPECT_TRUE(text.contains(reports::incompleteNotice())) << text.right(300).toStdString();
}

TEST_F(Exports, AReportWithoutRowsWritesItsOneLine)
{
    // No cheque in the range: the report is one line and no table.
    ASSERT_TRUE(book.run(7, day.addDays(1), day.addDays(1)).complete());
    EXPECT_EQ(csvLines(reports::tablesAsCsv(book.doc())),
              QStringList{QStringLiteral("Δεν υπάρχουν καταχωρήσεις επιταγών στο παραπάνω διάστημα")});
    // Movements by code over an empty range: the heading and the line.
    ASSERT_TRUE(book.run(4, day.addDays(1), day.addDays(1)).complete());
    const QStringList lines = csvLines(reports::tablesAsCsv(book.doc()));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], QStringLiteral("Δεν βρέθηκαν εγγραφές"));
}

TEST_F(Exports, XlsxHoldsAmountsAsMoneyNumbersDatesAsDatesAndTheTitleFirst)
{
    ASSERT_TRUE(book.run(4, day, day).complete());
    const QString file = out.filePath(QStringLiteral("κινήσεις.xlsx"));
    ASSERT_TRUE(reports::writeXlsx(book.doc(), {QStringLiteral(" Σύνολο ανα κωδικό"), QStringLiteral("02-03-2026 έως 02-03-2026"), {}},
                                   file));
    const auto cells = readSheet(file);
    auto at = [&](int row, int column) -> const SheetCell * {
        for (const SheetCell &c : cells)
            if (c.row == row && c.column == column)
                return &c;
        return nullptr;
    };
    ASSERT_NE(at(1, 1), nullptr);
    EXPECT_EQ(at(1, 1)->value, QStringLiteral("Σύνολο ανα κωδικό"));
    EXPECT_EQ(at(2, 1)->value, QStringLiteral("02-03-2026 έως 02-03-2026"));

    qint64 incomeCells = 0;
    int dates = 0;
    bool totals = false;
    for (const SheetCell &c : cells) {
        if (c.kind == QStringLiteral("d")) {
            EXPECT_EQ(c.value, QStringLiteral("2026-03-02"));
            ++dates;
        }
        const SheetCell *label = at(c.row, 4);
        if (c.column == 6 && label && label->value.startsWith(QStringLiteral("ΠΡΟΜΗΘΕΥΤΗΣ"))) {
            EXPECT_EQ(c.kind, QStringLiteral("n"));
            EXPECT_EQ(c.format, QStringLiteral("#,##0.00"));
            incomeCells += c.value.toLongLong();
        }
        if (c.column == 6 && label && label->value == QStringLiteral("Σύνολα")) {
            totals = true;
            EXPECT_EQ(c.kind, QStringLiteral("n"));
            EXPECT_EQ(c.value.toLongLong(), income());
        }
    }
    EXPECT_EQ(incomeCells, income());
    EXPECT_EQ(dates, 121);
    EXPECT_TRUE(totals);
}

TEST(SheetValues, CellsAreReadAsTheirKind)
{
    using reports::SheetValue;
    EXPECT_EQ(reports::sheetValue(QStringLiteral("1.234.567,89")).kind, SheetValue::Amount);
    EXPECT_EQ(reports::sheetValue(QStringLiteral("-0,50")).number, -0.5);
    EXPECT_EQ(reports::sheetValue(QStringLiteral(" ")).kind, SheetValue::Empty);
    EXPECT_EQ(reports::sheetValue(QStringLiteral("107193")).kind, SheetValue::Whole);
    EXPECT_EQ(reports::sheetValue(QStringLiteral("02-03-2026")).kind, SheetValue::Date);
    EXPECT_EQ(reports::sheetValue(QStringLiteral("31-02-2026")).kind, SheetValue::Text);
    EXPECT_EQ(reports::sheetValue(QStringLiteral("Δε 02-03-2026")).kind, SheetValue::Text);
    EXPECT_EQ(reports::sheetValue(QStringLiteral("1.234,5")).kind, SheetValue::Text);
}

} // namespace
