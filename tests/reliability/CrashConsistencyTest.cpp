// A worker changes a generated book and is killed with SIGKILL at random
// moments; after each kill the book must be whole and hold every operation the
// worker had reported done (the long run: kelvora-bench-reliability).
#include "WorkerRuns.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CrashConsistency, FiftyKillsLeaveAWholeBookWithEveryConfirmedOperation)
{
    QTemporaryDir dir;
    reliability::generateWorkBook(dir.path());
    const reliability::CrashFigures f =
        reliability::runCrashRounds(QStringLiteral(KELVORA_BOOKWORKER), dir.path(), 50, 20261208);
    std::printf("crash: %d kills, %d books consistent, %d operations confirmed, in flight %d whole / %d absent\n",
                f.kills, f.consistent, f.committed, f.inFlightWhole, f.inFlightAbsent);
    EXPECT_EQ(f.kills, 50);
    EXPECT_EQ(f.consistent, f.kills) << f.faults.join(QLatin1Char('\n')).toStdString();
    // The kills must land while the worker works, or the test proves nothing.
    EXPECT_GT(f.committed, 50);
    EXPECT_GT(f.inFlightWhole + f.inFlightAbsent, 10);
}
