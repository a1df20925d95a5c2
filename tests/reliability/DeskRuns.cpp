#include "DeskRuns.h"

#include "BookInspection.h"
#include "DeskBookCheck.h"
#include "BookModel.h"
#include "DeskWorker.h"
#include "WorkerRuns.h"
#include "WorkerSteps.h"

#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/InUseMarker.h"
#include "data/ServerMarker.h"
#include "support/PgTestServer.h"
#include "tools/BookCopy.h"

#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <limits>
#include <memory>

namespace reliability {
namespace {

using deskcheck::End;
using deskcheck::Op;
using deskcheck::firstFreeNumber;

const QString Refusal = QStringLiteral("Αδύνατη η πρόσβαση: ");
constexpr qint64 Forever = std::numeric_limits<qint64>::max();

// One worker process from its start to its end.
struct DeskProcess
{
    int desk = 0;
    std::unique_ptr<QProcess> process;
    QByteArray out;
    bool killed = false;
    qint64 killedAt = 0; // monotonic microseconds just before the kill
    bool lostServer = false; // ended because the server stopped
    int exitCode = 0;

    QByteArray lastLine() const
    {
        const QByteArray trimmed = out.endsWith('\n') ? out.chopped(1) : out;
        const qsizetype cut = trimmed.lastIndexOf('\n');
        return cut < 0 ? trimmed : trimmed.mid(cut + 1);
    }
    bool inWrite() const { return out.endsWith('\n') && lastLine().startsWith("B "); }
    bool holdsRight() const
    {
        // The last word on the right is "M <t> 1", not "M <t> 0" (a desk
        // begins with "W", so every "M" line follows a line break).
        const qsizetype at = out.lastIndexOf("\nM ");
        if (at < 0)
            return false;
        const qsizetype end = out.indexOf('\n', at + 1);
        return out.mid(at + 1, end < 0 ? -1 : end - at - 1).endsWith(" 1");
    }
    void read() { out += process->readAllStandardOutput(); }
};

// A period in which a desk held the right. `from`..`to` is surely inside it
// (said after the take, before the give-back); `outerFrom`..`outerTo` surely
// covers it (said before trying, after giving back).
struct Hold
{
    int desk = 0;
    qint64 outerFrom = 0, from = 0, to = Forever, outerTo = Forever;
};

struct Refused
{
    qint64 id = 0;
    qint64 from = 0, to = 0;
};

qint64 field(const QByteArray &line, int n)
{
    return line.split(' ').value(n).toLongLong();
}

// The holds and refusal windows one process said.
void readTimes(const DeskProcess &run, QList<Hold> &holds, QHash<qint64, Refused> &refused)
{
    qint64 tried = 0;
    qsizetype open = -1; // the hold not yet given back
    QList<Hold> mine;
    for (const QByteArray &line : run.out.split('\n')) {
        if (line.startsWith("W ")) {
            tried = field(line, 1);
        } else if (line.startsWith("M ") && line.endsWith(" 1")) {
            mine.append({run.desk, tried, field(line, 1), Forever, Forever});
            open = mine.size() - 1;
        } else if (line.startsWith("M ") && open >= 0) {
            mine[open].to = field(line, 1);
        } else if (line.startsWith("U ") && open >= 0) {
            mine[open].outerTo = field(line, 1);
            open = -1;
        } else if (line.startsWith("T ")) {
            refused.insert(field(line, 1), {field(line, 1), field(line, 2), field(line, 3)});
        }
    }
    if (open >= 0 && mine[open].to == Forever && run.killed)
        mine[open].to = run.killedAt;
    if (open >= 0 && mine[open].to == Forever && run.lostServer)
        mine[open].to = mine[open].from; // surely held until the stop: too little is known to compare
    holds << mine;
}

class DeskRun
{
public:
    DeskRun(const QString &workerPath, const QString &connection, const DeskRunSetup &setup)
        : m_worker(workerPath), m_book(connection), m_setup(setup), m_random(setup.seed)
    {
    }

