#include "shell/mainwindow/MarkerHolder.h"
#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "shell/contracts/MainWindowState.h"
#include "shell/mainwindow/MainWindowRules.h"
#include "data/Store.h"
#include "support/PgTestServer.h"
#include "shell/login/Maintenance.h"
#include "support/ScriptedMessages.h"
#include "tools/NewInstallation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString holderTitle = QStringLiteral("Kelvora  -  Η βάση χρησιμοποιήτε από τον (την) babis στον Η/Υ pc2");
}

class Marker : public ::testing::Test
{
protected:
    void SetUp() override
    {
        globals().NetUserName = QStringLiteral("anna");
        globals().MachineName = QStringLiteral("pc1");
    }
    void heldByOther()
    {
        InUseMarker(datafolder::marker(dir.path())).tryTake(QStringLiteral("babis"), QStringLiteral("pc2"));
    }
    InUseMarker::Record record() const { return InUseMarker(datafolder::marker(dir.path())).read(); }

    QTemporaryDir dir;
    MainWindowState state;
    MarkerHolder holder{dir.path(), state};
    ScriptedMessages boxes;
};

TEST_F(Marker, FreeMarkerIsTakenAndGivenBackInOwnNames)
{
    InUseMarker(datafolder::marker(dir.path())).release(QString(), QString());
    holder.takeIfFree();
    EXPECT_TRUE(state.OwnsMarker);
    EXPECT_TRUE(record().isTaken());
    EXPECT_EQ(record().user, QStringLiteral("anna"));
    EXPECT_EQ(holder.title(), QStringLiteral("Kelvora"));
    EXPECT_TRUE(holder.allowsChange());

    holder.releaseIfOwned();
    EXPECT_FALSE(state.OwnsMarker);
    EXPECT_TRUE(record().isFree());
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(Marker, AnotherHolderIsNamedAndRefusesChanges)
{
    InUseMarker(datafolder::marker(dir.path())).release(QString(), QString());
    heldByOther();
    holder.takeIfFree();
    EXPECT_FALSE(state.OwnsMarker);
    EXPECT_EQ(holder.title(), holderTitle);

    EXPECT_FALSE(holder.allowsChange());
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("Αδύνατη η πρόσβαση"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Η βάση χρησιμοποιήτε από τον (την) babis στον Η/Υ pc2"));

    // Not ours: releasing leaves the other workstation's marker alone.
    holder.releaseIfOwned();
    EXPECT_TRUE(record().isTaken());
    EXPECT_EQ(record().user, QStringLiteral("babis"));
}

// A marker file without a readable record is named in the title and refuses
// changes as another holder would, until the administrator unlocks it.
TEST_F(Marker, UnreadableFileIsNamedAndRefusesChanges)
{
    for (const QByteArray &held : {QByteArray(""), QByteArray(70, 'j')}) {
        SCOPED_TRACE(held.size());
        boxes.clear();
        QFile::remove(datafolder::marker(dir.path()));
        {
            QFile f(datafolder::marker(dir.path()));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(held);
        }
        holder.takeIfFree();
        EXPECT_FALSE(state.OwnsMarker);
        EXPECT_EQ(holder.title(), QStringLiteral("Kelvora  -  Το αρχείο kelvora.dat δεν διαβάζεται"));
        EXPECT_FALSE(holder.allowsChange());
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().title, QStringLiteral("Αδύνατη η πρόσβαση"));
        EXPECT_EQ(boxes.last().text, QStringLiteral("Το αρχείο κλειδώματος kelvora.dat δεν διαβάζεται.\n"
                                                    "Ξεκλειδώστε τη βάση από το παράθυρο εισόδου, με το κουμπί "
                                                    "ξεκλειδώματος κάτω από το κουμπί τερματισμού (δεν χρειάζεται "
                                                    "είσοδος χρήστη)."));
    }
}

// The marker file removed: the next start makes it free and takes it.
TEST_F(Marker, MissingFileIsMadeAndTaken)
{
    QFile::remove(datafolder::marker(dir.path()));
    holder.takeAtStart(true);
    EXPECT_TRUE(state.OwnsMarker);
    EXPECT_EQ(holder.title(), QStringLiteral("Kelvora"));
    EXPECT_EQ(record().user, QStringLiteral("anna"));
    EXPECT_EQ(boxes.count(), 0);
}

// Yesterday's copy was killed holding the marker in this workstation's names.
// With no other copy running here it is taken over, with one message; while
// another copy may run here it is left as it is.
TEST_F(Marker, OwnStaleMarkerIsTakenOverOnlyWhenNoOtherCopyRunsHere)
{
    InUseMarker(datafolder::marker(dir.path())).release(QString(), QString());
    InUseMarker(datafolder::marker(dir.path())).tryTake(QStringLiteral("anna"), QStringLiteral("pc1"));

    holder.takeAtStart(false);
    EXPECT_FALSE(state.OwnsMarker);
    EXPECT_EQ(holder.title(), QStringLiteral("Kelvora  -  Η βάση χρησιμοποιήτε από τον (την) anna στον Η/Υ pc1"));
    EXPECT_EQ(boxes.count(), 0);

    holder.takeAtStart(true);
    EXPECT_TRUE(state.OwnsMarker);
    EXPECT_EQ(holder.title(), QStringLiteral("Kelvora"));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().icon, msg::Icon::Information);
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("anna στον Η/Υ pc1"))) << boxes.last().text.toStdString();
    // Taking it again on the cash tab says nothing more.
    holder.takeIfFree();
    EXPECT_EQ(boxes.count(), 1);

    // Another workstation's marker is never taken over.
    holder.releaseIfOwned();
    heldByOther();
    holder.takeAtStart(true);
    EXPECT_FALSE(state.OwnsMarker);
    EXPECT_EQ(holder.title(), holderTitle);
}

