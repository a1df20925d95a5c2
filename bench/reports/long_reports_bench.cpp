// The long reports on a generated book, each beside its floors from the same
// run: the bare query (the same statement stepped through every row, no
// layout) and the bare drawing (the same pages painted straight into a PDF
// with QPainter, no engine, into a file opened as the export opens it). Each
// report runs in a process of its own, so its peak memory is its own.
// Wall-clock and CPU time are both printed: on a shared machine the CPU time
// says more. A book without what the program makes at start (its current
// version, the read indexes) is measured on a copy that has it.
//
//   kelvora-bench-long-reports [FOLDER [PDFFOLDER]]
//     (a ten-year book is generated into a temporary folder when none is given)
//   kelvora-bench-long-reports --one REPORT FOLDER PDFFOLDER
//     (one report: 4a, 4s, 5, 7a, 7s, 3, 9, 2; used by the first form; with
//     KELVORA_BENCH_NO_PDF set it stops once the report is built)
//   kelvora-bench-long-reports --prepare FROM TO
//     (a lasting copy of FROM in the empty folder TO, as the program's start
//     leaves it, for --one)
//   kelvora-bench-long-reports --whole-figures FOLDER PDFFOLDER
//     (every amount and serial number the movement reports print reads back
//     whole from pdftotext; for a book such as `kelvora-genbook DIR 13 2000`,
//     150.000 movements whose totals reach twelve digits)
#include "bench/support/BookGenerator.h"
#include "bench/support/ProcessUsage.h"
#include "data/AppGlobals.h"
#include "data/Schema.h"
#include "data/SchemaUpgrade.h"
#include "data/Store.h"
#include "platform/db/Database.h"
#include "platform/pages/cellwrap.h"
#include "platform/pages/engine.h"
#include "platform/pages/fontmap.h"
#include "reports/ColumnFit.h"
#include "reports/MovementRows.h"
#include "reports/MovementTotals.h"
#include "reports/PeriodRows.h"
#include "reports/ReportRunner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>

