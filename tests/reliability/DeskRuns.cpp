#include "DeskRuns.h"

#include "BookInspection.h"
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
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <limits>
#include <memory>

namespace reliability {
namespace {

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

// Names the workers give: OP<n> a movement, ΚΩΔ<n> a code, ΟΜ<n> a group,
// <n> being the number of the operation that wrote it.
const QRegularExpression &workersName()
{
    static const QRegularExpression name(QStringLiteral("^(?:OP|ΚΩΔ|ΟΜ)(\\d+)$"));
    return name;
}

// The operation number in a name a worker gave, 0 in any other.
qint64 numberIn(const QString &text)
{
    const auto m = workersName().match(text);
    return m.hasMatch() ? m.captured(1).toLongLong() : 0;
}

// The first operation number above every one a run before left in the book,
// so each run's numbers are its own.
qint64 firstFreeNumber(const BookState &book)
{
    qint64 highest = 0;
    const auto see = [&highest](const QString &text) { highest = std::max(highest, numberIn(text)); };
    for (const auto &m : book.movements)
        see(m.description);
    for (const QString &name : book.codeDescriptions)
        see(name);
    for (const QString &name : book.groupNames)
        see(name);
    return (highest / 1000000000 + 1) * 1000000000;
}

enum class End { Done, InFlight, Failed };

struct Op
{
    LoggedOperation log;
    End end = End::Failed;
    bool refused = false;
};

// Checks the book against every operation: what was reported done is there,
// what was refused or failed is not, and what a kill cut short is whole or absent.
class BookCheck
{
public:
    // Names with numbers below `firstNumber` were left by an earlier run.
    BookCheck(const BookState &before, const BookState &after, const QHash<qint64, Op> &ops, qint64 firstNumber,
              DeskFigures &fig)
        : m_before(before), m_after(after), m_ops(ops), m_firstNumber(firstNumber), m_fig(fig)
    {
        for (const Op &op : ops) {
            if (op.end == End::Failed)
                continue;
            const QString kind = op.log.begin.value(0);
            if (kind == QLatin1String("chg"))
                m_changes[arg(op, 1)] << op.log.id;
            else if (kind == QLatin1String("del"))
                m_deletes[arg(op, 1)] << op.log.id;
            else if (kind == QLatin1String("close"))
                ++m_closes[op.log.begin.value(1)];
        }
    }

    void run()
    {
        checkStoredMovements();
        checkNames(m_after.codeDescriptions, QStringLiteral("code"));
        checkNames(m_after.groupNames, QStringLiteral("group"));
        for (const Op &op : m_ops)
            checkOperation(op);
    }

private:
    static qint64 arg(const Op &op, int n) { return op.log.begin.value(n).toLongLong(); }

    void lost(const Op &op, const QString &why)
    {
        ++m_fig.lost;
        m_fig.faults << QStringLiteral("lost: operation %1 (%2) reported done, but %3")
                            .arg(op.log.id)
                            .arg(op.log.begin.join(QLatin1Char(' ')), why);
    }
    void phantom(const Op &op, const QString &why)
    {
        ++m_fig.phantom;
        m_fig.faults << QStringLiteral("phantom: operation %1 (%2) %3, but %4")
                            .arg(op.log.id)
                            .arg(op.log.begin.join(QLatin1Char(' ')),
                                 op.refused ? QStringLiteral("was refused") : QStringLiteral("failed"), why);
    }