    DeskFigures run()
    {
        const BookState before = readState(m_book);
        m_firstNumber = firstFreeNumber(before);
        QElapsedTimer clock;
        clock.start();
        for (int desk = 1; desk <= m_setup.desks; ++desk)
            start(desk, m_setup.operationsPerDesk);
        work();
        m_fig.seconds = double(clock.elapsed()) / 1000.0;
        check(before);
        return m_fig;
    }

private:
    void start(int desk, int operations)
    {
        DeskProcess &p = m_runs.emplace_back();
        p.desk = desk;
        p.process = std::make_unique<QProcess>();
        p.process->start(m_worker, {QStringLiteral("desk"), m_book, QString::number(operations),
                                    QString::number(m_random.generate()),
                                    QString::number(m_firstNumber + qint64(m_runs.size()) * 10000000), QString::number(desk)});
        ++m_fig.processes;
    }

    bool running(const DeskProcess &p) const { return p.process->state() != QProcess::NotRunning; }

    void work()
    {
        const qint64 limitMs = 600000;
        QElapsedTimer clock, sinceKill;
        clock.start();
        sinceKill.start();
        int killsLeft = m_setup.kills;
        // Close together: a workstation does a few hundred operations a
        // second, and the kills and the stop must fall inside its work.
        qint64 nextKillMs = m_random.bounded(20, 120);
        bool stopLeft = m_setup.stopServer;
        const qint64 stopAtMs = m_random.bounded(100, 400);
        for (;;) {
            bool any = false;
            for (DeskProcess &p : m_runs) {
                if (p.killed || !running(p))
                    continue;
                p.process->waitForReadyRead(5);
                p.read();
                any = any || running(p);
            }
            if (!any || clock.elapsed() > limitMs)
                break;
            if (stopLeft && clock.elapsed() >= stopAtMs && stopServerInTheMiddle())
                stopLeft = false;
            if (killsLeft > 0 && sinceKill.elapsed() >= nextKillMs && killOneInTheMiddle()) {
                --killsLeft;
                sinceKill.restart();
                nextKillMs = m_random.bounded(20, 120);
            }
        }
        for (DeskProcess &p : m_runs) {
            if (running(p)) {
                m_fig.faults << QStringLiteral("workstation %1 still working after ten minutes: frozen").arg(p.desk);
                p.process->kill();
            }
            p.process->waitForFinished(20000);
            p.read();
            p.exitCode = p.process->exitCode();
            if (!p.killed && !(p.lostServer && p.exitCode == 3)
                && (p.process->exitStatus() != QProcess::NormalExit || p.exitCode != 0))
                m_fig.faults << QStringLiteral("workstation %1 ended with %2: %3")
                                    .arg(p.desk)
                                    .arg(p.exitCode)
                                    .arg(QString::fromUtf8(p.process->readAllStandardError()).left(300));
        }
    }

    // Waits for the holder of the right to begin an operation, stops the
    // server at once, lets every workstation find out, starts the server and
    // the workstations again.
    bool stopServerInTheMiddle()
    {
        DeskProcess *holder = nullptr;
        for (DeskProcess &p : m_runs)
            if (!p.killed && running(p) && p.holdsRight())
                holder = &p;
        if (!holder)
            return false;
        QElapsedTimer waiting;
        waiting.start();
        while (!holder->inWrite() && running(*holder) && waiting.elapsed() < 3000) {
            holder->process->waitForReadyRead(2);
            holder->read();
        }
        if (!holder->inWrite())
            return false;
        QThread::usleep(m_random.bounded(0, 8000));
        PgTestServer::instance().stopNow();
        ++m_fig.serverStops;
        QList<int> lost;
        for (DeskProcess &p : m_runs) {
            if (p.killed || !p.process)
                continue;
            if (running(p) && !p.process->waitForFinished(30000))
                continue; // still working without its server: the end of the run says so
            p.read();
            if (p.process->exitCode() == 3 && !p.lostServer && !p.out.endsWith("E\n")) {
                p.lostServer = true;
                lost << p.desk;
            }
        }
        PgTestServer::instance().startAgain();
        for (int desk : lost)
            start(desk, std::max(10, m_setup.operationsPerDesk / 2));
        return true;
    }

