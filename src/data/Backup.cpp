#include "Backup.h"

#include "DataFolder.h"
#include "Store.h"
#include "StoreFailure.h"
#include "platform/db/Database.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace backup {
namespace {

const QString DayFolderPattern = QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$");

void copyDatabase(db::Database &source, const QString &target, const QString &key)
{
    auto copy = db::Database::create(target, key);
    source.copyInto(*copy);
}

void keepNewest(const QString &dataPath)
{
    const QStringList folders = backupFolders(dataPath);
    for (qsizetype i = 0; i + KeptBackups < folders.size(); ++i)
        QDir(QDir(backupRoot(dataPath)).filePath(folders[i])).removeRecursively();
}

QString fileNameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

} // namespace

QString backupRoot(const QString &dataPath)
{
    return datafolder::normalise(dataPath) + QStringLiteral("/backup");
}

QString folderFor(const QString &dataPath, const QDate &day)
{
    return backupRoot(dataPath) + QLatin1Char('/') + day.toString(Qt::ISODate);
}

QStringList backupFolders(const QString &dataPath)
{
    QStringList names = QDir(backupRoot(dataPath)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    const QRegularExpression dayFolder(DayFolderPattern);
    names.removeIf([&](const QString &n) { return !dayFolder.match(n).hasMatch(); });
    return names;
}

Result backupDay(Store &store, const QDate &day)
{
    Result r;
    r.folder = folderFor(store.dataPath(), day);
    // Made under a working name and renamed when complete, so that a folder
    // named after a day always holds a whole copy.
    const QString partial = backupRoot(store.dataPath()) + QStringLiteral("/.") + day.toString(Qt::ISODate) +
                            QStringLiteral(".partial");
    QDir(partial).removeRecursively();
    if (!QDir().mkpath(partial)) {
        r.error = QStringLiteral("ο φάκελος ") + partial + QStringLiteral(" δεν δημιουργήθηκε");
        return r;
    }
    try {
        copyDatabase(store.main(), datafolder::mainDatabase(partial), store.key());
        copyDatabase(store.users(), datafolder::usersDatabase(partial), store.key());
    } catch (const db::DbError &e) {
        QDir(partial).removeRecursively();
        r.error = storefailure::causeLine(e);
        return r;
    } catch (const std::exception &e) {
        QDir(partial).removeRecursively();
        qWarning() << "backup failed:" << e.what();
        r.error = QStringLiteral("σφάλμα του προγράμματος");
        return r;
    }
    QDir(r.folder).removeRecursively();
    if (!QDir().rename(partial, r.folder)) {
        QDir(partial).removeRecursively();
        r.error = QStringLiteral("ο φάκελος ") + r.folder + QStringLiteral(" δεν γράφτηκε");
        return r;
    }
    keepNewest(store.dataPath());
    r.ok = true;
    return r;
}

RestoreResult restore(const QString &dataFolder, const QString &backupFolder, const QString &key)
{
    RestoreResult r;
    const QString sources[2] = {datafolder::mainDatabase(backupFolder), datafolder::usersDatabase(backupFolder)};
    const QString targets[2] = {datafolder::mainDatabase(dataFolder), datafolder::usersDatabase(dataFolder)};
    try {
        for (const QString &s : sources) {
            auto copy = db::Database::open(s, key); // throws when missing, plain, or another key
            copy->scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        }
    } catch (const db::DbError &e) {
        r.error = storefailure::causeLine(e);
        return r;
    }
    const QString suffix =
        QStringLiteral(".before-restore-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int i = 0; i < 2; ++i) {
        // Copied beside the target first, so a failed copy leaves the data folder as it was.
        const QString incoming = targets[i] + QStringLiteral(".restoring");
        QFile::remove(incoming);
        if (!QFile::copy(sources[i], incoming)) {
            r.error = QStringLiteral("cannot copy ") + sources[i] + QStringLiteral(" to ") + incoming;
            for (const QString &t : targets)
                QFile::remove(t + QStringLiteral(".restoring"));
            return r;
        }
    }
    for (int i = 0; i < 2; ++i) {
        const QString incoming = targets[i] + QStringLiteral(".restoring");
        if (QFile::exists(targets[i])) {
            const QString kept = targets[i] + suffix;
            if (!QFile::rename(targets[i], kept)) {
                r.error = QStringLiteral("cannot rename ") + targets[i];
                return r;
            }
            r.keptFiles << kept;
        }
        if (!QFile::rename(incoming, targets[i])) {
            r.error = QStringLiteral("cannot put ") + fileNameOf(targets[i]) + QStringLiteral(" in place");
            return r;
        }
    }
    r.ok = true;
    return r;
}

} // namespace backup