namespace {

// The budgets a report must keep on the ten- and fifty-year books.
constexpr double FirstPageLimitMs = 150;
constexpr double PeakLimitMb = 150;
constexpr double PdfOverFloorLimit = 1.3;

struct Timing
{
    double wallMs = 0;
    double cpuMs = 0;
};

Timing timed(const std::function<void()> &f)
{
    QElapsedTimer wall;
    const double cpu = benchsupport::cpuMs();
    wall.start();
    f();
    return {double(wall.nsecsElapsed()) / 1e6, benchsupport::cpuMs() - cpu};
}

[[noreturn]] void fail(const char *why)
{
    std::fprintf(stderr, "BENCH FAILED: %s\n", why);
    std::exit(1);
}

const char *verdict(bool met) { return met ? "met" : "NOT MET"; }

// The same pages painted straight into a PDF with QPainter: fonts resolved and
// each page unpacked before the clock runs, only the drawing timed. The file
// is opened as the export opens it (written aside, synced and renamed when
// whole), and the end of the painting, where the fonts are embedded and the
// file written, is timed with the drawing.
Timing bareDrawing(const pages::Document &document, const QString &fileName)
{
    QSaveFile file(fileName);
    Timing total = timed([&] {
        if (!file.open(QIODevice::WriteOnly))
            fail("the floor's PDF could not be opened");
    });
    QPdfWriter writer(&file);
    writer.setResolution(1440);
    pages::FontCache fonts;
    QPainter painter;
    bool first = true;
    for (const pages::Page &page : document.pages) {
        const pages::Page copy = page;
        for (const pages::PageItem &item : copy.items)
            fonts.get(item.font);
        const Timing t = timed([&] {
            const QPageLayout layout(QPageSize(QSizeF(copy.size) / 1440.0, QPageSize::Inch), QPageLayout::Portrait,
                                     QMarginsF());
            writer.setPageLayout(layout);
            if (first)
                painter.begin(&writer);
            else
                writer.newPage();
            first = false;
            for (const pages::PageItem &item : copy.items) {
                switch (item.kind) {
                case pages::ItemKind::Text:
                    painter.setFont(fonts.get(item.font).font);
                    painter.setPen(QColor::fromRgba(item.color));
                    painter.drawText(QPointF(item.rect.left(), item.baseline), item.text);
                    break;
                case pages::ItemKind::Rect:
                    painter.fillRect(item.rect, QColor::fromRgba(item.fill));
                    break;
                case pages::ItemKind::Line:
                    painter.setPen(QPen(QColor::fromRgba(item.color), item.penWidth));
                    painter.drawLine(item.rect.topLeft(), item.rect.bottomRight());
                    break;
                default:
                    break;
                }
            }
        });
        total.wallMs += t.wallMs;
        total.cpuMs += t.cpuMs;
    }
    const Timing end = timed([&] {
        if (!painter.end() || !file.commit())
            fail("the floor's PDF was not written");
    });
    return {total.wallMs + end.wallMs, total.cpuMs + end.cpuMs};
}

reports::ReportInput wholeBook(const QDate &from, const QDate &to, bool analytic)
{
    reports::ReportInput input;
    input.from = from;
    input.to = to;
    input.fromText = from.toString(QStringLiteral("dd-MM-yyyy"));
    input.toText = to.toString(QStringLiteral("dd-MM-yyyy"));
    input.headerCaption = globals().HeaderCaption;
    input.answers.printChoice.analytic = analytic;
    return input;
}

void line(const char *what, const Timing &t, const QString &beside = {})
{
    std::printf("  %-34s %8.0f ms  (cpu %6.0f ms)  %s\n", what, t.wallMs, t.cpuMs, qPrintable(beside));
}

// The program makes its read indexes at every start; a book that has not
// met the program since they were added lacks them, and its figures would
// not be the program's.
bool hasReadIndexes(db::Database &db)
{
    return db.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index'"
                                    " AND name IN ('kinhseis_hmeromhnia_posa', 'kinhseis_omada_posa',"
                                    " 'kinhseis_epitagh_posa')"))
               .toInt()
           == 3;
}

// The current version (with the year sums) and the read indexes.
bool readyAsAtStart(db::Database &db)
{
    return hasReadIndexes(db) && schemaupgrade::currentVersion(db) == schema::CurrentVersion;
}

// A copy of the book brought to the current version, with the read indexes,
// as the program's start does, so the book given (perhaps shared with other
// runs) is never written.
QString withReadIndexes(const QString &folder, const QString &scratch)
{
    {
        Store store(folder, globals().DbPassword);
        if (readyAsAtStart(store.main()))
            return folder;
    }
    std::printf("the book lacks what the program makes at start: working on a copy with it\n");
    for (const QString &name : QDir(folder).entryList(QDir::Files))
        if (!QFile::copy(QDir(folder).filePath(name), QDir(scratch).filePath(name)))
            fail("the book could not be copied");
    Store store(scratch, globals().DbPassword);
    if (schemaupgrade::UpgradeSchema(store.main(), {}) != schema::CurrentVersion)
        fail("the copy could not be brought to the current version");
    return scratch;
}

