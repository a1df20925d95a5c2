// Putting a backup back: everything checked before anything is changed, both
// files or neither, nothing left behind.
#include "data/AppGlobals.h"
#include "data/Backup.h"
#include "data/DataFolder.h"
#include "data/InUseMarker.h"
#include "data/Restore.h"
#include "platform/db/Database.h"
#include "support/TestDataFolder.h"
#include "tools/NewInstallation.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Every file under the folder (hidden ones too) with the digest of its bytes.
QMap<QString, QByteArray> digests(const QString &folder)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        out.insert(QDir(folder).relativeFilePath(path),
                   QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256));
    }
    return out;
}

mode_t modeOf(const QString &path)
{
    struct stat st = {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
    return st.st_mode & 07777;
}

const QString &key()
{
    return globals().DbPassword;
}

class Restore : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data.addCode(10, QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), true);
        const backup::Result made = backup::backupDay(data.store(), QDate(2026, 3, 7));
        ASSERT_TRUE(made.ok) << qPrintable(made.error);
        backupFolder = made.folder;
        data.addCode(20, QStringLiteral("ΑΓΟΡΕΣ"), false); // the live book moves on after the backup
    }
    void TearDown() override { restore::setRenameForTests({}); }

    int liveCodes()
    {
        auto main = db::Database::open(datafolder::mainDatabase(data.path()), key());
        return main->scalar(QStringLiteral("SELECT count(*) FROM kvdikoi")).toInt();
    }

    // A folder holding copies of the good backup, changed by `change`.
    QString wrongCopy(const std::function<void(const QString &folder)> &change)
    {
        const QString folder = other.filePath(QStringLiteral("copy%1").arg(++copies));
        QDir().mkpath(folder);
        for (const QString &name : {QStringLiteral("kelvora.mdb"), QStringLiteral("mapcodes.mdb")})
            EXPECT_TRUE(QFile::copy(backupFolder + u'/' + name, folder + u'/' + name));
        change(folder);
        return folder;
    }

    TestDataFolder data;
    QString backupFolder;
    QTemporaryDir other;
    int copies = 0;
};

void runOn(const QString &file, const QString &script)
{
    db::Database::open(file, key())->executeScript(script);
}

} // namespace

TEST_F(Restore, WrongFilesAreRefusedWithEveryFileUnchanged)
{
    struct Case
    {
        const char *name;
        QString folder;
        QString errorHolds;
    };
    const Case cases[] = {
        {"swapped", wrongCopy([](const QString &f) {
             QFile::rename(f + QStringLiteral("/kelvora.mdb"), f + QStringLiteral("/x"));
             QFile::rename(f + QStringLiteral("/mapcodes.mdb"), f + QStringLiteral("/kelvora.mdb"));
             QFile::rename(f + QStringLiteral("/x"), f + QStringLiteral("/mapcodes.mdb"));
         }),
         QStringLiteral("swapped")},
        {"another schema", wrongCopy([](const QString &f) {
             QFile::remove(f + QStringLiteral("/kelvora.mdb"));
             db::Database::create(f + QStringLiteral("/kelvora.mdb"), key())
                 ->executeScript(QStringLiteral("CREATE TABLE taytothta (ariumos INTEGER);"
                                                "CREATE TABLE kinhseis (aa INTEGER, poso REAL);"));
         }),
         QStringLiteral("has no")},
        {"a column missing", wrongCopy([](const QString &f) {
             runOn(f + QStringLiteral("/kelvora.mdb"),
                   QStringLiteral("DROP TABLE kvdikoi;"
                                  "CREATE TABLE kvdikoi (id INTEGER PRIMARY KEY, kvdikos INTEGER, perigrafh TEXT,"
                                  " omada TEXT, aa_omadas INTEGER, lista TEXT, esodo INTEGER);"));
         }),
         QStringLiteral("no column energos")},
        {"book from a newer program", wrongCopy([](const QString &f) {
             runOn(f + QStringLiteral("/kelvora.mdb"), QStringLiteral("UPDATE taytothta SET ariumos = 99;"));
         }),
         QStringLiteral("version 99")},
        {"users file from a newer program", wrongCopy([](const QString &f) {
             runOn(f + QStringLiteral("/mapcodes.mdb"), QStringLiteral("PRAGMA user_version = 7;"));
         }),
         QStringLiteral("version 7")},
        {"users file missing", wrongCopy([](const QString &f) { QFile::remove(f + QStringLiteral("/mapcodes.mdb")); }),
         QStringLiteral("mapcodes.mdb")},
        {"another key", wrongCopy([](const QString &f) {
             QFile::remove(f + QStringLiteral("/kelvora.mdb"));
             QFile::remove(f + QStringLiteral("/mapcodes.mdb"));
             newinstall::createDatabases(f, QStringLiteral("another key"));
         }),
         QStringLiteral("kelvora.mdb")},
    };
    for (const Case &c : cases) {
        const QMap<QString, QByteArray> before = digests(data.path());
        const QMap<QString, QByteArray> copyBefore = digests(c.folder);
        const restore::Result r = restore::fromBackup(data.path(), c.folder, key());
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_TRUE(r.error.contains(c.errorHolds)) << c.name << ": " << r.error.toStdString();
        EXPECT_TRUE(r.keptFiles.isEmpty()) << c.name;
        EXPECT_EQ(digests(data.path()), before) << c.name; // no file changed, none added or left behind
        EXPECT_EQ(digests(c.folder), copyBefore) << c.name;
    }
    EXPECT_EQ(liveCodes(), 2);
    EXPECT_TRUE(InUseMarker(datafolder::marker(data.path())).read().isFree());
}

