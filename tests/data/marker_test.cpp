#include "data/InUseMarker.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <thread>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QString markerIn(const QTemporaryDir &dir)
{
    return dir.filePath(QStringLiteral("kelvora.dat"));
}

} // namespace

// A file without a readable record once switched the exclusive access off
// without a word; now it reads as unreadable, is never taken, and stays as it
// is until the unlock button of the log-in window rewrites it.
TEST(InUseMarker, JunkOrOddSizedFileIsUnreadableAndNeverTaken)
{
    const QByteArray good = InUseMarker::encode('0', QStringLiteral("nikos"), QStringLiteral("pc1"));
    for (const QByteArray &held : {QByteArray(""), good.left(50), good + 'x', QByteArray(200, '\0'),
                                   QByteArray("X") + good.mid(1)}) {
        SCOPED_TRACE(held.size());
        QTemporaryDir dir;
        {
            QFile f(markerIn(dir));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(held);
        }
        InUseMarker m(markerIn(dir));
        const auto r = m.read();
        EXPECT_EQ(r.state, InUseMarker::Record::State::Unreadable);
        EXPECT_FALSE(r.isTaken());
        EXPECT_FALSE(r.isFree());
        EXPECT_EQ(m.tryTake(QStringLiteral("nikos"), QStringLiteral("pc1")), InUseMarker::TakeResult::NotFree);
        EXPECT_EQ(m.takeOverOwn(QStringLiteral("nikos"), QStringLiteral("pc1")), InUseMarker::TakeResult::NotFree);
        QFile f(markerIn(dir));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), held);
        // Where to free it: the unlock button of the log-in window.
        EXPECT_TRUE(InUseMarker::problemText(r).contains(QStringLiteral("παράθυρο εισόδου")));
        EXPECT_TRUE(InUseMarker::problemText(r).contains(QStringLiteral("κουμπί ξεκλειδώματος")));
    }
}

// A missing marker used to block every change until someone unlocked it; it
// is now made free and taken by the first workstation, in its names.
TEST(InUseMarker, MissingFileIsCreatedAndTaken)
{
    QTemporaryDir dir;
    InUseMarker m(markerIn(dir));
    EXPECT_EQ(m.read().state, InUseMarker::Record::State::Missing);
    EXPECT_EQ(m.tryTake(QStringLiteral("nikos"), QStringLiteral("pc1")), InUseMarker::TakeResult::Taken);
    const auto r = m.read();
    EXPECT_TRUE(r.isTaken());
    EXPECT_EQ(r.user, QStringLiteral("nikos"));
    EXPECT_EQ(QFile(markerIn(dir)).size(), 51);
    EXPECT_EQ(m.tryTake(QStringLiteral("maria"), QStringLiteral("pc2")), InUseMarker::TakeResult::NotFree);
}

// A copy of the program that was killed leaves the marker taken in its own
// names. Only the same user on the same computer may take it over, and only
// when told that no other copy runs there.
TEST(InUseMarker, OnlyTheSameUserAndComputerTakeOverAStaleMarker)
{
    QTemporaryDir dir;
    InUseMarker m(markerIn(dir));
    const QString longUser = QStringLiteral("a-user-name-longer-than-twenty-five");
    ASSERT_EQ(m.tryTake(longUser, QStringLiteral("ΤΑΜΕΙΟ-1")), InUseMarker::TakeResult::Taken);
    EXPECT_EQ(m.tryTake(longUser, QStringLiteral("ΤΑΜΕΙΟ-1")), InUseMarker::TakeResult::NotFree);
    EXPECT_EQ(m.takeOverOwn(longUser, QStringLiteral("ΤΑΜΕΙΟ-2")), InUseMarker::TakeResult::NotFree);
    EXPECT_EQ(m.takeOverOwn(QStringLiteral("other"), QStringLiteral("ΤΑΜΕΙΟ-1")), InUseMarker::TakeResult::NotFree);
    EXPECT_EQ(m.takeOverOwn(longUser, QStringLiteral("ΤΑΜΕΙΟ-1")), InUseMarker::TakeResult::TakenOver);
    EXPECT_TRUE(m.read().isTaken());
    ASSERT_TRUE(m.release(longUser, QStringLiteral("ΤΑΜΕΙΟ-1")));
    EXPECT_EQ(m.takeOverOwn(longUser, QStringLiteral("ΤΑΜΕΙΟ-1")), InUseMarker::TakeResult::Taken);
}

// A marker that is a link would let the unlock button (which needs no log-in)
// truncate any file the user may write. It is never opened through the link:
// reading says so, taking and unlocking are refused, the target is untouched,
// and a dangling link does not get its target made.
TEST(InUseMarker, SymbolicLinkIsRefusedAndItsTargetLeftAlone)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("precious.txt"));
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("the business plan, not a marker\n").repeated(20));
    }
    auto digest = [](const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                           : QByteArray();
    };
    const QByteArray original = digest(target);
    ASSERT_TRUE(QFile::link(target, markerIn(dir)));
    InUseMarker m(markerIn(dir));
    EXPECT_EQ(m.read().state, InUseMarker::Record::State::NotAFile);
    EXPECT_EQ(m.tryTake(QStringLiteral("nikos"), QStringLiteral("pc1")), InUseMarker::TakeResult::NotFree);
    EXPECT_FALSE(m.release(QStringLiteral("nikos"), QStringLiteral("pc1")));
    EXPECT_EQ(digest(target), original);
    EXPECT_TRUE(QFileInfo(markerIn(dir)).isSymLink());
    EXPECT_TRUE(InUseMarker::problemText(m.read()).contains(QStringLiteral("σύνδεσμος")));

    const QString nowhere = dir.filePath(QStringLiteral("made-through-the-link"));
    QFile::remove(markerIn(dir));
    ASSERT_TRUE(QFile::link(nowhere, markerIn(dir)));
    EXPECT_FALSE(m.release(QString(), QString()));
    EXPECT_EQ(m.tryTake(QStringLiteral("nikos"), QStringLiteral("pc1")), InUseMarker::TakeResult::NotFree);
    EXPECT_FALSE(QFileInfo::exists(nowhere));
}