// One report in this process: query floor, first page shown, built, PDF and
// its drawing floor, peak memory.
int runOne(const QString &which, const QString &folder, const QString &pdfFolder)
{
    const std::map<QString, std::pair<int, const char *>> names = {
        {QStringLiteral("4a"), {4, "movements by code, analytic"}}, {QStringLiteral("4s"), {4, "movements by code, summary"}},
        {QStringLiteral("5"), {5, "movements by group"}},           {QStringLiteral("7a"), {7, "cheque list"}},
        {QStringLiteral("7s"), {7, "cheque summary"}},              {QStringLiteral("3"), {3, "cash results summary"}},
        {QStringLiteral("9"), {9, "days not closed"}},              {QStringLiteral("2"), {2, "code list"}}};
    const auto found = names.find(which);
    if (found == names.end())
        fail("unknown report");
    const int number = found->second.first;

    Store store(folder, globals().DbPassword);
    store.main();   // the key derivation of each file is not part of any report
    store.users();
    if (!readyAsAtStart(store.main()))
        fail("the book lacks what the program makes at start (run without --one, or --prepare a copy)");
    // The floors read with the cache a report is built with, so that neither
    // is helped by more memory than the other.
    store.main().setCacheKilobytes(reports::ReportCacheKib);
    const QDate first = store.main().scalar(QStringLiteral("SELECT MIN(hmeromhnia) FROM tameio")).toDate();
    const QDate last = store.main().scalar(QStringLiteral("SELECT MAX(hmeromhnia) FROM tameio")).toDate();
    const qint64 movements = store.main().scalar(QStringLiteral("SELECT COUNT(*) FROM kinhseis")).toLongLong();

    // The bare query of the movement reports: time to its first row and to
    // its last; for the summary, its sums per code.
    qint64 rows = 0;
    double firstRowMs = -1;
    Timing bare;
    if (which == QStringLiteral("4s")) {
        bare = timed([&] { rows = reports::readCodeSums(store.main(), first, last, {}).size(); });
        firstRowMs = bare.wallMs;
        if (rows == 0)
            fail("the bare query found no code with movements");
    } else if (number == 4 || number == 5) {
        QElapsedTimer clock;
        clock.start();
        const reports::MovementSink count = [&](const reports::MovementRow &) {
            if (rows++ == 0)
                firstRowMs = double(clock.nsecsElapsed()) / 1e6;
        };
        bare = timed([&] {
            if (number == 4)
                reports::readMovementsByCode(store.main(), first, last, {}, count);
            else
                reports::readMovementsByGroup(store.main(), first, last, {}, count);
        });
        if (rows != movements)
            fail("the bare query did not read every movement");
    } else if (number == 7) {
        QElapsedTimer clock;
        clock.start();
        auto counted = [&] {
            if (rows++ == 0)
                firstRowMs = double(clock.nsecsElapsed()) / 1e6;
        };
        bare = timed([&] {
            if (which == QStringLiteral("7a"))
                reports::readCheques(store.main(), first, last, [&](const reports::ChequeRow &) { counted(); });
            else
                reports::readChequeSums(store.main(), first, last, [&](const reports::ChequeSumRow &) { counted(); });
        });
        if (rows == 0)
            fail("the bare query found no cheque");
    }

    std::printf("  peak before the report %.0f MB\n", benchsupport::peakMegabytes());
    // What a movement report asks before its first row: the totals its
    // columns are sized for.
    Timing figures;
    if (number == 4 || number == 5)
        figures = timed([&] {
            if (reports::readPairTotals(store.main(), first, last, {}).isEmpty())
                fail("the totals query found no movement");
        });
    else if (which == QStringLiteral("7a"))
        figures = timed([&] {
            if (reports::readChequeFigures(store.main(), first, last).count != rows)
                fail("the totals query did not count every cheque");
        });

    pages::Engine engine;
    QElapsedTimer sinceStart;
    double firstShownMs = -1;
    double firstShownCpuMs = 0;
    double startCpuMs = 0;
    QImage shown;
    QObject::connect(&engine, &pages::Engine::pagesGrew, &engine, [&](int finished) {
        // What the preview does when the page on view is finished.
        if (finished == 1 && firstShownMs < 0) {
            shown = engine.Picture();
            firstShownMs = double(sinceStart.nsecsElapsed()) / 1e6;
            firstShownCpuMs = benchsupport::cpuMs() - startCpuMs;
        }
    });
    const reports::ReportInput input = wholeBook(first, last, which != QStringLiteral("4s") && which != QStringLiteral("7s"));
    startCpuMs = benchsupport::cpuMs();
    sinceStart.start();
    const Timing built = timed([&] {
        if (!reports::runReport(number, engine, store, input).complete())
            fail("the report did not complete");
    });
    const int pageCount = engine.PageCount();
    if (firstShownMs < 0) {
        // A one-page report is shown when it is built.
        engine.setPreviewPage(1);
        shown = engine.Picture();
        firstShownMs = double(sinceStart.nsecsElapsed()) / 1e6;
        firstShownCpuMs = benchsupport::cpuMs() - startCpuMs;
    }
    if (pageCount < 1 || shown.isNull())
        fail("no page was made");
    qint64 tableRows = 0;
    for (const pages::TableContent &t : engine.document().tables)
        tableRows += t.rowCount();
    if ((number == 4 && input.answers.printChoice.analytic) || number == 5) {
        if (tableRows < movements)
            fail("the report's tables hold fewer rows than the book has movements");
    }
    // The cheque list ends with its totals line.
    if (number == 7 && tableRows != rows + (input.answers.printChoice.analytic ? 1 : 0))
        fail("the cheque report's table does not hold a row for each row of its query");
    const double builtPeak = benchsupport::peakMegabytes();
    std::printf("  pages kept in %.1f MB; peak when built %.0f MB\n", double(engine.document().pages.packedBytes()) / 1e6,
                builtPeak);
    {
        const struct mallinfo2 m = mallinfo2();
        std::printf("  heap in use %.0f MB, free in heap %.0f MB, mmapped %.0f MB\n", double(m.uordblks) / 1e6,
                    double(m.fordblks) / 1e6, double(m.hblkhd) / 1e6);
    }
    std::printf("%s (%lld movements in the book, %d pages, %lld table rows):\n", found->second.second, movements,
                pageCount, tableRows);
    if (rows > 0) {
        line("bare query, every row", bare, QStringLiteral("first row after %1 ms").arg(firstRowMs, 0, 'f', 0));
        if (which != QStringLiteral("7s"))
            line("totals query (column widths)", figures);
    }
    line("built", built);
    line("first page shown", {firstShownMs, firstShownCpuMs},
         QStringLiteral("limit %1 ms: %2").arg(FirstPageLimitMs).arg(QString::fromLatin1(verdict(firstShownMs <= FirstPageLimitMs))));
    std::fflush(stdout);
    if (qEnvironmentVariableIsSet("KELVORA_BENCH_NO_PDF"))
        return 0;

    // A PDF of a few pages takes milliseconds, where one run says little:
    // such a report and its floor are written five times, in turn, and the
    // best run of each counts.
    const QString pdf = QDir(pdfFolder).filePath(QStringLiteral("report-%1.pdf").arg(which));
    const int runs = pageCount <= 10 ? 5 : 1;
    auto best = [](const Timing &a, const Timing &b) {
        return Timing{std::min(a.wallMs, b.wallMs), std::min(a.cpuMs, b.cpuMs)};
    };
    Timing toPdf{1e300, 1e300}, floor{1e300, 1e300};
    for (int run = 0; run < runs; ++run) {
        toPdf = best(toPdf, timed([&] {
                         if (!engine.WritePdf(pdf))
                             fail("the PDF was not written");
                     }));
        if (QFileInfo(pdf).size() < qint64(pageCount) * 200)
            fail("the PDF is too small for its pages");
        floor = best(floor, bareDrawing(engine.document(),
                                        QDir(pdfFolder).filePath(QStringLiteral("floor-%1.pdf").arg(which))));
    }
    const double peak = benchsupport::peakMegabytes();
    if (runs > 1)
        std::printf("  PDF and its floor: the best of %d runs each\n", runs);

    line("bare QPainter drawing into PDF", floor);
    const double ratio = floor.cpuMs > 0 ? toPdf.cpuMs / floor.cpuMs : 0;
    line("all pages into PDF", toPdf,
         QStringLiteral("%1x the drawing (cpu), limit %2x: %3")
             .arg(ratio, 0, 'f', 2)
             .arg(PdfOverFloorLimit)
             .arg(QString::fromLatin1(verdict(ratio <= PdfOverFloorLimit))));
    std::printf("  peak memory %.0f MB built, %.0f MB with the PDF (limit %.0f MB: %s)\n", builtPeak, peak,
                PeakLimitMb, verdict(peak <= PeakLimitMb));
    return 0;
}

