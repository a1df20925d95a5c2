#include "CashBookFixture.h"
#include "data/Backup.h"
#include "data/DataFolder.h"
#include "data/Restore.h"
#include "tools/NewInstallation.h"

#include <QDir>
#include <QFile>

namespace {

// Reads a copy the way the program would: opened with the key.
struct Copy
{
    explicit Copy(const QString &folder) : store(folder, globals().DbPassword) {}
    qint64 movements() { return store.main().scalar(QStringLiteral("SELECT count(*) FROM kinhseis")).toLongLong(); }
    bool closed(const QDate &d)
    {
        return store.users()
                   .scalar(QStringLiteral("SELECT count(*) FROM KlhsimoTameioy WHERE Hmeraklhsimatos = ?1"), d)
                   .toInt() == 1;
    }
    Store store;
};

} // namespace

class BackupAtClose : public CashBookFixture
{
protected:
    bool close(const QDate &d)
    {
        messages.answerNext(msg::Answer::Ok);
        return ops.CloseCash(regional::formatDate(d));
    }
};

TEST_F(BackupAtClose, CopyOfBothFilesOpensWithTheKeyAndHoldsTheClosedDay)
{
    insert(day(7), 10, QStringLiteral("100,00"), QStringLiteral("0"));
    ASSERT_TRUE(close(day(7)));
    EXPECT_EQ(messages.count(), 1) << qPrintable(messages.texts().join(u'|')); // only the question
    const QString folderOfDay = backup::folderFor(folder.path(), day(7));
    EXPECT_EQ(folderOfDay, folder.path() + QStringLiteral("/backup/2026-03-07"));
    Copy copy(folderOfDay);
    EXPECT_EQ(copy.movements(), 1);
    EXPECT_TRUE(copy.closed(day(7)));
    // Still encrypted: the plain engine header is not there.
    QFile f(datafolder::mainDatabase(folderOfDay));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_NE(f.read(15), QByteArray("SQLite format 3"));
}

TEST_F(BackupAtClose, ThirtyOneClosesKeepTheNewestThirty)
{
    for (int i = 0; i < 31; ++i)
        ASSERT_TRUE(close(QDate(2026, 1, 1).addDays(i)));
    const QStringList kept = backup::backupFolders(folder.path());
    ASSERT_EQ(kept.size(), backup::KeptBackups);
    EXPECT_EQ(kept.first(), QStringLiteral("2026-01-02"));
    EXPECT_EQ(kept.last(), QStringLiteral("2026-01-31"));
    EXPECT_EQ(QDir(backup::backupRoot(folder.path())).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
              backup::KeptBackups); // no working folders left behind
}

TEST_F(BackupAtClose, FailedCopyIsReportedAndTheDayStaysClosed)
{
    // A file where the backup folder should be: nothing can be made under it.
    QFile blocker(backup::backupRoot(folder.path()));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_TRUE(close(day(7)));
    EXPECT_TRUE(book.IsDayClosed(day(7)));
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.last().title, QStringLiteral("Αντίγραφο ασφαλείας"));
    EXPECT_EQ(messages.last().icon, msg::Icon::Critical);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("2026-03-07")));
}

TEST_F(BackupAtClose, RestorePutsTheCopyBackAndKeepsTheReplacedFiles)
{
    insert(day(7), 10, QStringLiteral("100,00"), QStringLiteral("0"));
    ASSERT_TRUE(close(day(7)));
    insert(day(8), 10, QStringLiteral("5,00"), QStringLiteral("0"));
    insert(day(8), 20, QStringLiteral("0"), QStringLiteral("3,00"));

    const restore::Result r =
        restore::fromBackup(folder.path(), backup::folderFor(folder.path(), day(7)), globals().DbPassword);
    ASSERT_TRUE(r.ok) << qPrintable(r.error);
    ASSERT_EQ(r.keptFiles.size(), 2);
    Copy restored(folder.path());
    EXPECT_EQ(restored.movements(), 1);
    EXPECT_TRUE(restored.closed(day(7)));
    auto keptMain = db::Database::open(r.keptFiles[0], globals().DbPassword); // the replaced book
    EXPECT_EQ(keptMain->scalar(QStringLiteral("SELECT count(*) FROM kinhseis")).toInt(), 3);
}

TEST_F(BackupAtClose, RestoreRefusesACopyThatDoesNotOpenWithTheKey)
{
    insert(day(7), 10, QStringLiteral("100,00"), QStringLiteral("0"));
    QTemporaryDir other;
    newinstall::createDatabases(other.path(), QStringLiteral("another key"));
    const restore::Result r = restore::fromBackup(folder.path(), other.path(), globals().DbPassword);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_TRUE(r.keptFiles.isEmpty());
    EXPECT_EQ(Copy(folder.path()).movements(), 1);
    EXPECT_EQ(QDir(folder.path()).entryList({QStringLiteral("*.before-restore-*")}).size(), 0);
}
