// Timing of the cash charts over the whole ten-year book, beside the time of
// their bare queries (the same statements stepped through every row, nothing
// built) from the same run. Medians of several runs; wall-clock and CPU time.
// The figures are checked against sums the database gives for the same book,
// and a run whose series are empty or do not add up fails.
//
//   kelvora-bench-charts [FOLDER [PDF]]  (a book is generated into a temporary
//   folder when none is given; the whole chart report goes to PDF)
#include "bench/support/BookGenerator.h"
#include "bench/support/ProcessUsage.h"
#include "bench/support/Timing.h"
#include "data/AppGlobals.h"
#include "data/Schema.h"
#include "data/Store.h"
#include "platform/pages/engine.h"
#include "platform/db/Database.h"
#include "reports/CashChartData.h"
#include "reports/CashChartPlans.h"
#include "reports/ReportRunner.h"
#include "reports/widgets/ChartDrawing.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPicture>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Timing
{
    double wallMs = 0;
    double cpuMs = 0;
};

Timing medianOf(int runs, const std::function<void()> &f)
{
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        const double before = benchsupport::cpuMs();
        wall.push_back(benchsupport::millis(f));
        cpu.push_back(benchsupport::cpuMs() - before);
    }
    return {benchsupport::median(wall), benchsupport::median(cpu)};
}

void print(const char *what, const Timing &t, const char *limit)
{
    std::printf("  %-46s %8.1f ms  (cpu %7.1f ms)   %s\n", what, t.wallMs, t.cpuMs, limit);
}

// The statements the chart data reads, stepped through every row.
qint64 bareQueries(db::Database &main, const QDate &from, const QDate &to)
{
    const QString statements[] = {
        QStringLiteral("SELECT hmeromhnia, kvdikos, SUM(esoda), SUM(ejoda) FROM kinhseis"
                       " WHERE hmeromhnia BETWEEN ?1 AND ?2 GROUP BY hmeromhnia, kvdikos ORDER BY hmeromhnia, kvdikos"),
        QStringLiteral("SELECT hmeromhnia, COALESCE(arxiko, 0), ypoloipo FROM tameio"
                       " WHERE hmeromhnia BETWEEN ?1 AND ?2 ORDER BY hmeromhnia"),
    };
    qint64 rows = 0;
    for (const QString &sql : statements) {
        db::Statement st = main.prepare(sql);
        st.bindAll(from, to);
        while (st.next())
            ++rows;
    }
    return rows;
}