    // Picks a working desk (the holder of the right, who writes, four times
    // in five) and kills it a few milliseconds after it said it began an
    // operation, while that operation still runs; starts it again.
    bool killOneInTheMiddle()
    {
        QList<DeskProcess *> candidates, holders;
        for (DeskProcess &p : m_runs) {
            if (p.killed || !running(p) || !p.out.contains("R\n"))
                continue;
            candidates << &p;
            if (p.holdsRight())
                holders << &p;
        }
        if (candidates.isEmpty())
            return false;
        const bool holder = !holders.isEmpty() && m_random.bounded(5) != 0;
        DeskProcess *target = holder ? holders[int(m_random.bounded(holders.size()))]
                                     : candidates[int(m_random.bounded(candidates.size()))];
        QElapsedTimer waiting;
        waiting.start();
        while (!target->inWrite() && running(*target) && waiting.elapsed() < 3000) {
            target->process->waitForReadyRead(2);
            target->read();
        }
        if (!target->inWrite())
            return false;
        QThread::usleep(m_random.bounded(0, 12000));
        target->read();
        if (!target->inWrite())
            return false; // it ended first; another time
        if (target->holdsRight())
            ++m_fig.holdersKilled;
        target->killedAt = monotonicMicros();
        target->killed = true;
        target->process->kill();
        target->process->waitForFinished(20000);
        target->read();
        ++m_fig.kills;
        const int desk = target->desk;
        start(desk, std::max(10, m_setup.operationsPerDesk / 2));
        return true;
    }

    void check(const BookState &before)
    {
        QHash<qint64, Op> ops;
        QList<Hold> holds;
        QHash<qint64, Refused> refusedAt;
        for (const DeskProcess &p : m_runs) {
            readTimes(p, holds, refusedAt);
            const QList<LoggedOperation> logged = parseLog(p.out);
            for (const LoggedOperation &l : logged) {
                Op op{l, End::Failed, false};
                if (l.end == LoggedOperation::End::Committed) {
                    op.end = End::Done;
                    ++m_fig.done;
                } else if (p.lostServer && &l == &logged.last()) {
                    // Begun when the server stopped: told it was not done, or
                    // never ended; the server kept it whole or not at all
                    // (whole: its commit went through, its answer was lost).
                    op.end = End::InFlight;
                    ++m_fig.cutByStop;
                    m_cutByStop << l.id;
                } else if (l.end == LoggedOperation::End::None) {
                    op.end = End::InFlight;
                    if (!p.killed || &l != &logged.last())
                        m_fig.faults << QStringLiteral("operation %1 of workstation %2 never ended").arg(l.id).arg(p.desk);
                    else
                        m_cutByKill << l.id;
                } else {
                    op.refused = l.failureText.startsWith(Refusal);
                    if (!l.told) {
                        ++m_fig.silentFailures;
                        m_fig.faults << QStringLiteral("failed without a message: ") + l.begin.join(QLatin1Char(' '));
                    } else if (op.refused)
                        ++m_fig.refusals;
                    else
                        ++m_fig.otherFailures;
                }
                ++m_fig.operations;
                ops.insert(l.id, op);
            }
            for (const QByteArray &line : p.out.split('\n'))
                if (line.startsWith("X ") && !p.lostServer)
                    m_fig.faults << QStringLiteral("workstation %1: %2").arg(p.desk).arg(QString::fromUtf8(line));
        }
        checkHolds(holds);
        checkRefusals(ops, refusedAt, holds);

        const BookState after = readState(m_book);
        deskcheck::checkBook(before, after, ops, m_firstNumber, m_cutByKill, m_cutByStop, m_fig);
        for (const QString &fault : inspect::consistencyFaults(m_book)) {
            if (fault.startsWith(QLatin1String("balance chain broken")))
                ++m_fig.brokenChains;
            m_fig.faults << fault;
        }
        m_fig.freeAtEnd = rightFreeAtEnd();
        if (!m_fig.freeAtEnd)
            m_fig.faults << QStringLiteral("the right to change data is still held with every workstation gone");
    }

