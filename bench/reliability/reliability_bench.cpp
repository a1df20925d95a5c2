// The long runs of the crash and two-workstation checks; prints the counts.
//
//   kelvora-bench-reliability crash [kills=1000] [seed]
//   kelvora-bench-reliability workstations [seconds=600] [busy ms=100] [seed]
#include "tests/reliability/WorkerRuns.h"

#include "platform/db/Database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    const QString mode = a.value(1);
    // The key derivation is not what these runs measure; workers inherit the setting.
    qputenv("KELVORA_TEST_FAST_KDF", "1");
    db::Database::setKdfIterations(64);

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
    std::fprintf(stderr, "usage: %s crash [kills] [seed] | workstations [seconds] [busy ms] [seed]\n", argv[0]);
    return 2;
}
