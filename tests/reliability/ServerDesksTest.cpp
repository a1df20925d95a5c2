// Two and then four workstations (processes) on one book kept on a private
// database server, the right to change data deciding who may write exactly as
// in the program, some of them killed with SIGKILL in the middle of a write and
// started again; and the server itself stopped in the middle. The long run with up to eight: kelvora-bench-reliability desks.
#include "DeskRuns.h"

#include <gtest/gtest.h>

namespace {

void runAndCheck(const QString &book, const reliability::DeskRunSetup &setup)
{
    const reliability::DeskFigures f =
        reliability::runDesksOnServer(QStringLiteral(KELVORA_BOOKWORKER), book, setup);
    std::printf("%d workstations: %d processes, %d operations, %d done, %d refused by the right, %d other failures "
                "told, %d untold; %d takes of the right; %d kills (%d in a write, %d of them whole in the book; "
                "%d of the holder, taken again %d); %d server stops cutting %d operations (%d whole); %d lost, %d phantom, %d broken chains; right free at the end: "
                "%s; %.1f s\n",
                setup.desks, f.processes, f.operations, f.done, f.refusals, f.otherFailures, f.silentFailures, f.takes,
                f.kills, f.killedInFlight, f.inFlightWhole, f.holdersKilled, f.retakenAfterKill, f.serverStops, f.cutByStop, f.cutByStopWhole, f.lost, f.phantom,
                f.brokenChains, f.freeAtEnd ? "yes" : "no", f.seconds);
    for (const QString &note : f.notes)
        std::printf("note: %s\n", qPrintable(note));
    EXPECT_TRUE(f.faults.isEmpty()) << f.faults.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(f.lost, 0);
    EXPECT_EQ(f.phantom, 0);
    EXPECT_EQ(f.brokenChains, 0);
    EXPECT_EQ(f.silentFailures, 0);
    EXPECT_TRUE(f.freeAtEnd);
    // The run must have done what it is about, or it proves nothing.
    EXPECT_EQ(f.kills, setup.kills);
    EXPECT_GT(f.killedInFlight, 0);
    EXPECT_GT(f.done, 30);
    EXPECT_GT(f.refusals, 0);
    EXPECT_GT(f.takes, setup.desks);
    EXPECT_EQ(f.serverStops, setup.stopServer ? 1 : 0);
    if (setup.stopServer) {
        EXPECT_GT(f.cutByStop, 0);
    }
}

} // namespace

TEST(ServerDesks, WorkstationsOnOneServerBookLoseNothingBreakNoChainAndShowEveryRefusal)
{
    const QString book = reliability::makeServerWorkBook();
    runAndCheck(book, {2, 600, 4, 20261208, false});
    runAndCheck(book, {4, 300, 6, 20261209, false});
}

// The server stops at once while the holder of the right writes (a crash or a
// power cut of the server's machine) and starts again: what was reported done
// is there, what was cut is whole or absent, every chain holds.
TEST(ServerDesks, AServerThatStopsInTheMiddleOfTheWritesLeavesTheBookWhole)
{
    const QString book = reliability::makeServerWorkBook();
    runAndCheck(book, {3, 400, 2, 20261210, true});
}