TEST_F(Restore, RefusedWhileAProgramHoldsTheMarker)
{
    const InUseMarker marker(datafolder::marker(data.path()));
    ASSERT_EQ(marker.tryTake(QStringLiteral("anna"), QStringLiteral("pc-2")), InUseMarker::TakeResult::Taken);
    const QMap<QString, QByteArray> before = digests(data.path());
    const restore::Result r = restore::fromBackup(data.path(), backupFolder, key());
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QStringLiteral("anna"))) << r.error.toStdString();
    EXPECT_TRUE(r.error.contains(QStringLiteral("pc-2"))) << r.error.toStdString();
    EXPECT_EQ(digests(data.path()), before);
    EXPECT_EQ(marker.read().user, QStringLiteral("anna")); // still hers
}

// A write under way (or left by a crash) has a journal beside the live file;
// it belongs to that file and would be played into the restored one.
TEST_F(Restore, RefusedBesideAJournal)
{
    QFile journal(datafolder::usersDatabase(data.path()) + QStringLiteral("-journal"));
    ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
    journal.write("pages");
    journal.close();
    const QMap<QString, QByteArray> before = digests(data.path());
    const restore::Result r = restore::fromBackup(data.path(), backupFolder, key());
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QStringLiteral("mapcodes.mdb-journal"))) << r.error.toStdString();
    EXPECT_EQ(digests(data.path()), before);
}

// Kept names already taken (a restore earlier in the same second) give both
// files a free name; before, the book was replaced and the users file not.
TEST_F(Restore, BothFilesArePutBackBesideEarlierKeptFiles)
{
    const QDateTime now = QDateTime::currentDateTime();
    QStringList taken;
    for (int s = 0; s < 5; ++s) {
        const QString name = datafolder::usersDatabase(data.path()) + QStringLiteral(".before-restore-") +
                             now.addSecs(s).toString(QStringLiteral("yyyyMMdd-HHmmss"));
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier");
        taken << name;
    }
    const QByteArray liveUsers = digests(data.path()).value(QStringLiteral("mapcodes.mdb"));

    const restore::Result r = restore::fromBackup(data.path(), backupFolder, key());
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(liveCodes(), 1); // the book of the backup
    ASSERT_EQ(r.keptFiles.size(), 2);
    EXPECT_EQ(r.keptFiles[0].section(QStringLiteral(".mdb"), 1), r.keptFiles[1].section(QStringLiteral(".mdb"), 1));
    EXPECT_TRUE(r.keptFiles[1].endsWith(QStringLiteral("-2")));
    const QMap<QString, QByteArray> after = digests(data.path());
    EXPECT_EQ(after.value(QDir(data.path()).relativeFilePath(r.keptFiles[1])), liveUsers);
    EXPECT_EQ(after.value(QStringLiteral("mapcodes.mdb")), digests(backupFolder).value(QStringLiteral("mapcodes.mdb")));
    for (const QString &name : taken) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("earlier"));
    }
    EXPECT_TRUE(
        QDir(data.path()).entryList({QStringLiteral("*.restoring")}, QDir::AllEntries | QDir::Hidden).isEmpty());
    EXPECT_TRUE(InUseMarker(datafolder::marker(data.path())).read().isFree()); // held meanwhile, given back
}

TEST_F(Restore, RestoredFilesTakeTheLiveFilesModesForOwnerAndGroupOnly)
{
    ASSERT_EQ(::chmod(QFile::encodeName(datafolder::mainDatabase(data.path())).constData(), 0640), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(datafolder::usersDatabase(data.path())).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(datafolder::mainDatabase(backupFolder)).constData(), 0644), 0);
    const restore::Result r = restore::fromBackup(data.path(), backupFolder, key());
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(modeOf(datafolder::mainDatabase(data.path())), mode_t(0640));
    EXPECT_EQ(modeOf(datafolder::usersDatabase(data.path())), mode_t(0660));
}

// Should a rename fail midway, the ones made before it are undone: the data
// folder holds the live files as they were, and nothing else.
TEST_F(Restore, AFailedRenameUndoesTheOnesBefore)
{
    const QMap<QString, QByteArray> before = digests(data.path());
    for (int failing = 1; failing <= 4; ++failing) {
        int calls = 0;
        restore::setRenameForTests(
            [&](const QString &from, const QString &to) { return ++calls != failing && QFile::rename(from, to); });
        const restore::Result r = restore::fromBackup(data.path(), backupFolder, key());
        EXPECT_FALSE(r.ok) << failing;
        EXPECT_TRUE(r.error.startsWith(QStringLiteral("cannot rename"))) << r.error.toStdString();
        EXPECT_EQ(digests(data.path()), before) << "rename " << failing << " failed";
    }
    EXPECT_EQ(liveCodes(), 2);
}