    // Never two holders at once; after a holder was killed another one took it.
    void checkHolds(QList<Hold> holds)
    {
        std::sort(holds.begin(), holds.end(), [](const Hold &a, const Hold &b) { return a.from < b.from; });
        m_fig.takes = int(holds.size());
        const Hold *latest = nullptr; // of the holds so far, the one that ended last
        for (const Hold &h : holds) {
            if (latest && h.from < latest->to)
                m_fig.faults << QStringLiteral("workstations %1 and %2 held the right at once").arg(latest->desk).arg(h.desk);
            if (!latest || h.to > latest->to)
                latest = &h;
        }
        for (const DeskProcess &p : m_runs) {
            if (!p.killed)
                continue;
            for (const Hold &h : holds)
                if (h.desk == p.desk && h.to == p.killedAt)
                    for (const Hold &next : holds)
                        if (next.from > p.killedAt) {
                            ++m_fig.retakenAfterKill;
                            break;
                        }
        }
    }

    // Each refusal shows the Greek box with a holder's names, a holder who
    // held the right while the test ran; the refusing desk did not hold it.
    void checkRefusals(const QHash<qint64, Op> &ops, const QHash<qint64, Refused> &at, const QList<Hold> &holds)
    {
        QHash<QString, int> deskOfText;
        for (int desk = 1; desk <= m_setup.desks; ++desk) {
            InUseMarker::Record r;
            r.user = deskUser(desk);
            r.computer = deskComputer(desk);
            deskOfText.insert(InUseMarker::holderText(r), desk);
        }
        for (const Op &op : ops) {
            if (!op.refused)
                continue;
            const QString text = op.log.failureText.mid(Refusal.size());
            const int holder = deskOfText.value(text);
            const Refused window = at.value(op.log.id);
            if (holder == 0) {
                m_fig.faults << QStringLiteral("refusal %1 shows \"%2\", which names no workstation").arg(op.log.id).arg(text);
                continue;
            }
            if (window.id == 0) {
                m_fig.faults << QStringLiteral("refusal %1 was not the marker test's").arg(op.log.id);
                continue;
            }
            // The holder's end after a kill is when the next one took it.
            bool heldThen = false;
            for (const Hold &h : holds) {
                qint64 end = h.outerTo;
                if (end == Forever && h.to != Forever)
                    for (const Hold &next : holds)
                        if (next.from > h.to)
                            end = std::min(end, next.from);
                heldThen = heldThen || (h.desk == holder && h.outerFrom <= window.to && end >= window.from);
            }
            if (!heldThen)
                m_fig.faults << QStringLiteral("refusal %1 names workstation %2, which did not hold the right then")
                                    .arg(op.log.id)
                                    .arg(holder);
        }
    }

    bool rightFreeAtEnd()
    {
        auto look = inspect::openPart(m_book, datafolder::mainDatabase(m_book));
        ServerMarker marker(*look);
        QElapsedTimer waited;
        waited.start();
        while (marker.read().state != InUseMarker::Record::State::Free) {
            if (waited.elapsed() > 5000)
                return false;
            QThread::msleep(50);
        }
        const bool taken = marker.tryTake(QStringLiteral("ΕΛΕΓΧΟΣ"), QStringLiteral("ΕΛΕΓΧΟΣ")) == InUseMarker::TakeResult::Taken;
        marker.release(QStringLiteral("ΕΛΕΓΧΟΣ"), QStringLiteral("ΕΛΕΓΧΟΣ"));
        return taken;
    }

    QString m_worker, m_book;
    DeskRunSetup m_setup;
    QRandomGenerator m_random;
    qint64 m_firstNumber = 0;
    std::vector<DeskProcess> m_runs;
    QList<qint64> m_cutByKill, m_cutByStop;
    DeskFigures m_fig;
};

} // namespace

QString makeServerWorkBook()
{
    QTemporaryDir scratch;
    generateWorkBook(scratch.path());
    const QString connection = PgTestServer::instance().createDatabase();
    bookcopy::copyToServer(scratch.path(), globals().DbPassword, connection);
    return connection;
}

DeskFigures runDesksOnServer(const QString &workerPath, const QString &connection, const DeskRunSetup &setup)
{
    return DeskRun(workerPath, connection, setup).run();
}

} // namespace reliability