// A release that could not be written leaves the file saying this instance
// holds it; forgetting that would make this instance refuse its own changes.
TEST_F(Marker, AFailedReleaseKeepsOwnershipAndSaysSo)
{
    InUseMarker(datafolder::marker(dir.path())).release(QString(), QString());
    holder.takeIfFree();
    ASSERT_TRUE(state.OwnsMarker);
    const QString marker = datafolder::marker(dir.path());
    ASSERT_TRUE(QFile::rename(marker, marker + QStringLiteral(".kept")));
    ASSERT_TRUE(QDir().mkdir(marker)); // the write can no longer succeed

    EXPECT_FALSE(holder.releaseIfOwned());
    EXPECT_TRUE(state.OwnsMarker);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().icon, msg::Icon::Critical);
    EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("Η βάση δεν ξεκλείδωσε"))) << boxes.last().text.toStdString();

    ASSERT_TRUE(QDir().rmdir(marker));
    ASSERT_TRUE(QFile::rename(marker + QStringLiteral(".kept"), marker));
    EXPECT_TRUE(holder.allowsChange()); // still ours
    EXPECT_TRUE(holder.releaseIfOwned());
    EXPECT_FALSE(state.OwnsMarker);
    EXPECT_TRUE(record().isFree());
}

TEST(MainWindowRules, MarkerTestOnlyForChangingOperations)
{
    QList<int> tested;
    for (int element = 0; element <= 10; ++element)
        if (mainwindow::needsMarkerTest(element))
            tested << element;
    EXPECT_EQ(tested, (QList<int>{0, 2, 3, 6, 7, 8, 10}));
}

TEST(MainWindowRules, ReportRangeStartsTheMonth)
{
    const mainwindow::DateRange r = mainwindow::reportDateRange(QDate(2026, 3, 17));
    EXPECT_EQ(r.from, QStringLiteral("01-03-2026"));
    EXPECT_EQ(r.to, QStringLiteral("17-03-2026"));
    const mainwindow::DateRange first = mainwindow::reportDateRange(QDate(2026, 12, 1));
    EXPECT_EQ(first.from, QStringLiteral("01-12-2026"));
    EXPECT_EQ(first.to, QStringLiteral("01-12-2026"));
}

// A book on a database server keeps no marker file: the right to change is
// the server session's, and the main window reads and takes it through the
// same steps, with the same title and refusal.
TEST(ServerBookMarker, TheSessionHoldsTheRightAndAnotherWorkstationIsNamedAndRefused)
{
    const QString connection = PgTestServer::instance().createDatabase();
    newinstall::createDatabases(connection, globals().DbPassword);
    ScriptedMessages boxes;

    globals().NetUserName = QStringLiteral("anna");
    globals().MachineName = QStringLiteral("pc1");
    Store first(connection, globals().DbPassword);
    MainWindowState firstState;
    firstState.store = &first;
    MarkerHolder firstHolder(connection, firstState);
    firstHolder.takeIfFree();
    ASSERT_TRUE(firstState.OwnsMarker);
    EXPECT_EQ(firstHolder.title(), QStringLiteral("Kelvora"));
    EXPECT_TRUE(firstHolder.allowsChange());

    globals().NetUserName = QStringLiteral("babis");
    globals().MachineName = QStringLiteral("pc2");
    Store second(connection, globals().DbPassword);
    MainWindowState secondState;
    secondState.store = &second;
    MarkerHolder secondHolder(connection, secondState);
    secondHolder.takeIfFree();
    EXPECT_FALSE(secondState.OwnsMarker);
    EXPECT_EQ(secondHolder.title(),
              QStringLiteral("Kelvora  -  Η βάση χρησιμοποιήτε από τον (την) anna στον Η/Υ pc1"));
    EXPECT_FALSE(secondHolder.allowsChange());
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.texts().join(QString()).contains(QStringLiteral("anna")));

    globals().NetUserName = QStringLiteral("anna");
    globals().MachineName = QStringLiteral("pc1");
    EXPECT_TRUE(firstHolder.releaseIfOwned());
    EXPECT_FALSE(firstState.OwnsMarker);
    globals().NetUserName = QStringLiteral("babis");
    globals().MachineName = QStringLiteral("pc2");
    secondHolder.takeIfFree();
    EXPECT_TRUE(secondState.OwnsMarker);
    // No marker file was made beside anything: the place of the book is no folder.
    EXPECT_FALSE(QFile::exists(datafolder::marker(connection)));
}

// The administrator's unlock on a server book ends the session that holds the
// right, so the next workstation may take it.
TEST(ServerBookMarker, TheAdministratorsUnlockFreesTheRightOfAnotherSession)
{
    const QString connection = PgTestServer::instance().createDatabase();
    newinstall::createDatabases(connection, globals().DbPassword);
    ScriptedMessages boxes;
    auto holding = std::make_unique<Store>(connection, globals().DbPassword);
    ServerMarker(holding->main()).tryTake(QStringLiteral("babis"), QStringLiteral("pc2"));

    Store admin(connection, globals().DbPassword);
    ASSERT_TRUE(ServerMarker(admin.main()).read().isTaken());
    EXPECT_TRUE(login::unlockMarker(admin));
    EXPECT_TRUE(boxes.texts().join(QString()).contains(QStringLiteral("Η βάση ξεκλείδωσε")));
    // The server ends the other session on its own time.
    QElapsedTimer waited;
    waited.start();
    while (ServerMarker(admin.main()).read().isTaken() && waited.elapsed() < 5000)
        QThread::msleep(50);
    EXPECT_TRUE(ServerMarker(admin.main()).read().isFree());
}