// Every figure of the report's tables (amounts and serial numbers) is one
// word of the PDF's text: none was broken over two lines or cut.
int wholeFigures(const QString &folder, const QString &pdfFolder)
{
    Store store(folder, globals().DbPassword);
    const QDate first = store.main().scalar(QStringLiteral("SELECT MIN(hmeromhnia) FROM tameio")).toDate();
    const QDate last = store.main().scalar(QStringLiteral("SELECT MAX(hmeromhnia) FROM tameio")).toDate();
    const reports::LargestFigures largest = reports::combinedFigures(reports::readPairTotals(store.main(), first, last, {}));
    std::printf("book: %lld movements, largest income column total %s\n", largest.serial,
                qPrintable(largest.income.widest()));
    int failures = 0;
    for (const auto &[number, analytic] : {std::pair{4, true}, std::pair{4, false}, std::pair{5, true}, std::pair{7, true}}) {
        pages::Engine engine;
        if (!reports::runReport(number, engine, store, wholeBook(first, last, analytic)).complete())
            fail("the report did not complete");
        const QString pdf = QDir(pdfFolder).filePath(QStringLiteral("whole-%1.pdf").arg(number));
        if (!engine.WritePdf(pdf))
            fail("the PDF was not written");
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        if (!pdftotext.waitForFinished(-1) || pdftotext.exitCode() != 0)
            fail("pdftotext failed");
        const QStringList words = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(
            QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        const QSet<QString> printed(words.begin(), words.end());
        qint64 checked = 0, missing = 0;
        for (const pages::TableContent &table : engine.document().tables) {
            for (qsizetype r = 0; r < table.rowCount(); ++r) {
                for (const QString &cell : table.row(r)) {
                    const QString figure = cell.trimmed();
                    if (figure.isEmpty() || figure.contains(u' ') || !pages::isNumberWord(figure))
                        continue;
                    ++checked;
                    if (!printed.contains(figure) && missing++ < 5)
                        std::printf("  report %d: %s is not whole in the PDF\n", number, qPrintable(figure));
                }
            }
        }
        std::printf("report %d%s: %d pages, %lld figures checked, %lld not whole\n", number,
                    analytic ? "" : " (summary)", engine.PageCount(), checked, missing);
        if (checked == 0 || missing > 0)
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == QStringLiteral("--whole-figures"))
        return wholeFigures(args.value(2), args.value(3));
    if (args.value(1) == QStringLiteral("--one"))
        return runOne(args.value(2), args.value(3), args.value(4));
    if (args.value(1) == QStringLiteral("--prepare")) {
        // A lasting copy for many --one runs: FROM copied to the empty folder
        // TO and brought to what the program's start makes.
        if (!QDir().mkpath(args.value(3)) || !QDir(args.value(3)).isEmpty())
            fail("--prepare FROM TO needs TO empty");
        std::printf("%s\n", qPrintable(withReadIndexes(args.value(2), args.value(3))));
        return 0;
    }

    QTemporaryDir temp;
    QString folder = args.value(1);
    if (folder.isEmpty()) {
        folder = temp.path();
        const benchsupport::GeneratedBook b = benchsupport::generateBook(folder);
        std::printf("generated book: %d movements on %d days\n", b.movements, b.days);
    }
    QTemporaryDir copy;
    folder = withReadIndexes(folder, copy.path());
    const QString pdfFolder = args.value(2, temp.path());
    const double baseline = benchsupport::peakMegabytes();
    std::printf("book %s; a process with Qt alone peaks at %.0f MB\n", qPrintable(folder), baseline);
    std::fflush(stdout);
    int failures = 0;
    for (const char *which : {"4a", "4s", "5", "7a", "7s", "3", "9", "2"}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(app.applicationFilePath(),
                    {QStringLiteral("--one"), QString::fromLatin1(which), folder, pdfFolder});
        if (!child.waitForFinished(-1) || child.exitCode() != 0)
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
