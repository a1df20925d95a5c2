// Lays out a 10.000-row, 7-column table with alternating shades and writes
// it to PDF; then paints the same texts straight into a PDF with QPainter
// (no layout) as the floor to compare against. Each part runs in a process
// of its own so that the peak memory figures are its own.
//
//   pages_bench [rows] [output folder]

#include "platform/pages/engine.h"
#include "platform/pages/fontmap.h"
#include "bench/support/ProcessUsage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace {

constexpr int Columns = 7;
const QString Format = QStringLiteral("^800|1500|900|<3400|>1350|>1250|>1250");
const QString Header = QStringLiteral(" α/α|Ημερ/νια|Κωδ.|Περιγραφή|Λ τάξεως|Εσοδα|Εξοδα");

QString cellText(int row, int column)
{
    switch (column) {
    case 0: return QString::number(row);
    case 1: return QStringLiteral("%1-12-2005").arg(row % 28 + 1, 2, 10, QLatin1Char('0'));
    case 2: return QString::number(100 + row % 57);
    case 3: return QStringLiteral("Είσπραξη ενοικίου %1").arg(row % 300);
    case 4: return row % 5 ? QString() : QStringLiteral("12,00");
    case 5: return QStringLiteral("%1.%2,50").arg(row % 9 + 1).arg(row % 1000, 3, 10, QLatin1Char('0'));
    default: return row % 3 ? QStringLiteral("0") : QStringLiteral("245,10");
    }
}

QString rowText(int row)
{
    QStringList cells;
    for (int c = 0; c < Columns; ++c)
        cells << cellText(row, c);
    return cells.join(QLatin1Char('|'));
}

using benchsupport::cpuMs;
using benchsupport::peakMegabytes;

int runEngine(int rows, const QString &folder)
{
    pages::Engine engine;
    engine.setMarginLeft(QStringLiteral("0.5cm"));
    engine.setMarginTop(QStringLiteral("0.5cm"));
    engine.setMarginRight(850);
    engine.setMarginBottom(850);
    engine.setFontName(QStringLiteral("arial greek"));
    engine.setFontSize(10);
    engine.setHdrFontName(QStringLiteral("arial greek"));
    engine.setHdrFontSize(13);
    QObject::connect(&engine, &pages::Engine::PrepareFooter, &engine,
                     [&engine] { engine.setFooter(QStringLiteral("Σελίδα %d")); });
    const double before = peakMegabytes();
    QElapsedTimer timer;
    timer.start();
    double cpu = cpuMs();
    engine.StartDoc();
    engine.setHeader(QStringLiteral("Εκτύπωση επιταγών από 01-01-2005 έως 31-12-2005   Κεντρικό"));
    engine.setFontBold(true);
    engine.AddTable(Format, Header, QStringLiteral(" |  | | ||"), pages::rgb(255, 255, 0));
    engine.setFontBold(false);
    bool toggle = false;
    for (int row = 1; row <= rows; ++row) {
        engine.AddTable(Format, Header, rowText(row), pages::rgb(255, 255, 0),
                        toggle ? 0 : pages::rgb(222, 225, 225), true);
        toggle = !toggle;
    }
    engine.EndDoc();
    const qint64 layoutMs = timer.elapsed();
    const double layoutCpu = cpuMs() - cpu;
    const double afterLayout = peakMegabytes();
    timer.restart();
    cpu = cpuMs();
    const QString path = QDir(folder).filePath(QStringLiteral("pages_bench_engine.pdf"));
    if (!engine.WritePdf(path))
        return 1;
    const qint64 pdfMs = timer.elapsed();
    const double pdfCpu = cpuMs() - cpu;
    std::printf("engine: %d rows, %d pages, layout %lld ms (cpu %.0f ms), pdf %lld ms (cpu %.0f ms), "
                "peak memory %.1f MB (%.1f MB before layout, %.1f MB after layout)\n",
                rows, engine.PageCount(), layoutMs, layoutCpu, pdfMs, pdfCpu, peakMegabytes(), before,
                afterLayout);
    return 0;
}

// The same texts and shades painted at fixed places, without layout.
int runFloor(int rows, const QString &folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("pages_bench_floor.pdf"));
    QElapsedTimer timer;
    timer.start();
    const double cpu = cpuMs();
    QPdfWriter writer(path);
    writer.setResolution(1440);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    const QFont font = pages::layoutFont(pages::FontSpec{QStringLiteral("arial greek"), 10.0});
    const QFont bold = pages::layoutFont(pages::FontSpec{QStringLiteral("arial greek"), 10.0, true});
    const int widths[Columns] = {800, 1500, 900, 3400, 1350, 1250, 1250};
    const int rowHeight = 280;
    const int top = 1000;
    const int perPage = 52;
    const QStringList headings = Header.split(QLatin1Char('|'));
    for (int row = 1; row <= rows; ++row) {
        const int onPage = (row - 1) % perPage;
        if (onPage == 0) {
            if (row > 1)
                writer.newPage();
            painter.setFont(bold);
            int x = 283;
            for (int c = 0; c < Columns; ++c) {
                painter.drawText(QPointF(x + 60, top - 80), headings[c]);
                x += widths[c];
            }
            painter.setFont(font);
        }
        const int y = top + onPage * rowHeight;
        if (row % 2)
            painter.fillRect(QRect(283, y, 10450, rowHeight), QColor(222, 225, 225));
        int x = 283;
        for (int c = 0; c < Columns; ++c) {
            painter.drawText(QPointF(x + 60, y + 210), cellText(row, c));
            x += widths[c];
        }
    }
    painter.end();
    std::printf("floor:  %d rows, painted straight into a PDF in %lld ms (cpu %.0f ms), peak memory %.1f MB\n",
                rows, timer.elapsed(), cpuMs() - cpu, peakMegabytes());
    return 0;
}

int runChild(int argc, char **argv, int (*work)(int, const QString &), int rows, const QString &folder)
{
    const pid_t pid = fork();
    if (pid == 0) {
        QGuiApplication app(argc, argv);
        std::fflush(stdout);
        const int code = work(rows, folder);
        std::fflush(stdout);
        _exit(code);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int rows = argc > 1 ? std::atoi(argv[1]) : 10000;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QDir::tempPath();
    int failed = runChild(argc, argv, runEngine, rows, folder);
    failed |= runChild(argc, argv, runFloor, rows, folder);
    return failed;
}
