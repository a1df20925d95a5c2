// PDF files and printing: what the pages hold reaches the paper.

#include "platform/pages/engine.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pages;

namespace {

QString runTool(const QString &tool, const QStringList &args)
{
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfText(const QString &path)
{
    return runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
}

int pdfPages(const QString &path)
{
    const QString info = runTool(QStringLiteral("pdfinfo"), {path});
    for (const QString &line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

// "Σελίδα 1" but not "Σελίδα 10".
QRegularExpression pageNumber(int number)
{
    return QRegularExpression(QStringLiteral("Σελίδα %1(?!\\d)").arg(number));
}

void writeCashReport(Engine &engine, int rows)
{
    engine.setMarginLeft(350);
    engine.setMarginRight(850);
    engine.setFontName(QStringLiteral("Arial greek"));
    engine.setHdrFontName(QStringLiteral("arial greek"));
    engine.setHdrFontSize(13);
    QObject::connect(&engine, &Engine::PrepareFooter, &engine,
                     [&engine] { engine.setFooter(QStringLiteral("Σελίδα %d")); });
    engine.StartDoc();
    engine.setHeader(QStringLiteral("Τ α μ ε ί ο  Η μ έ ρ α ς   05-12-2005  Κεντρικό"));
    const QString format = QStringLiteral("^1100|^1000|<4000|>1500|>1500");
    const QString header = QStringLiteral("  α/α|Κωδ.|Περιγραφή|Εσοδα|Εξοδα");
    engine.setFontBold(true);
    engine.AddTable(format, header, QStringLiteral(" |  | | |"), rgb(255, 255, 0));
    engine.setFontBold(false);
    for (int i = 1; i <= rows; ++i)
        engine.AddTable(format, header, QStringLiteral("%1|101|Είσπραξη ενοικίου Αθηνών|1.234,50|").arg(i),
                        rgb(255, 255, 0), i % 2 ? rgb(222, 225, 225) : 0, true);
    engine.EndDoc();
}

TEST(Pdf, HoldsGreekTitlesAndAmounts)
{
    QTemporaryDir dir;
    Engine engine;
    writeCashReport(engine, 80);
    const QString path = dir.filePath(QStringLiteral("day.pdf"));
    ASSERT_TRUE(engine.WritePdf(path));
    EXPECT_EQ(pdfPages(path), engine.PageCount());
    // pdftotext folds runs of blanks, so compare with blanks folded.
    const QString text = pdfText(path).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Τ α μ ε ί ο Η μ έ ρ α ς 05-12-2005 Κεντρικό")))
        << qPrintable(text.left(400));
    EXPECT_TRUE(text.contains(QStringLiteral("Περιγραφή")));
    EXPECT_TRUE(text.contains(QStringLiteral("Είσπραξη ενοικίου Αθηνών")));
    EXPECT_TRUE(text.contains(QStringLiteral("1.234,50")));
    EXPECT_TRUE(text.contains(QStringLiteral("Σελίδα 2")));
}

TEST(Pdf, PageRangeAndLandscapeSheets)
{
    QTemporaryDir dir;
    Engine engine;
    engine.setOrientation(orientation::Landscape);
    writeCashReport(engine, 120);
    ASSERT_GE(engine.PageCount(), 3);
    const QString path = dir.filePath(QStringLiteral("part.pdf"));
    ASSERT_TRUE(engine.WritePdf(path, 2, 3));
    EXPECT_EQ(pdfPages(path), 2);
    const QString info = runTool(QStringLiteral("pdfinfo"), {path});
    EXPECT_TRUE(info.contains(QStringLiteral("842 x 595"))) << qPrintable(info);
    EXPECT_FALSE(pdfText(path).contains(pageNumber(1)));
}

TEST(Pdf, EmptyDocumentIsRefused)
{
    Engine engine;
    QTemporaryDir dir;
    EXPECT_FALSE(engine.WritePdf(dir.filePath(QStringLiteral("none.pdf"))));
    EXPECT_EQ(engine.Error(), error::BadArgument);
}

struct PrintCase {
    int action;
    int expectedPages;  // -1: all
};

class PrintAction : public ::testing::TestWithParam<PrintCase> {};

TEST_P(PrintAction, PrintsThePageOnViewOrAll)
{
    QTemporaryDir dir;
    Engine engine;
    writeCashReport(engine, 150);
    ASSERT_GE(engine.PageCount(), 3);
    engine.setPreviewPage(2);
    const QString path = dir.filePath(QStringLiteral("printed.pdf"));
    engine.printer().setOutputFormat(QPrinter::PdfFormat);
    engine.printer().setOutputFileName(path);
    engine.setAction(GetParam().action);
    EXPECT_EQ(engine.Error(), error::None);
    const int expected = GetParam().expectedPages < 0 ? engine.PageCount() : GetParam().expectedPages;
    EXPECT_EQ(pdfPages(path), expected);
    if (GetParam().action == action::PrintPage) {
        const QString text = pdfText(path);
        EXPECT_TRUE(text.contains(QStringLiteral("Σελίδα 2")));
        EXPECT_FALSE(text.contains(QStringLiteral("Σελίδα 3")));
    }
}

INSTANTIATE_TEST_SUITE_P(Actions, PrintAction,
                         ::testing::Values(PrintCase{action::PrintPage, 1}, PrintCase{action::PrintAll, -1}));

TEST(Printing, WithoutAPrinterNothingPrintsAndTheErrorSaysWhy)
{
    Engine engine;
    writeCashReport(engine, 3);
    engine.printer().setOutputFormat(QPrinter::NativeFormat);
    if (engine.NDevices() > 0)
        GTEST_SKIP() << "this machine has printers";
    engine.setAction(action::PrintAll);
    EXPECT_EQ(engine.Error(), error::NoPrinter);
}

TEST(Printing, DialogGoesThroughTheInstalledHookAndNeverBlocks)
{
    Engine engine;
    EXPECT_FALSE(engine.PrintDialog(0));  // no dialog installed: answers at once
    std::vector<int> kinds;
    engine.setDialogHook([&](Engine &, int kind) {
        kinds.push_back(kind);
        return false;
    });
    engine.setAction(action::ChoosePrinter);
    EXPECT_FALSE(engine.PrintDoc(true));  // the user cancelled the dialog: nothing printed
    EXPECT_EQ(kinds, (std::vector<int>{0, 0}));
}

TEST(Printing, ProgressSeesEveryPageAndMayStopThePrinting)
{
    QTemporaryDir dir;
    Engine engine;
    writeCashReport(engine, 150);
    const int pages = engine.PageCount();
    ASSERT_GE(pages, 3);
    engine.printer().setOutputFormat(QPrinter::PdfFormat);
    engine.printer().setOutputFileName(dir.filePath(QStringLiteral("progress.pdf")));
    std::vector<std::pair<int, int>> seen;
    engine.setPrintProgress([&](Engine &, int page, int of) {
        seen.emplace_back(page, of);
        return true;
    });
    EXPECT_TRUE(engine.PrintDoc());
    ASSERT_EQ(int(seen.size()), pages);
    EXPECT_EQ(seen.back(), std::make_pair(pages, pages));

    seen.clear();
    engine.setPrintProgress([&](Engine &, int page, int of) {
        seen.emplace_back(page, of);
        return page < 2;
    });
    EXPECT_FALSE(engine.PrintDoc());
    EXPECT_EQ(engine.Error(), error::Cancelled);
    EXPECT_EQ(seen.size(), 2u);
}

TEST(Printing, PrintDocPrintsThePagesChosenInTheDialog)
{
    QTemporaryDir dir;
    Engine engine;
    writeCashReport(engine, 150);
    ASSERT_GE(engine.PageCount(), 3);
    const QString path = dir.filePath(QStringLiteral("chosen.pdf"));
    // A stand-in for the user: prints to a file, pages 2 to 3.
    engine.setDialogHook([&](Engine &e, int) {
        e.printer().setOutputFormat(QPrinter::PdfFormat);
        e.printer().setOutputFileName(path);
        e.printer().setPrintRange(QPrinter::PageRange);
        e.printer().setFromTo(2, 3);
        return true;
    });
    ASSERT_TRUE(engine.PrintDoc(true));
    EXPECT_EQ(pdfPages(path), 2);
    EXPECT_EQ(engine.Device(), path);
    const QString text = pdfText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("Σελίδα 2")));
    EXPECT_FALSE(text.contains(pageNumber(1)));
}

TEST(Printing, DriverSettingsAreKeptAndReturned)
{
    Engine engine;
    engine.setCopies(3);
    engine.setDuplex(2);
    engine.setColorMode(1);
    engine.setPaperBin(4);
    engine.setPrintQuality(-3);
    engine.setScaleOutput(90);
    engine.setTrueType(2);
    EXPECT_EQ(engine.Copies(), 3);
    EXPECT_EQ(engine.Duplex(), 2);
    EXPECT_EQ(engine.ColorMode(), 1);
    EXPECT_EQ(engine.PaperBin(), 4);
    EXPECT_EQ(engine.PrintQuality(), -3);
    EXPECT_EQ(engine.ScaleOutput(), 90);
    EXPECT_EQ(engine.TrueType(), 2);
    EXPECT_EQ(engine.hDC(), 0);
}

}  // namespace
