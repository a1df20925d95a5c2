#include "CashBookFixture.h"
#include "data/Backup.h"
#include "data/DataFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <sys/time.h>

namespace {

mode_t modeOf(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Every file under a folder (not following links) with its content's digest.
QMap<QString, QByteArray> digests(const QString &folder)
{
    QMap<QString, QByteArray> all;
    for (const QFileInfo &e : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)) {
        QFile f(e.filePath());
        if (f.open(QIODevice::ReadOnly))
            all.insert(e.fileName(), QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256));
    }
    return all;
}

} // namespace

class BackupFolders : public CashBookFixture
{
protected:
    bool close(const QDate &d)
    {
        messages.answerNext(msg::Answer::Ok);
        return ops.CloseCash(regional::formatDate(d));
    }
    QString root() const { return backup::backupRoot(folder.path()); }
};

// The copies kept are the thirty made last, whatever days they hold: closing
// an old day keeps the copy it just made, and the copy made longest ago goes.
TEST_F(BackupFolders, TheCopyJustMadeIsKeptWhateverDayItHolds)
{
    for (int i = 1; i <= 30; ++i)
        ASSERT_TRUE(close(QDate(2026, 2, 1).addDays(i - 1)));
    ASSERT_EQ(backup::backupFolders(folder.path()).size(), backup::KeptBackups);

    ASSERT_TRUE(close(QDate(2026, 1, 5))); // an old day, closed late
    const QStringList kept = backup::backupFolders(folder.path());
    EXPECT_EQ(kept.size(), backup::KeptBackups);
    EXPECT_TRUE(kept.contains(QStringLiteral("2026-01-05")));
    EXPECT_FALSE(kept.contains(QStringLiteral("2026-02-01"))); // made first
    EXPECT_TRUE(kept.contains(QStringLiteral("2026-02-02")));
    EXPECT_EQ(messages.count(), 31) << qPrintable(messages.texts().join(u'|')); // only the questions
}

// backup/, a day's folder or its working folder that is a link elsewhere is
// never emptied, removed or written through: the copy is refused with the
// reason, and the linked folders' files are as they were.
TEST_F(BackupFolders, LinkedBackupFoldersAreLeftUntouched)
{
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(QStringLiteral("victim"));
    ASSERT_TRUE(QDir().mkpath(victim));
    writeFile(victim + QStringLiteral("/kelvora.mdb"), "someone else's file");
    writeFile(victim + QStringLiteral("/notes.txt"), "keep me");
    const auto before = digests(victim);

    ASSERT_TRUE(QDir().mkpath(root()));
    for (const QString &link : {root() + QStringLiteral("/2026-03-07"), root() + QStringLiteral("/.2026-03-07.partial")}) {
        SCOPED_TRACE(qPrintable(link));
        ASSERT_TRUE(QFile::link(victim, link));
        const backup::Result r = backup::backupDay(folder.store(), day(7));
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.error.contains(link)) << qPrintable(r.error);
        EXPECT_TRUE(r.error.contains(QStringLiteral("σύνδεσμος")));
        EXPECT_EQ(digests(victim), before);
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        ASSERT_TRUE(QFile::remove(link));
    }

    // A link among the old copies is not pruned through; the new copy is
    // made and the user hears what was left.
    for (int i = 1; i <= 30; ++i)
        ASSERT_TRUE(backup::backupDay(folder.store(), QDate(2026, 1, 1).addDays(i)).ok);
    const QString oldLink = root() + QStringLiteral("/2025-12-31");
    ASSERT_TRUE(QFile::link(victim, oldLink));
    ASSERT_TRUE(close(day(10)));
    ASSERT_EQ(messages.count(), 2) << qPrintable(messages.texts().join(u'|'));
    EXPECT_EQ(messages.last().icon, msg::Icon::Exclamation);
    EXPECT_TRUE(messages.last().text.contains(oldLink)) << qPrintable(messages.last().text);
    EXPECT_EQ(digests(victim), before);
    EXPECT_TRUE(QFileInfo::exists(backup::folderFor(folder.path(), day(10)) + QStringLiteral("/kelvora.mdb")));

    // A folder of another's files named like a day: not removed either.
    ASSERT_TRUE(QFile::remove(oldLink));
    ASSERT_TRUE(QDir().mkpath(oldLink));
    writeFile(oldLink + QStringLiteral("/notes.txt"), "mine");
    const struct timeval longAgo[2] = {{946684800, 0}, {946684800, 0}}; // made in 2000: the first to go
    ASSERT_EQ(::utimes(QFile::encodeName(oldLink).constData(), longAgo), 0);
    const backup::Result pruned = backup::backupDay(folder.store(), day(11));
    EXPECT_TRUE(pruned.ok);
    ASSERT_EQ(pruned.refused.size(), 1);
    EXPECT_TRUE(QFile::exists(oldLink + QStringLiteral("/notes.txt")));

    // backup/ itself a link: nothing is made there.
    QDir(root()).removeRecursively();
    ASSERT_TRUE(QFile::link(victim, root()));
    const backup::Result r = backup::backupDay(folder.store(), day(12));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(root()));
    EXPECT_EQ(digests(victim), before);
    EXPECT_EQ(QDir(victim).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 2);
}

// Copies of private books stay private; a folder shared by a group gives the
// group what the folder gives it, and never anything to others.
TEST_F(BackupFolders, CopiesAreNoWiderThanTheBooks)
{
    const QByteArray dir = QFile::encodeName(folder.path());
    struct Case
    {
        const char *name;
        mode_t folderMode, bookMode, wantFile, wantFolder;
    };
    for (const Case &c : {Case{"private", 0700, 0600, 0600, 0700},
                          Case{"private books in an open folder", 0755, 0600, 0600, 0700},
                          Case{"group-shared", 02770, 0660, 0660, 02770},
                          Case{"group may read", 0750, 0640, 0640, 0750}}) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(::chmod(dir.constData(), c.folderMode), 0);
        for (const QString &f : {datafolder::mainDatabase(folder.path()), datafolder::usersDatabase(folder.path())})
            ASSERT_EQ(::chmod(QFile::encodeName(f).constData(), c.bookMode), 0);
        QDir(root()).removeRecursively();
        ASSERT_TRUE(backup::backupDay(folder.store(), day(9)).ok);
        const QString copy = backup::folderFor(folder.path(), day(9));
        EXPECT_EQ(modeOf(root()), c.wantFolder);
        EXPECT_EQ(modeOf(copy), c.wantFolder);
        EXPECT_EQ(modeOf(copy + QStringLiteral("/kelvora.mdb")), c.wantFile);
        EXPECT_EQ(modeOf(copy + QStringLiteral("/mapcodes.mdb")), c.wantFile);
    }
    ::chmod(dir.constData(), 0700);
}
