#include "data/InUseMarker.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QString markerIn(const QTemporaryDir &dir)
{
    return dir.filePath(QStringLiteral("kelvora.dat"));
}

} // namespace

TEST(InUseMarker, EmptyFileIsNeitherTakenNorFreeAndIsNeverTaken)
{
    QTemporaryDir dir;
    InUseMarker m(markerIn(dir));
    const auto r = m.read();
    EXPECT_TRUE(QFile::exists(markerIn(dir))); // created empty on first open
    EXPECT_EQ(QFile(markerIn(dir)).size(), 0);
    EXPECT_FALSE(r.isTaken());
    EXPECT_FALSE(r.isFree());
    EXPECT_FALSE(m.tryTake(QStringLiteral("nikos"), QStringLiteral("pc1")));
    EXPECT_EQ(QFile(markerIn(dir)).size(), 0);
}

TEST(InUseMarker, FirstTakesSecondSeesTheHolderOnlyOwnerReleases)
{
    QTemporaryDir dir;
    InUseMarker m(markerIn(dir));
    m.release(QStringLiteral("nikos"), QStringLiteral("pc1")); // the unlock writes "0"
    EXPECT_TRUE(m.read().isFree());
    EXPECT_TRUE(m.tryTake(QStringLiteral("nikos"), QStringLiteral("pc1")));
    EXPECT_FALSE(m.tryTake(QStringLiteral("maria"), QStringLiteral("pc2")));
    const auto r = m.read();
    EXPECT_TRUE(r.isTaken());
    EXPECT_EQ(InUseMarker::holderText(r), QStringLiteral("Η βάση χρησιμοποιήτε από τον (την) nikos στον Η/Υ pc1"));
    EXPECT_EQ(QFile(markerIn(dir)).size(), 51);
}

TEST(InUseMarker, RecordKeepsItsFixedLayout)
{
    const QByteArray rec = InUseMarker::encode('1', QStringLiteral("a-very-long-user-name-of-thirty-chars"),
                                               QStringLiteral("Η/Υ-ΛΟΓΙΣΤΗΡΙΟ"));
    ASSERT_EQ(rec.size(), 51);
    EXPECT_EQ(rec.left(1), QByteArray("1"));
    EXPECT_EQ(rec.mid(1, 25), QByteArray("a-very-long-user-name-of-"));
    const auto back = InUseMarker::decode(rec);
    EXPECT_EQ(back.user, QStringLiteral("a-very-long-user-name-of-"));
    EXPECT_EQ(back.computer, QStringLiteral("Η/Υ-ΛΟΓΙΣΤΗΡΙΟ")); // Greek in the single-byte code page
    EXPECT_EQ(static_cast<unsigned char>(rec[26]), 0xC7);     // Η in code page 1253
    EXPECT_FALSE(InUseMarker::decode(rec.left(30)).isTaken());
}

// Workstations that start together: exactly one of them may end up holding it.
TEST(InUseMarker, SimultaneousTakersNeverBothSucceed)
{
    QTemporaryDir dir;
    InUseMarker(markerIn(dir)).release(QString(), QString());
    constexpr int Rounds = 40;
    constexpr int Takers = 6;
    for (int round = 0; round < Rounds; ++round) {
        InUseMarker(markerIn(dir)).release(QString(), QString());
        int pipeFd[2];
        ASSERT_EQ(pipe(pipeFd), 0);
        pid_t pids[Takers];
        for (int i = 0; i < Takers; ++i) {
            pids[i] = fork();
            if (pids[i] == 0) {
                char go;
                close(pipeFd[1]);
                (void)!read(pipeFd[0], &go, 1); // wait until all are ready
                const bool took = InUseMarker(markerIn(dir)).tryTake(QStringLiteral("u%1").arg(i), QStringLiteral("pc"));
                _exit(took ? 1 : 0);
            }
        }
        close(pipeFd[0]);
        close(pipeFd[1]); // releases every child at once
        int owners = 0;
        for (pid_t p : pids) {
            int status = 0;
            waitpid(p, &status, 0);
            owners += WEXITSTATUS(status);
        }
        ASSERT_EQ(owners, 1) << "round " << round;
    }
}