    // Every movement written by an operation of the run carries that
    // operation's number: the operation must have gone through (or been cut
    // by a kill), and the row must hold exactly what it wrote.
    void checkStoredMovements()
    {
        for (auto it = m_after.movements.cbegin(); it != m_after.movements.cend(); ++it) {
            const qint64 number = numberIn(it->description);
            if (number < m_firstNumber)
                continue;
            const auto op = m_ops.constFind(number);
            if (op == m_ops.cend()) {
                m_fig.faults << QStringLiteral("movement %1 says %2, which no workstation did").arg(it.key()).arg(it->description);
                continue;
            }
            if (op->end == End::Failed) {
                phantom(*op, QStringLiteral("movement %1 holds it").arg(it.key()));
                continue;
            }
            const QStringList &a = op->log.begin;
            const bool isInsert = a.value(0) == QLatin1String("ins");
            const bool same = isInsert ? (it->day == a.value(1) && it->income == a.value(3).toLongLong()
                                          && it->expense == a.value(4).toLongLong()
                                          && (op->end != End::Done || op->log.newAa == it.key()))
                                       : (a.value(1).toLongLong() == it.key() && it->income == a.value(2).toLongLong()
                                          && it->expense == a.value(3).toLongLong());
            if (!same)
                m_fig.faults << QStringLiteral("movement %1 is not what operation %2 (%3) wrote: %4 %5/%6")
                                    .arg(it.key())
                                    .arg(op->log.id)
                                    .arg(a.join(QLatin1Char(' ')), it->day)
                                    .arg(it->income)
                                    .arg(it->expense);
        }
    }

    // Movement aa as the book holds it must come from one of the changes
    // that went through on it, or be gone by one of the deletions.
    bool movementFollowsItsChanges(qint64 aa, qint64 writtenBy) const
    {
        const auto found = m_after.movements.constFind(aa);
        if (found == m_after.movements.cend())
            return !m_deletes.value(aa).isEmpty();
        if (found->description == descriptionOf(writtenBy))
            return true;
        for (qint64 id : m_changes.value(aa))
            if (found->description == descriptionOf(id))
                return true;
        return false;
    }