// A lock that is not given back (a stalled share) must not freeze the window:
// the wait ends, the file reads as unreachable and names the holder it shows.
TEST(InUseMarker, ALockHeldTooLongEndsTheWaitAndNamesTheHolder)
{
    QTemporaryDir dir;
    InUseMarker m(markerIn(dir));
    ASSERT_TRUE(m.release(QString(), QString()));
    ASSERT_EQ(m.tryTake(QStringLiteral("babis"), QStringLiteral("pc2")), InUseMarker::TakeResult::Taken);

    // An open-file-description lock conflicts with the marker's own record
    // locks even inside this process; it is given back after three seconds.
    const int fd = ::open(QFile::encodeName(markerIn(dir)).constData(), O_RDWR);
    ASSERT_GE(fd, 0);
    struct flock lk {};
    lk.l_type = F_WRLCK;
    lk.l_whence = SEEK_SET;
    ASSERT_EQ(fcntl(fd, F_OFD_SETLK, &lk), 0);
    std::thread holder([fd] {
        std::this_thread::sleep_for(std::chrono::seconds(3));
        ::close(fd);
    });

    InUseMarker::setLockWait(300);
    QElapsedTimer timer;
    timer.start();
    const InUseMarker::Record r = m.read();
    const qint64 readMs = timer.elapsed();
    const InUseMarker::TakeResult took = m.tryTake(QStringLiteral("anna"), QStringLiteral("pc1"));
    const bool released = m.release(QStringLiteral("anna"), QStringLiteral("pc1"));
    const qint64 allMs = timer.elapsed();
    InUseMarker::setLockWait(InUseMarker::DefaultLockWaitMs);
    holder.join();

    EXPECT_EQ(r.state, InUseMarker::Record::State::Unreachable);
    EXPECT_GE(readMs, 250);
    EXPECT_LT(allMs, 2000);
    EXPECT_EQ(took, InUseMarker::TakeResult::Failed);
    EXPECT_FALSE(released);
    EXPECT_EQ(InUseMarker::problemText(r),
              QStringLiteral("Δεν είναι δυνατή η πρόσβαση στο αρχείο κλειδώματος kelvora.dat.\n"
                             "Το κρατά ο (η) babis στον Η/Υ pc2."));
    EXPECT_TRUE(m.read().isTaken()); // the lock given back, the record as it was
}

TEST(InUseMarker, FirstTakesSecondSeesTheHolderOnlyOwnerReleases)
{
    QTemporaryDir dir;
    InUseMarker m(markerIn(dir));
    EXPECT_TRUE(m.release(QStringLiteral("nikos"), QStringLiteral("pc1"))); // the unlock writes "0"
    EXPECT_TRUE(m.read().isFree());
    EXPECT_EQ(m.tryTake(QStringLiteral("nikos"), QStringLiteral("pc1")), InUseMarker::TakeResult::Taken);
    EXPECT_EQ(m.tryTake(QStringLiteral("maria"), QStringLiteral("pc2")), InUseMarker::TakeResult::NotFree);
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
    EXPECT_FALSE(InUseMarker::decode(rec + ' ').isTaken());
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
                const bool took = InUseMarker(markerIn(dir)).tryTake(QStringLiteral("u%1").arg(i), QStringLiteral("pc"))
                    == InUseMarker::TakeResult::Taken;
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

// A free marker locked by another process (a stuck program, a backup tool):
// the wait is short and shown while it lasts, and the clerk is told that the
// marker file cannot be reached, never a process number.
TEST(InUseMarker, ALockedFreeMarkerIsAShortShownWaitWithoutAProcessNumber)
{
    QTemporaryDir dir;
    InUseMarker m(markerIn(dir));
    ASSERT_TRUE(m.release(QStringLiteral("anna"), QStringLiteral("pc1")));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int fd = ::open(QFile::encodeName(markerIn(dir)).constData(), O_RDWR);
        struct flock lk {};
        lk.l_type = F_WRLCK;
        lk.l_whence = SEEK_SET;
        if (fd < 0 || fcntl(fd, F_SETLK, &lk) != 0)
            _exit(1);
        ::sleep(5);
        _exit(0);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the child holds its lock

    QList<bool> shown;
    InUseMarker::setWaitHook([&shown](bool waiting) { shown << waiting; });
    QElapsedTimer timer;
    timer.start();
    const InUseMarker::Record r = m.read();
    const qint64 waitedMs = timer.elapsed();
    InUseMarker::setWaitHook({});
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    EXPECT_EQ(r.state, InUseMarker::Record::State::Unreachable);
    EXPECT_GE(waitedMs, InUseMarker::DefaultLockWaitMs - 50);
    EXPECT_LT(waitedMs, 2000);
    EXPECT_EQ(shown, (QList<bool>{true, false}));
    EXPECT_EQ(InUseMarker::problemText(r), QStringLiteral("Δεν είναι δυνατή η πρόσβαση στο αρχείο κλειδώματος kelvora.dat."));
    EXPECT_TRUE(m.read().isFree()); // the lock gone, the record as it was
}
