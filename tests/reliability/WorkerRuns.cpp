#include "WorkerRuns.h"

#include "BookInspection.h"
#include "BookModel.h"

#include "bench/support/BookGenerator.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

namespace reliability {
namespace {

QString stateDifference(const BookState &expected, const BookState &found)
{
    QStringList out;
    if (expected.movements != found.movements)
        out << QStringLiteral("movements %1 expected, %2 found").arg(expected.movements.size()).arg(found.movements.size());
    if (expected.codeDescriptions != found.codeDescriptions)
        out << QStringLiteral("code descriptions differ");
    if (expected.groupNames != found.groupNames)
        out << QStringLiteral("group names differ");
    if (expected.closedDays != found.closedDays)
        out << QStringLiteral("closed days differ");
    return out.join(QStringLiteral(", "));
}

qint64 nextId(const QList<LoggedOperation> &ops, qint64 current)
{
    for (const LoggedOperation &op : ops)
        current = std::max(current, op.id + 1);
    return current;
}

} // namespace

void generateWorkBook(const QString &folder)
{
    benchsupport::BookSize size;
    size.firstDay = QDate(2025, 1, 6);
    size.years = 1;
    size.movementsPerDay = 6;
    benchsupport::generateBook(folder, size);
}

CrashFigures runCrashRounds(const QString &workerPath, const QString &folder, int kills, quint32 seed)
{
    CrashFigures fig;
    QRandomGenerator random(seed);
    qint64 id = 1;
    for (int round = 0; round < kills; ++round) {
        const BookState before = readState(folder);
        QProcess worker;
        worker.start(workerPath, {QStringLiteral("crash"), folder, QString::number(random.generate()), QString::number(id)});
        QByteArray out;
        while (!out.contains("R\n") && worker.waitForReadyRead(20000))
            out += worker.readAllStandardOutput();
        QThread::msleep(random.bounded(0, 300));
        worker.kill();
        worker.waitForFinished(20000);
        out += worker.readAllStandardOutput();
        ++fig.kills;

        const QList<LoggedOperation> ops = parseLog(out);
        id = nextId(ops, id);
        BookState expected = before;
        const LoggedOperation *inFlight = nullptr;
        for (const LoggedOperation &op : ops) {
            if (op.end == LoggedOperation::End::Committed) {
                expected = applied(expected, op);
                ++fig.committed;
            } else if (op.end == LoggedOperation::End::None) {
                inFlight = &op;
            }
        }
        const QString where = QStringLiteral("kill %1: ").arg(round + 1);
        QStringList faults = inspect::consistencyFaults(folder);
        if (!faults.isEmpty()) {
            fig.faults << where + faults.join(QStringLiteral("; "));
            continue;
        }
        const BookState found = readState(folder);
        if (found == expected) {
            ++fig.consistent;
            if (inFlight)
                ++fig.inFlightAbsent;
        } else if (inFlight && found == applied(expected, *inFlight, findInsert(found, *inFlight))) {
            ++fig.consistent;
            ++fig.inFlightWhole;
        } else {
            fig.faults << where + stateDifference(expected, found)
                              + (inFlight ? QStringLiteral(" (in flight: %1)").arg(inFlight->begin.join(QLatin1Char(' ')))
                                          : QString());
        }
    }
    return fig;
}

TwoWorkstationFigures runTwoWorkstations(const QString &workerPath, const QString &folder, int seconds, int busyMs,
                                         quint32 seed)
{
    QProcess cashier, office;
    const QString secs = QString::number(seconds), busy = QString::number(busyMs);
    cashier.start(workerPath, {QStringLiteral("cashier"), folder, secs, QString::number(seed), QStringLiteral("1"), busy});
    office.start(workerPath,
                 {QStringLiteral("office"), folder, secs, QString::number(seed + 1), QStringLiteral("1000000000"), busy});
    TwoWorkstationFigures fig;
    QByteArray cashierOut, officeOut;
    // Read while they run so a full pipe never stalls a worker.
    const int limitMs = (seconds + 60) * 1000;
    QElapsedTimer clock;
    clock.start();
    while ((cashier.state() != QProcess::NotRunning || office.state() != QProcess::NotRunning) && clock.elapsed() < limitMs) {
        // Without an event loop a QProcess notices output and its end only while waited on.
        cashier.waitForReadyRead(25);
        office.waitForReadyRead(25);
        cashierOut += cashier.readAllStandardOutput();
        officeOut += office.readAllStandardOutput();
    }
    for (QProcess *p : {&cashier, &office}) {
        if (p->state() != QProcess::NotRunning) {
            fig.faults << QStringLiteral("a workstation was still working a minute after its time: frozen");
            p->kill();
            p->waitForFinished();
        }
    }
    cashierOut += cashier.readAllStandardOutput();
    officeOut += office.readAllStandardOutput();
    for (const QByteArray &out : {cashierOut, officeOut})
        for (const QByteArray &line : out.split('\n'))
            if (line.startsWith("X "))
                fig.faults << QString::fromUtf8(line);

    const QStringList corruption = inspect::consistencyFaults(folder);
    fig.corrupt = int(corruption.size());
    fig.faults << corruption;
    const BookState book = readState(folder);
    QMap<QString, QString> lastNames; // "code <id>" or "group <aa>" -> last name reported done
    for (const QByteArray *out : {&cashierOut, &officeOut}) {
        for (const LoggedOperation &op : parseLog(*out)) {
            const QString kind = op.begin.value(0);
            const bool isInsert = kind == QLatin1String("ins");
            if (op.end == LoggedOperation::End::Committed) {
                ++fig.writes;
                if (isInsert && applied(BookState(), op).movements.value(op.newAa) != book.movements.value(op.newAa))
                    ++fig.lost;
                else if (kind == QLatin1String("close") && !book.closedDays.contains(op.begin.value(1)))
                    ++fig.lost;
                else if (kind == QLatin1String("code") || kind == QLatin1String("group"))
                    lastNames[kind + QLatin1Char(' ') + op.begin.value(1)] = op.begin.value(2);
            } else if (op.end == LoggedOperation::End::Failed) {
                op.told ? ++fig.refusedTold : ++fig.silentFailures;
                if (op.told && (op.failureText.contains(QLatin1String("locked")) || op.failureText.contains(QLatin1String("busy"))))
                    ++fig.busyTold;
                if (isInsert && findInsert(book, op))
                    ++fig.phantom;
                if (!op.told)
                    fig.faults << QStringLiteral("failed without a message: ") + op.begin.join(QLatin1Char(' '));
            }
        }
    }
    for (auto it = lastNames.cbegin(); it != lastNames.cend(); ++it) {
        const QStringList key = it.key().split(QLatin1Char(' '));
        const QString found = key[0] == QLatin1String("code") ? book.codeDescriptions.value(key[1].toLongLong())
                                                              : book.groupNames.value(key[1].toLongLong());
        if (found != it.value())
            ++fig.lost;
    }
    if (fig.lost || fig.phantom)
        fig.faults << QStringLiteral("%1 lost and %2 phantom writes").arg(fig.lost).arg(fig.phantom);
    return fig;
}

} // namespace reliability
