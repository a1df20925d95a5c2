// Timings of the long reports on the generated ten-year book, each beside the
// time of its bare query (the same statement stepped through every row, no
// layout), so the ratio shows what the layout costs. Wall-clock and CPU time
// are both printed: on a shared machine the CPU time says more.
//
//   kelvora-bench-long-reports [FOLDER [PDF]]  (a book is generated into a temporary
//   folder when none is given; the PDF of movements by code goes to PDF)
#include "bench/support/BookGenerator.h"
#include "bench/support/ProcessUsage.h"
#include "data/AppGlobals.h"
#include "data/Store.h"
#include "platform/pages/engine.h"
#include "reports/MovementRows.h"
#include "reports/PeriodRows.h"
#include "reports/ReportRunner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

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

void print(const char *what, const Timing &t, const char *limit)
{
    std::printf("  %-44s %8.0f ms  (cpu %6.0f ms)   limit %s\n", what, t.wallMs, t.cpuMs, limit);
}

reports::ReportInput wholeBook(const QDate &from, const QDate &to)
{
    reports::ReportInput input;
    input.from = from;
    input.to = to;
    input.fromText = from.toString(QStringLiteral("dd-MM-yyyy"));
    input.toText = to.toString(QStringLiteral("dd-MM-yyyy"));
    input.headerCaption = globals().HeaderCaption;
    return input;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QTemporaryDir temp;
    QString folder = app.arguments().value(1);
    if (folder.isEmpty()) {
        folder = temp.path();
        const benchsupport::GeneratedBook b = benchsupport::generateBook(folder);
        std::printf("generated book: %d movements on %d days\n", b.movements, b.days);
    }
    const QString pdf = app.arguments().value(2, QDir(temp.path()).filePath(QStringLiteral("movements.pdf")));

    Store store(folder, globals().DbPassword);
    store.main();   // the key derivation of each file is not part of any report
    store.users();
    const QDate first = store.main().scalar(QStringLiteral("SELECT MIN(hmeromhnia) FROM tameio")).toDate();
    const QDate last = store.main().scalar(QStringLiteral("SELECT MAX(hmeromhnia) FROM tameio")).toDate();
    const qint64 movements = store.main().scalar(QStringLiteral("SELECT COUNT(*) FROM kinhseis")).toLongLong();
    std::printf("book: %lld movements, %s to %s\n", movements, qPrintable(first.toString(Qt::ISODate)),
                qPrintable(last.toString(Qt::ISODate)));

    // Movements by code, analytic, all codes, the whole book.
    {
        int rows = 0;
        const Timing bare = timed([&] {
            reports::readMovementsByCode(store.main(), first, last, {}, [&](const reports::MovementRow &) { ++rows; });
        });
        pages::Engine engine;
        const reports::ReportInput input = wholeBook(first, last);
        const Timing built = timed([&] { reports::runReport(4, engine, store, input); });
        QImage page;
        const Timing shown = timed([&] {
            engine.setPreviewPage(1);
            page = engine.Picture();
        });
        const Timing toPdf = timed([&] { engine.WritePdf(pdf); });
        std::printf("movements by code, analytic, all codes (%d movements, %d pages):\n", rows, engine.PageCount());
        print("bare query", bare, "-");
        print("built", built, "-");
        print("built and first page shown", {built.wallMs + shown.wallMs, built.cpuMs + shown.cpuMs}, "3000 ms");
        print("all pages into PDF", toPdf, "15000 ms");
        std::printf("  peak memory %.0f MB (limit 500 MB); first page %dx%d px\n", benchsupport::peakMegabytes(), page.width(),
                    page.height());
    }

    // Cash results summary over the ten years.
    {
        int days = 0;
        const Timing bare = timed([&] { days = int(reports::readCashDays(store.main(), first, last).size()); });
        pages::Engine engine;
        const Timing built = timed([&] { reports::runReport(3, engine, store, wholeBook(first, last)); });
        std::printf("cash results summary (%d days, %d pages):\n", days, engine.PageCount());
        print("bare query", bare, "-");
        print("built", built, "500 ms");
    }

    // Days not closed over the ten years: one query for the closed days, then
    // every day of the range looked up in memory. The generated book closes
    // every day, so a copy of it with every third closed day reopened gives a
    // list to lay out.
    {
        QTemporaryDir copyDir;
        for (const char *name : {"kelvora.mdb", "mapcodes.mdb"})
            QFile::copy(QDir(folder).filePath(QString::fromLatin1(name)), QDir(copyDir.path()).filePath(QString::fromLatin1(name)));
        Store copy(copyDir.path(), globals().DbPassword);
        copy.main();
        db::Database &users = copy.users();
        const QDate firstClosed = users.scalar(QStringLiteral("SELECT MIN(Hmeraklhsimatos) FROM KlhsimoTameioy")).toDate();
        const QDate lastClosed = users.scalar(QStringLiteral("SELECT MAX(Hmeraklhsimatos) FROM KlhsimoTameioy")).toDate();
        users.execute(QStringLiteral("DELETE FROM KlhsimoTameioy WHERE rowid % 3 = 0 AND Hmeraklhsimatos > ?1"
                                     " AND Hmeraklhsimatos < ?2"), firstClosed, lastClosed);
        int closed = 0;
        const Timing bare = timed([&] { closed = int(reports::readClosedDays(users).size()); });
        pages::Engine engine;
        const Timing built =
            timed([&] { reports::runReport(9, engine, copy, wholeBook(firstClosed, lastClosed)); });
        std::printf("days not closed, %s to %s (%d closed days, %d days listed, %d pages):\n",
                    qPrintable(firstClosed.toString(Qt::ISODate)), qPrintable(lastClosed.toString(Qt::ISODate)),
                    closed, int(engine.document().tableRows(1).size()), engine.PageCount());
        print("bare query", bare, "-");
        print("built", built, "500 ms");
    }
    std::printf("peak memory of the whole run %.0f MB\n", benchsupport::peakMegabytes());
    return 0;
}
