// The long runs of the crash and two-workstation checks; prints the counts.
//
//   kelvora-bench-reliability crash [kills=1000] [seed]
//   kelvora-bench-reliability workstations [seconds=600] [busy ms=100] [seed]
//   kelvora-bench-reliability desks [operations per desk=400] [kills per run=10] [seed]
//     2, 4, 6 and 8 workstations in turn on one book on a private database server
#include "tests/reliability/DeskRuns.h"
#include "tests/reliability/WorkerRuns.h"

#include "platform/db/Database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

int desks(const QStringList &a)
{
    const int operations = a.size() > 2 ? a[2].toInt() : 400;
    const int kills = a.size() > 3 ? a[3].toInt() : 10;
    const quint32 seed = a.size() > 4 ? a[4].toUInt() : 1;
    QElapsedTimer clock;
    clock.start();
    const QString book = reliability::makeServerWorkBook();
    std::printf("book of a year copied onto a private server in %.1f s\n\n", double(clock.elapsed()) / 1000.0);
    std::printf("%5s %9s %10s %6s %8s %7s %6s %5s %6s %6s %8s %6s %6s %6s %6s %5s %7s %6s %6s %7s\n", "desks",
                "processes", "operations", "done", "refused", "failed", "untold", "takes", "kills", "in op",
                "of holder", "stops", "cut", "whole", "lost", "phant", "broken", "free", "s", "ops/s");
    bool allRight = true;
    for (int desks : {2, 4, 6, 8}) {
        auto f = reliability::runDesksOnServer(QStringLiteral(KELVORA_BOOKWORKER), book,
                                                     {desks, operations, kills, seed + quint32(desks), true});
        std::printf("%5d %9d %10d %6d %8d %7d %6d %5d %6d %6d %8d %6d %6d %6d %6d %5d %7d %6s %6.1f %7.0f\n", desks,
                    f.processes, f.operations, f.done, f.refusals, f.otherFailures, f.silentFailures, f.takes, f.kills,
                    f.killedInFlight, f.holdersKilled, f.serverStops, f.cutByStop, f.cutByStopWhole, f.lost, f.phantom, f.brokenChains,
                    f.freeAtEnd ? "yes" : "NO", f.seconds, f.operations / f.seconds);
        // The run must have done its work, or its zeros prove nothing.
        if (f.done == 0 || f.refusals == 0 || f.kills != kills || f.serverStops != 1)
            f.faults << QStringLiteral("the run did not do its work: %1 done, %2 refused, %3 of %4 kills")
                            .arg(f.done)
                            .arg(f.refusals)
                            .arg(f.kills)
                            .arg(kills);
        for (const QString &fault : f.faults)
            std::printf("FAULT %s\n", qPrintable(fault));
        for (const QString &note : f.notes)
            std::printf("NOTE %s\n", qPrintable(note));
        allRight = allRight && f.faults.isEmpty();
    }
    std::printf("\ncolumns: refused = refused by the right with the box \"Αδύνατη η πρόσβαση\" naming a holder of "
                "that moment; failed = other failures told in a box; in op = kills that cut an operation begun; stops = the server stopped at once while the holder wrote, "
                "cut = operations it cut (each whole or absent), whole = of those in the book; "
                "broken = days whose balance is not the previous day's + income - expense; free = the right free "
                "and takeable with every workstation gone\n");
    return allRight ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    const QString mode = a.value(1);
    // The key derivation is not what these runs measure; workers inherit the setting.
    qputenv("KELVORA_TEST_FAST_KDF", "1");
    db::Database::setKdfIterations(64);

    if (mode == QLatin1String("desks"))
        return desks(a);

    QTemporaryDir dir;
    reliability::generateWorkBook(dir.path());
    QElapsedTimer clock;
    clock.start();
    if (mode == QLatin1String("crash")) {
        const int kills = a.size() > 2 ? a[2].toInt() : 1000;
        const auto f = reliability::runCrashRounds(QStringLiteral(KELVORA_BOOKWORKER), dir.path(), kills,
                                                   a.size() > 3 ? a[3].toUInt() : 1);
        std::printf("kills tried: %d\nbooks consistent: %d\noperations confirmed before a kill: %d\n"
                    "operation cut by the kill: whole %d, absent %d\nseconds: %.0f\n",
                    f.kills, f.consistent, f.committed, f.inFlightWhole, f.inFlightAbsent, clock.elapsed() / 1000.0);
        for (const QString &fault : f.faults)
            std::printf("FAULT %s\n", qPrintable(fault));
        return f.faults.isEmpty() ? 0 : 1;
    }
    if (mode == QLatin1String("workstations")) {
        const int seconds = a.size() > 2 ? a[2].toInt() : 600;
        const auto f = reliability::runTwoWorkstations(QStringLiteral(KELVORA_BOOKWORKER), dir.path(), seconds,
                                                       a.size() > 3 ? a[3].toInt() : 100,
                                                       a.size() > 4 ? a[4].toUInt() : 1);
        std::printf("seconds: %d\nwrites: %d\nlost: %d\nphantom: %d\ncorrupt: %d\nfailures told: %d (lock waits "
                    "past the timeout: %d)\nfailures not told: %d\n",
                    seconds, f.writes, f.lost, f.phantom, f.corrupt, f.refusedTold, f.busyTold, f.silentFailures);
        for (const QString &fault : f.faults)
            std::printf("FAULT %s\n", qPrintable(fault));
        return f.faults.isEmpty() ? 0 : 1;
    }
    std::fprintf(stderr,
                 "usage: %s crash [kills] [seed] | workstations [seconds] [busy ms] [seed] | desks [operations] "
                 "[kills] [seed]\n",
                 argv[0]);
    return 2;
}
