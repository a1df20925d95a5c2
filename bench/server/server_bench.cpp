// Showing a day, inserting on the first day (every later day's balance moves)
// and the movements-by-code report, on the ten-year book in its data folder
// and on the same book copied onto a private database server, side by side.
// Usage: kelvora-bench-server [FOLDER [CONNECTION]]  (a book is generated when
// none is given; with CONNECTION, a server book already copied from FOLDER is
// used instead of a fresh copy on a private server).
#include "bench/support/BookGenerator.h"
#include "bench/support/ProcessUsage.h"
#include "bench/support/Timing.h"
#include "cashbook/CashBook.h"
#include "cashbook/CashOperations.h"
#include "data/AppGlobals.h"
#include "data/Store.h"
#include "platform/desktop/Messages.h"
#include "platform/pages/engine.h"
#include "platform/regional/GreekFormats.h"
#include "reports/ReportRunner.h"
#include "support/PgTestServer.h"
#include "tools/BookCopy.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <vector>

using benchsupport::median;
using benchsupport::millis;

namespace {

[[noreturn]] void fail(const QString &why)
{
    std::fprintf(stderr, "FAILED: %s\n", qPrintable(why));
    std::exit(1);
}

struct Figures
{
    double show = 0, insert = 0, report = 0;
    int pages = 0;
    double residentBefore = 0, reportPeak = 0; // megabytes
};

Money lastBalance(db::Database &main)
{
    return Money::fromUnits(
        main.scalar(QStringLiteral("SELECT ypoloipo FROM tameio ORDER BY hmeromhnia DESC LIMIT 1")).toLongLong());
}

Figures measure(const QString &place)
{
    Store store(place, globals().DbPassword);
    db::Database &main = store.main();
    cashbook::CashBook book(store);
    cashbook::CashOperations ops(book);
    const QDate first = QDate::fromString(main.scalar(QStringLiteral("SELECT min(hmeromhnia) FROM tameio")).toString(),
                                          Qt::ISODate);
    const QDate last = QDate::fromString(main.scalar(QStringLiteral("SELECT max(hmeromhnia) FROM tameio")).toString(),
                                         Qt::ISODate);
    // The middle day row of the book: a day with movements.
    const QDate middle = QDate::fromString(
        main.scalar(QStringLiteral("SELECT hmeromhnia FROM tameio ORDER BY hmeromhnia LIMIT 1 "
                                   "OFFSET (SELECT count(*) / 2 FROM tameio)"))
            .toString(),
        Qt::ISODate);
    const qint64 laterDays =
        main.scalar(QStringLiteral("SELECT count(*) FROM tameio WHERE hmeromhnia > ?1"), first).toLongLong();

    Figures f;
    std::vector<double> show;
    int lines = 0;
    for (int i = 0; i < 50; ++i)
        show.push_back(millis([&] { lines = int(book.readDayAndSaveRow(middle).movements.size()); }));
    if (lines == 0)
        fail(QStringLiteral("the middle day showed no movement"));
    f.show = median(show);

    cashbook::MovementEntry e;
    e.dateText = regional::formatDate(first);
    e.code = 100;
    e.description = QStringLiteral("ΔΟΚΙΜΗ");
    e.incomeText = QStringLiteral("12,34");
    e.expenseText = QStringLiteral("0");
    e.memoText = QStringLiteral("0");
    std::vector<double> insert;
    const Money before = lastBalance(main);
    for (int i = 0; i < 10; ++i) {
        qint64 aa = 0;
        insert.push_back(millis([&] { aa = ops.InsertMovement(e).value_or(0); }));
        if (aa == 0 || lastBalance(main) != before + Money::fromCents(1234))
            fail(QStringLiteral("the insert was not written, or the later balances did not move"));
        if (!ops.DeleteMovement(aa) || lastBalance(main) != before)
            fail(QStringLiteral("the insert could not be taken back"));
    }
    f.insert = median(insert);
    std::printf("  %lld later days moved by each insert; %d movements on the shown day\n", laterDays, lines);

    reports::ReportInput input;
    input.from = first;
    input.to = last;
    input.fromText = regional::formatDate(first);
    input.toText = regional::formatDate(last);
    input.headerCaption = globals().HeaderCaption;
    input.answers.printChoice.analytic = true;
    pages::Engine engine;
    f.residentBefore = benchsupport::residentMegabytes();
    if (!benchsupport::restartPeak())
        std::printf("  (the peak resident size below covers the whole run: the kernel cannot restart it)\n");
    f.report = millis([&] {
        if (!reports::runReport(4, engine, store, input).complete())
            fail(QStringLiteral("the movements-by-code report did not complete"));
    });
    f.reportPeak = benchsupport::peakSinceRestartMegabytes();
    f.pages = engine.PageCount();
    if (f.pages < 2)
        fail(QStringLiteral("the report made no pages"));
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir temp;
    QString folder = app.arguments().value(1);
    if (folder.isEmpty()) {
        folder = temp.path();
        benchsupport::generateBook(folder);
    }
    msg::install([](const msg::Box &box) {
        if (box.icon != msg::Icon::Question)
            fail(QStringLiteral("unexpected box: ") + box.text);
        return msg::Answer::Ok;
    });
    globals().RightChangeRecords = true;

    QString connection = app.arguments().value(2);
    if (connection.isEmpty()) {
        connection = PgTestServer::instance().createDatabase();
        QElapsedTimer copying;
        copying.start();
        bookcopy::copyToServer(folder, globals().DbPassword, connection);
        std::printf("book copied onto the server and checked in %.1f s\n", double(copying.elapsed()) / 1000.0);
    }

    std::printf("in the data folder:\n");
    const Figures file = measure(folder);
    std::printf("on the server:\n");
    const Figures server = measure(connection);
    if (file.pages != server.pages)
        fail(QStringLiteral("the report has %1 pages from the folder and %2 from the server").arg(file.pages).arg(server.pages));

    std::printf("\n%-46s %10s %10s %7s\n", "medians", "folder ms", "server ms", "ratio");
    const auto row = [](const char *what, double a, double b) {
        std::printf("%-46s %10.2f %10.2f %6.2fx  (target within 2x: %s)\n", what, a, b, b / a, b <= 2 * a ? "met" : "NOT MET");
    };
    row("show the middle day (read, day row)", file.show, server.show);
    row("insert on the first day, committed", file.insert, server.insert);
    row("movements by code, whole book, built", file.report, server.report);
    std::printf("(%d pages from each)\n", file.pages);
    std::printf("%-46s %10.1f %10.1f MB\n", "movements by code: peak resident size", file.reportPeak, server.reportPeak);
    std::printf("%-46s %10.1f %10.1f MB\n", "  resident before the report", file.residentBefore, server.residentBefore);
    return 0;
}