int failures = 0;
void check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "FAILED: %s\n", what);
        ++failures;
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);  // Qt Charts draws through the graphics view
    QTemporaryDir temp;
    QString folder = app.arguments().value(1);
    if (folder.isEmpty()) {
        folder = temp.path();
        const benchsupport::GeneratedBook b = benchsupport::generateBook(folder);
        std::printf("generated book: %d movements on %d days\n", b.movements, b.days);
    }
    const QString pdf = app.arguments().value(2, QDir(temp.path()).filePath(QStringLiteral("charts.pdf")));

    Store store(folder, globals().DbPassword);
    db::Database &main = store.main();  // the key derivation is not part of the charts
    // As every start does: a book made before the read indexes gets them here.
    schema::createReadIndexes(main);
    const QDate from = main.scalar(QStringLiteral("SELECT MIN(hmeromhnia) FROM kinhseis")).toDate();
    const QDate to = main.scalar(QStringLiteral("SELECT MAX(hmeromhnia) FROM kinhseis")).toDate();
    std::printf("book: %lld movements, %s to %s\n",
                main.scalar(QStringLiteral("SELECT COUNT(*) FROM kinhseis")).toLongLong(),
                qPrintable(from.toString(Qt::ISODate)), qPrintable(to.toString(Qt::ISODate)));

    constexpr int Runs = 7;
    qint64 rows = 0;
    const Timing bare = medianOf(Runs, [&] { rows = bareQueries(main, from, to); });

    reports::CashChartData data;
    const Timing computed = medianOf(Runs, [&] { data = reports::readCashChartData(main, from, to); });

    const reports::ChartPainter &painter = reports::chartDrawing();
    const QSizeF frame(714, 450);   // a chart across an A4 page, in 1/96-inch pixels
    int drawnBytes = 0;
    const auto draw = [&] {
        drawnBytes = 0;
        for (const reports::ChartPlan &chart : {reports::balanceChart(data), reports::monthChart(data),
                                                reports::expenseSharesChart(data), reports::incomeSharesChart(data)}) {
            QPicture picture;
            QPainter recorder(&picture);
            painter.paint(recorder, frame, chart);
            recorder.end();
            drawnBytes += int(picture.size());
        }
    };
    const Timing drawn = medianOf(Runs, draw);
    const Timing both = medianOf(Runs, [&] {
        data = reports::readCashChartData(main, from, to);
        draw();
    });

    pages::Engine engine;
    reports::ReportInput input;
    input.from = from;
    input.to = to;
    input.fromText = from.toString(QStringLiteral("dd-MM-yyyy"));
    input.toText = to.toString(QStringLiteral("dd-MM-yyyy"));
    input.headerCaption = globals().HeaderCaption;
    input.chartPainter = &painter;
    bool complete = false;
    const Timing report = medianOf(3, [&] { complete = reports::runReport(10, engine, store, input).complete(); });
    bool written = false;
    const Timing pdfTime = medianOf(1, [&] { written = engine.WritePdf(pdf); });

    std::printf("\ncharts of the whole book (%lld days, %lld months), median of %d runs:\n",
                qint64(from.daysTo(to) + 1), qint64(data.months.size()), Runs);
    print("bare queries (floor)", bare, "");
    print("chart data computed", computed, "");
    print("four charts drawn (Qt Charts, recorded)", drawn, "");
    print("computed and drawn", both, both.wallMs <= 300 ? "limit 300 ms: met" : "limit 300 ms: NOT MET");
    print("whole report (charts on pages, tables)", report, "");
    print("PDF written", pdfTime, "");
    std::printf("  %lld rows stepped by the bare queries, %d bytes of drawing commands, %d pages\n", rows,
                drawnBytes, engine.PageCount());

    // The work was done and adds up.
    const Money income = Money::fromUnits(main.scalar(QStringLiteral(
        "SELECT SUM(esoda) FROM kinhseis WHERE hmeromhnia BETWEEN ?1 AND ?2"), from, to).toLongLong());
    const Money expense = Money::fromUnits(main.scalar(QStringLiteral(
        "SELECT SUM(ejoda) FROM kinhseis WHERE hmeromhnia BETWEEN ?1 AND ?2"), from, to).toLongLong());
    const Money lastBalance = Money::fromUnits(main.scalar(QStringLiteral(
        "SELECT ypoloipo FROM tameio WHERE hmeromhnia <= ?1 ORDER BY hmeromhnia DESC LIMIT 1"), to).toLongLong());
    Money monthIncome, monthExpense, shareIncome, shareExpense;
    for (const reports::MonthTotals &m : data.months)
        monthIncome += m.income, monthExpense += m.expense;
    for (const reports::GroupShare &s : data.incomeShares)
        shareIncome += s.amount;
    for (const reports::GroupShare &s : data.expenseShares)
        shareExpense += s.amount;
    check(data.balances.size() > 100 && data.months.size() >= 100, "the series are not empty");
    check(!data.incomeShares.isEmpty() && !data.expenseShares.isEmpty(), "the shares are not empty");
    check(monthIncome == income && monthExpense == expense, "the month bars add up to the book");
    check(shareIncome == income && shareExpense == expense, "the group shares add up to the book");
    check(data.balanceOn(to) == lastBalance, "the last balance is the book's");
    check(drawnBytes > 10000, "the charts were drawn");
    check(complete && engine.PageCount() >= 3, "the report was built");
    check(written && QFileInfo(pdf).size() > 0, "the PDF was written");
    if (failures)
        return 1;
    return both.wallMs <= 300 ? 0 : 2;
}
