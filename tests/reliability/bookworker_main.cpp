// kelvora-bookworker: one workstation working on a book until it is killed or
// its time is up, writing what it does to standard output (see BookModel.h).
//
//   crash   <folder> <seed> <first id>                 every kind of change, for ever
//   cashier <folder> <seconds> <seed> <first id> <busy ms>  takes the marker, books and closes days
//   office  <folder> <seconds> <seed> <first id> <busy ms>  renames codes and groups
//   desk    <book> <operations> <seed> <first id> <desk>  one of several workstations (DeskWorker.h)
#include "AgreeingMessages.h"
#include "DeskWorker.h"
#include "WorkerSteps.h"

#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/InUseMarker.h"
#include "data/Store.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {

using namespace reliability;

// Runs the steps one after another, saying each before it starts and how it ended.
class Worker
{
public:
    Worker(Store &store, quint32 seed, qint64 firstId) : m_steps(store, seed), m_id(firstId) {}

    void insertMovement() { run([this](qint64 id) { return m_steps.insert(id); }); }
    void changeMovement() { run([this](qint64 id) { return m_steps.change(id); }); }
    void deleteMovement() { run([this](qint64 id) { return m_steps.remove(id); }); }
    void closeDay() { run([this](qint64 id) { return m_steps.close(id); }); }
    void renameCode() { run([this](qint64 id) { return m_steps.recode(id); }); }
    void renameGroup() { run([this](qint64 id) { return m_steps.regroup(id); }); }

    int pick(int lo, int hi) { return m_steps.pick(lo, hi); }

private:
    template <typename Make> void run(Make make)
    {
        const qint64 id = m_id++;
        Step step;
        try {
            step = make(id);
            if (step.begin.isEmpty())
                return;
            say(QStringLiteral("B %1 %2").arg(id).arg(step.begin));
            m_messages.clear();
            const std::optional<qint64> done = step.perform();
            if (done)
                say(QStringLiteral("C %1 %2").arg(id).arg(*done));
            else
                fail(id, m_messages.failureShown(), m_messages.lastText());
        } catch (const db::DbError &e) {
            // Thrown store errors are what the windows show in a box.
            if (!step.begin.isEmpty())
                fail(id, true, e.message());
        }
    }

    static void fail(qint64 id, bool told, QString text)
    {
        say(QStringLiteral("F %1 %2 %3").arg(id).arg(told ? 1 : 0).arg(text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '))));
    }

    WorkerSteps m_steps;
    qint64 m_id;
    AgreeingMessages m_messages;
};

int crash(Worker &w)
{
    say(QStringLiteral("R"));
    for (;;) {
        const int p = w.pick(1, 100);
        if (p <= 45)
            w.insertMovement();
        else if (p <= 65)
            w.changeMovement();
        else if (p <= 80)
            w.deleteMovement();
        else if (p <= 88)
            w.closeDay();
        else if (p <= 95)
            w.renameCode();
        else
            w.renameGroup();
    }
}

int timed(Worker &w, bool cashier, int seconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < qint64(seconds) * 1000) {
        if (cashier)
            w.pick(1, 100) <= 90 ? w.insertMovement() : w.closeDay();
        else
            w.pick(1, 100) <= 70 ? w.renameCode() : w.renameGroup();
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 5) {
        std::fprintf(stderr, "usage: %s crash|cashier|office|desk <folder or connection> ...\n", argv[0]);
        return 2;
    }
    if (!qEnvironmentVariableIsEmpty("KELVORA_TEST_FAST_KDF"))
        db::Database::setKdfIterations(64);
    globals().RightChangeRecords = true;
    globals().RightCloseCash = true;
    globals().RightGroupsCodes = true;
    const QString mode = a[1], folder = a[2];
    try {
        Store store(folder, globals().DbPassword);
        if (mode == QLatin1String("desk"))
            return reliability::runDesk(store, a[3].toInt(), a[4].toUInt(), a[5].toLongLong(), a.value(6).toInt());
        if (mode == QLatin1String("crash")) {
            Worker w(store, a[3].toUInt(), a[4].toLongLong());
            return crash(w);
        }
        // The first reads wait as long as the program's would: both workers
        // start at once, and only the operations are to meet the short wait.
        Worker w(store, a[4].toUInt(), a[5].toLongLong());
        const int busyMs = a.value(6).toInt();
        store.main().setBusyTimeout(busyMs);
        store.users().setBusyTimeout(busyMs);
        const bool cashier = mode == QLatin1String("cashier");
        InUseMarker marker(datafolder::marker(folder));
        if (cashier && marker.tryTake(QStringLiteral("ΤΑΜΙΑΣ"), QStringLiteral("ΤΑΜΕΙΟ-1")) != InUseMarker::TakeResult::Taken)
            say(QStringLiteral("X the marker was not free"));
        const int rc = timed(w, cashier, a[3].toInt());
        if (cashier)
            marker.release(QStringLiteral("ΤΑΜΙΑΣ"), QStringLiteral("ΤΑΜΕΙΟ-1"));
        return rc;
    } catch (const std::exception &e) {
        say(QStringLiteral("X ") + QString::fromUtf8(e.what()));
        return 1;
    }
}
