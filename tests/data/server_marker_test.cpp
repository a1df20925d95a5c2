#include "data/AppGlobals.h"
#include "data/ServerBook.h"
#include "data/ServerMarker.h"
#include "platform/db/Database.h"
#include "support/PgTestServer.h"
#include "tools/NewInstallation.h"

#include <QElapsedTimer>
#include <QThread>
#include <csignal>
#include <thread>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using State = InUseMarker::Record::State;
using Take = InUseMarker::TakeResult;

QString newServerBook()
{
    const QString connection = PgTestServer::instance().createDatabase();
    newinstall::createDatabases(connection, globals().DbPassword);
    return connection;
}

std::unique_ptr<db::Database> workstation(const QString &connection)
{
    return db::Database::openOnServer(connection, QString::fromLatin1(serverbook::MainSchema));
}

// Polls until `take` succeeds or a few seconds pass: the server notices a
// closed session at once, but that is not instantaneous.
bool takenWithin(ServerMarker &marker, const QString &user, int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        if (marker.tryTake(user, QStringLiteral("PC2")) == Take::Taken)
            return true;
        QThread::msleep(50);
    }
    return false;
}

} // namespace

TEST(ServerMarker, OneWorkstationHoldsTheRightAndTheOthersReadItsNames)
{
    const QString book = newServerBook();
    auto first = workstation(book);
    auto second = workstation(book);
    ServerMarker a(*first);
    ServerMarker b(*second);

    EXPECT_EQ(b.read().state, State::Free);
    EXPECT_EQ(a.tryTake(QStringLiteral("Μαρία"), QStringLiteral("ΤΑΜΕΙΟ-1")), Take::Taken);
    const InUseMarker::Record seen = b.read();
    EXPECT_EQ(seen.state, State::Taken);
    EXPECT_EQ(seen.user, QStringLiteral("Μαρία"));
    EXPECT_EQ(seen.computer, QStringLiteral("ΤΑΜΕΙΟ-1"));
    EXPECT_EQ(InUseMarker::holderText(seen), InUseMarker::holderText(a.read()));
    EXPECT_EQ(b.tryTake(QStringLiteral("Νίκος"), QStringLiteral("PC2")), Take::NotFree);

    EXPECT_TRUE(a.release(QStringLiteral("Μαρία"), QStringLiteral("ΤΑΜΕΙΟ-1")));
    EXPECT_EQ(b.read().state, State::Free);
    EXPECT_EQ(b.tryTake(QStringLiteral("Νίκος"), QStringLiteral("PC2")), Take::Taken);
    EXPECT_EQ(a.read().user, QStringLiteral("Νίκος"));
}

TEST(ServerMarker, AWorkstationThatCrashesFreesTheRightByItself)
{
    const QString book = newServerBook();
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The crashing workstation: takes the right and is killed holding it.
        close(ready[0]);
        auto own = workstation(book);
        ServerMarker marker(*own);
        const char ok = marker.tryTake(QStringLiteral("Κώστας"), QStringLiteral("PC1")) == Take::Taken ? '1' : '0';
        (void)!write(ready[1], &ok, 1);
        for (;;)
            pause();
    }
    close(ready[1]);
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    close(ready[0]);
    ASSERT_EQ(ok, '1');

    auto other = workstation(book);
    ServerMarker marker(*other);
    EXPECT_EQ(marker.read().state, State::Taken);
    EXPECT_EQ(marker.read().user, QStringLiteral("Κώστας"));
    EXPECT_EQ(marker.tryTake(QStringLiteral("Νίκος"), QStringLiteral("PC2")), Take::NotFree);

    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(takenWithin(marker, QStringLiteral("Νίκος"), 5000));
    EXPECT_EQ(marker.read().user, QStringLiteral("Νίκος"));
}

TEST(ServerMarker, TheAdministratorsUnlockEndsTheHoldingSession)
{
    const QString book = newServerBook();
    auto holder = workstation(book);
    auto admin = workstation(book);
    ServerMarker held(*holder);
    ServerMarker unlocking(*admin);
    ASSERT_EQ(held.tryTake(QStringLiteral("Μαρία"), QStringLiteral("PC1")), Take::Taken);
    EXPECT_TRUE(unlocking.unlockForAdministrator());
    EXPECT_TRUE(takenWithin(unlocking, QStringLiteral("admin"), 5000));
    // The ended session's next statement fails as a lost server, never as success.
    try {
        holder->scalar(QStringLiteral("SELECT 1"));
        ADD_FAILURE() << "the ended session still ran a statement";
    } catch (const db::DbError &e) {
        EXPECT_EQ(e.kind(), db::DbError::Kind::Unreachable);
    }
}

TEST(ServerMarker, ARefusalNamesTheHolderNotTheOneBeforeIt)
{
    const QString book = newServerBook();
    auto gone = workstation(book);
    ServerMarker before(*gone);
    ASSERT_EQ(before.tryTake(QStringLiteral("Κώστας"), QStringLiteral("PC1")), Take::Taken);
    gone.reset(); // crashed: the table still names Κώστας

    // The next holder has its lock and writes its names a moment later, as
    // tryTake does in two steps: the moment between them is made long here.
    auto next = workstation(book);
    auto reader = workstation(book);
    ServerMarker taking(*next);
    EXPECT_TRUE(takenWithin(taking, QStringLiteral("Νίκος"), 5000));
    next->execute(QStringLiteral("UPDATE katoxos SET xrhsths = ?1, ypologisths = ?2, syndesh = 0"),
                  QStringLiteral("Κώστας"), QStringLiteral("PC1"));
    std::thread naming([&] {
        QThread::msleep(150);
        next->execute(QStringLiteral("UPDATE katoxos SET flag = '1', xrhsths = ?1, ypologisths = ?2, "
                                     "syndesh = pg_backend_pid()"),
                      QStringLiteral("Νίκος"), QStringLiteral("PC2"));
    });
    const InUseMarker::Record seen = ServerMarker(*reader).read();
    naming.join();
    EXPECT_EQ(seen.state, State::Taken);
    EXPECT_EQ(seen.user, QStringLiteral("Νίκος"));
    EXPECT_EQ(seen.computer, QStringLiteral("PC2"));
}
