// Timings of the day reports on the generated ten-year book, as the user
// meets them: from the print button to the report window shown, and the PDF
// of the day sheet. Usage: kelvora-bench-reports [FOLDER]  (a book is
// generated into a temporary folder when none is given).
#include "bench/support/Timing.h"
#include "bench/support/BookGenerator.h"
#include "data/AppGlobals.h"
#include "data/Store.h"
#include "platform/desktop/Messages.h"
#include "platform/desktop/Settings.h"
#include "platform/pages/engine.h"
#include "reports/ReportRunner.h"
#include "reports/widgets/Ektypvsh.h"
#include "reports/widgets/ReportsTab.h"
#include "shell/analysis/widgets/AnalyshFRM.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using benchsupport::median;

namespace {

// The machine is shared: beside the wall time, the processor time this
// process spent shows what the work itself costs.
double g_cpuMillis = 0;

double millis(const std::function<void()> &f)
{
    QElapsedTimer t;
    const std::clock_t c0 = std::clock();
    t.start();
    f();
    g_cpuMillis += 1000.0 * double(std::clock() - c0) / CLOCKS_PER_SEC;
    return double(t.nsecsElapsed()) / 1e6;
}

void report(const char *what, const std::vector<double> &runs, double cpuTotal, double target)
{
    const double m = median(runs);
    std::printf("%-52s median %7.1f ms  (min %6.1f, max %6.1f; processor %6.1f ms a run; target < %.0f ms) %s\n",
                what, m, *std::min_element(runs.begin(), runs.end()), *std::max_element(runs.begin(), runs.end()),
                cpuTotal / double(runs.size()), target, m < target ? "ok" : "SLOW");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp;
    QString folder = app.arguments().value(1);
    if (folder.isEmpty()) {
        folder = temp.path();
        const benchsupport::GeneratedBook b = benchsupport::generateBook(folder);
        std::printf("generated book: %d movements on %d days\n", b.movements, b.days);
    }
    msg::install([](const msg::Box &box) {
        std::fprintf(stderr, "unexpected box: %s\n", qPrintable(box.text));
        return msg::Answer::Ok;
    });
    settings::useFile(temp.filePath(QStringLiteral("Kelvora.ini")));
    Ektypvsh::setPrinterProbe({[] { return 0; }, [] { return QString(); }});

    Store store(folder, globals().DbPassword);
    db::Database &db = store.main();
    const QDate busiest = QDate::fromString(
        db.scalar(QStringLiteral("SELECT hmeromhnia FROM kinhseis GROUP BY hmeromhnia ORDER BY count(*) DESC LIMIT 1"))
            .toString(),
        Qt::ISODate);
    const QDate last = QDate::fromString(db.scalar(QStringLiteral("SELECT max(hmeromhnia) FROM tameio")).toString(),
                                         Qt::ISODate);
    const int busiestRows =
        db.scalar(QStringLiteral("SELECT count(*) FROM kinhseis WHERE hmeromhnia = ?1"), busiest).toInt();
    std::printf("busiest day %s with %d movements; last day %s\n", qPrintable(busiest.toString(Qt::ISODate)),
                busiestRows, qPrintable(last.toString(Qt::ISODate)));

    // The analysis follows four codes in two groups, as a desk with two banks would.
    db::Statement codes = db.prepare(QStringLiteral("SELECT kvdikos, perigrafh FROM kvdikoi ORDER BY kvdikos LIMIT 4"));
    for (int slot = 0; codes.next(); ++slot)
        if (!settings::write(QStringLiteral("AnakyshFRM"), QStringLiteral("Kvd%1").arg(slot),
                             QString::number(codes.integer(0)) + QLatin1Char(' ') + codes.text(1)))
            std::printf("the settings could not be written\n");

    MainWindowState state;
    state.store = &store;
    PageContext context;
    context.state = &state;
    QWidget mainWindow;
    ReportsTab tab(context, &mainWindow);
    mainWindow.show();
    auto *list = mainWindow.findChild<QListWidget *>(QStringLiteral("List2(0)"));
    auto *from = mainWindow.findChild<QLineEdit *>(QStringLiteral("Text1(7)"));
    auto *to = mainWindow.findChild<QLineEdit *>(QStringLiteral("Text1(8)"));

    // The print button up to the report window shown and painted.
    auto printButton = [&](int number, const QDate &day) {
        from->setText(day.toString(QStringLiteral("dd-MM-yyyy")));
        to->setText(day.toString(QStringLiteral("dd-MM-yyyy")));
        list->setCurrentRow(number - 1);
        if (number == 8) // the user saves the analysis set-up at once
            QTimer::singleShot(0, [] {
                if (AnalyshFRM *w = AnalyshFRM::instance())
                    w->save();
            });
        return millis([&] {
            tab.PrintSelected();
            QApplication::processEvents();
        });
    };

    printButton(1, busiest);  // warm-up: fonts, first reads
    printButton(8, last);
    std::vector<double> sheet, analysisRuns, pdf;
    double cpuSheet = 0, cpuPdf = 0, cpuAnalysis = 0, cpuAlone = 0;
    g_cpuMillis = 0;
    for (int i = 0; i < 9; ++i)
        sheet.push_back(printButton(1, busiest));
    cpuSheet = g_cpuMillis;
    std::printf("day sheet: %d pages\n", tab.reportWindow()->engine().PageCount());
    const QString file = temp.filePath(QStringLiteral("day.pdf"));
    g_cpuMillis = 0;
    for (int i = 0; i < 9; ++i)
        pdf.push_back(millis([&] { tab.reportWindow()->saveAsPdf(file); }));
    cpuPdf = g_cpuMillis;
    g_cpuMillis = 0;
    for (int i = 0; i < 9; ++i)
        analysisRuns.push_back(printButton(8, last));
    cpuAnalysis = g_cpuMillis;
    g_cpuMillis = 0;
    // The analysis report alone, with the set-up answered in advance.
    std::vector<double> analysisOnly;
    for (int i = 0; i < 9; ++i) {
        pages::Engine engine;
        reports::ReportInput input;
        input.answers.analysisSetup = analysis::loadAnalysisSetup();
        input.fromText = input.toText = last.toString(QStringLiteral("dd-MM-yyyy"));
        input.from = input.to = last;
        analysisOnly.push_back(millis([&] { reports::runReport(8, engine, store, input); }));
    }
    cpuAlone = g_cpuMillis;
    report("day sheet of the busiest day, button to window shown", sheet, cpuSheet, 150);
    report("analysis of the last day, button to window shown", analysisRuns, cpuAnalysis, 150);
    report("analysis of the last day, report alone", analysisOnly, cpuAlone, 150);
    report("PDF of the day sheet of the busiest day", pdf, cpuPdf, 200);
    return 0;
}
