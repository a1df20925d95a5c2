// Two workstations on one data folder for twenty seconds, one holding the
// marker and booking, the other renaming codes and groups, each waiting only a
// short time for the other's lock so that waits run out and must be told.
#include "WorkerRuns.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(TwoWorkstations, NoWriteIsLostNothingIsCorruptAndEveryRefusalIsTold)
{
    QTemporaryDir dir;
    reliability::generateWorkBook(dir.path());
    const reliability::TwoWorkstationFigures f =
        reliability::runTwoWorkstations(QStringLiteral(KELVORA_BOOKWORKER), dir.path(), 20, 100, 1208);
    std::printf("two workstations: %d writes, %d lost, %d phantom, %d corrupt, %d failures told (%d lock waits), "
                "%d untold\n",
                f.writes, f.lost, f.phantom, f.corrupt, f.refusedTold, f.busyTold, f.silentFailures);
    EXPECT_GT(f.writes, 20);
    EXPECT_EQ(f.lost, 0);
    EXPECT_EQ(f.phantom, 0);
    EXPECT_EQ(f.corrupt, 0);
    EXPECT_EQ(f.silentFailures, 0);
    EXPECT_TRUE(f.faults.isEmpty()) << f.faults.join(QLatin1Char('\n')).toStdString();
}