    void checkOperation(const Op &op)
    {
        const QString kind = op.log.begin.value(0);
        if (op.end == End::Done) {
            if (kind == QLatin1String("ins") && !movementFollowsItsChanges(op.log.newAa, op.log.id))
                lost(op, QStringLiteral("movement %1 is not there").arg(op.log.newAa));
            else if (kind == QLatin1String("chg") && !movementFollowsItsChanges(arg(op, 1), op.log.id))
                lost(op, QStringLiteral("movement %1 does not hold it").arg(arg(op, 1)));
            else if (kind == QLatin1String("del") && m_after.movements.contains(arg(op, 1)))
                lost(op, QStringLiteral("movement %1 is still there").arg(arg(op, 1)));
            else if (kind == QLatin1String("close") && !m_after.closedDays.contains(op.log.begin.value(1)))
                lost(op, QStringLiteral("the day is not closed"));
            return;
        }
        if (op.end == End::InFlight)
            return; // whole or absent: checkStoredMovements saw that what it wrote is whole
        // Failed or refused: a deletion or closing that left its mark must
        // have another that went through.
        if (kind == QLatin1String("del")) {
            const qint64 aa = arg(op, 1);
            if (m_before.movements.contains(aa) && !m_after.movements.contains(aa) && m_deletes.value(aa).isEmpty())
                phantom(op, QStringLiteral("movement %1 is gone").arg(aa));
        } else if (kind == QLatin1String("close")) {
            const QString day = op.log.begin.value(1);
            if (m_after.closedDays.contains(day) && !m_before.closedDays.contains(day) && !m_closes.contains(day))
                phantom(op, QStringLiteral("the day is closed"));
        }
    }

public:
    bool presentInBook(const Op &op) const
    {
        const QString kind = op.log.begin.value(0);
        const QString mine = descriptionOf(op.log.id);
        if (kind == QLatin1String("ins"))
            return findInsert(m_after, op.log).has_value();
        if (kind == QLatin1String("chg"))
            return m_after.movements.value(arg(op, 1)).description == mine;
        // A movement gone or a day closed is this operation's work only when
        // nothing else could have done it.
        if (kind == QLatin1String("del"))
            return !m_after.movements.contains(arg(op, 1)) && m_before.movements.contains(arg(op, 1))
                   && m_deletes.value(arg(op, 1)).size() == 1;
        if (kind == QLatin1String("close")) {
            const QString day = op.log.begin.value(1);
            return m_after.closedDays.contains(day) && !m_before.closedDays.contains(day) && m_closes.value(day) == 1;
        }
        if (kind == QLatin1String("code"))
            return m_after.codeDescriptions.value(arg(op, 1)) == op.log.begin.value(2);
        if (kind == QLatin1String("newcode"))
            return std::find(m_after.codeDescriptions.cbegin(), m_after.codeDescriptions.cend(), op.log.begin.value(2))
                   != m_after.codeDescriptions.cend();
        return m_after.groupNames.value(arg(op, 1)) == op.log.begin.value(2);
    }

private:
    // A code or group carries the name of the last rename that went through
    // (a new code, the name it was made with); once one has, the name cannot
    // be another's (or the old one).
    void checkNames(const QMap<qint64, QString> &names, const QString &kind)
    {
        const auto ofKind = [&kind](const Op &op) {
            const QString k = op.log.begin.value(0);
            return k == kind || (kind == QLatin1String("code") && k == QLatin1String("newcode"));
        };
        // The row a rename changed, or the row a new code was made as (0 while unknown).
        const auto rowOf = [this](const Op &op) {
            return op.log.begin.value(0) == QLatin1String("newcode") ? op.log.newAa : arg(op, 1);
        };
        QHash<qint64, QSet<QString>> renamedTo, doneTo;
        QSet<QString> cutNewCodes; // names of new codes a kill cut: on whichever row
        QHash<QString, const Op *> failedName;
        for (const Op &op : m_ops) {
            if (!ofKind(op))
                continue;
            const QString name = op.log.begin.value(2);
            if (op.end == End::Failed)
                failedName.insert(name, &op);
            else if (rowOf(op) == 0)
                cutNewCodes << name;
            else
                renamedTo[rowOf(op)] << name;
            if (op.end == End::Done)
                doneTo[rowOf(op)] << name;
        }
        for (auto it = names.cbegin(); it != names.cend(); ++it) {
            if (const Op *op = failedName.value(it.value()))
                phantom(*op, QStringLiteral("%1 %2 is named so").arg(kind).arg(it.key()));
            else if (numberIn(it.value()) >= m_firstNumber && !renamedTo.value(it.key()).contains(it.value())
                     && !cutNewCodes.contains(it.value()))
                m_fig.faults << QStringLiteral("%1 %2 is named %3 by no rename of it").arg(kind).arg(it.key()).arg(it.value());
        }
        for (auto it = doneTo.cbegin(); it != doneTo.cend(); ++it)
            if (!renamedTo.value(it.key()).contains(names.value(it.key())))
                for (const Op &op : m_ops)
                    if (op.end == End::Done && ofKind(op) && rowOf(op) == it.key()) {
                        lost(op, QStringLiteral("%1 %2 is named %3").arg(kind).arg(it.key()).arg(names.value(it.key())));
                        break;
                    }
    }

    const BookState &m_before, &m_after;
    const QHash<qint64, Op> &m_ops;
    qint64 m_firstNumber;
    DeskFigures &m_fig;
    QHash<qint64, QList<qint64>> m_changes, m_deletes;
    QHash<QString, int> m_closes; // day -> closings that went through or were cut
};

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
        qint64 nextKillMs = m_random.bounded(100, 500);
        bool stopLeft = m_setup.stopServer;
        const qint64 stopAtMs = m_random.bounded(500, 1500);
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
                nextKillMs = m_random.bounded(100, 500);
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
        BookCheck check(before, after, ops, m_firstNumber, m_fig);
        check.run();
        m_fig.killedInFlight = int(m_cutByKill.size());
        for (qint64 id : m_cutByKill)
            m_fig.inFlightWhole += check.presentInBook(ops.value(id)) ? 1 : 0;
        for (qint64 id : m_cutByStop) {
            const Op &op = ops[id];
            if (!check.presentInBook(op))
                continue;
            ++m_fig.cutByStopWhole;
            m_fig.notes << QStringLiteral("cut by the server's stop and found in the book: %1 (%2), %3")
                               .arg(id)
                               .arg(op.log.begin.join(QLatin1Char(' ')),
                                    op.log.end == LoggedOperation::End::Failed
                                        ? QStringLiteral("told: ") + op.log.failureText
                                        : QStringLiteral("never ended"));
        }
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
