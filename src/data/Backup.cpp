#include "Backup.h"

#include "DataFolder.h"
#include "Store.h"
#include "platform/db/Database.h"

#include <QDir>
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
    } catch (const std::exception &e) {
        QDir(partial).removeRecursively();
        r.error = QString::fromUtf8(e.what());
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

} // namespace backup
