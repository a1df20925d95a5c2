#include "Backup.h"

#include "DataFolder.h"
#include "FileModes.h"
#include "ServerBook.h"
#include "Store.h"
#include "StoreFailure.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <QDebug>
#include <QDir>
#include <QRegularExpression>
#include <algorithm>
#include <sys/stat.h>

namespace backup {
namespace {

const QString DayFolderPattern = QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$");

// The files a backup folder made by the program holds.
const QStringList MadeFiles = {QStringLiteral("kelvora.mdb"), QStringLiteral("mapcodes.mdb"),
                               QStringLiteral("kelvora.mdb-journal"), QStringLiteral("mapcodes.mdb-journal")};

void copyDatabase(db::Database &source, const QString &target, const QString &key, const QString &dataPath)
{
    auto copy = db::Database::create(target, key);
    // Before anything is copied in: no wider than the live books.
    if (!filemodes::restrictFile(target, dataPath))
        throw db::DbError(db::DbError::Kind::Sql, QStringLiteral("δεν ορίστηκαν τα δικαιώματα του ") + target);
    source.copyInto(*copy);
}

QString refusedLink(const QString &path)
{
    return QStringLiteral("το ") + path + QStringLiteral(" είναι σύνδεσμος ή δεν είναι φάκελος· δεν αγγίχτηκε");
}

// Removes a folder only when it is a real folder (not a link) holding nothing
// but the program's own files, themselves real files. Anything else is left
// as it is and said in `why`.
bool removeMadeFolder(const QString &folder, QString &why)
{
    if (!filemodes::isRealFolder(folder)) {
        why = refusedLink(folder);
        return false;
    }
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo &e : entries) {
        if (e.isSymLink() || !e.isFile() || !MadeFiles.contains(e.fileName())) {
            why = QStringLiteral("ο φάκελος ") + folder + QStringLiteral(" περιέχει ") + e.fileName()
                + QStringLiteral(", που δεν είναι αντίγραφο του προγράμματος· δεν αγγίχτηκε");
            return false;
        }
    }
    for (const QFileInfo &e : entries)
        QFile::remove(e.filePath());
    if (!QDir().rmdir(folder)) {
        why = QStringLiteral("ο φάκελος ") + folder + QStringLiteral(" δεν διαγράφηκε");
        return false;
    }
    return true;
}

// When a copy was made: the time its main file was written (nanoseconds).
qint64 madeAt(const QString &folder)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(datafolder::mainDatabase(folder)).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        if (::lstat(QFile::encodeName(folder).constData(), &st) != 0)
            return 0;
    return qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
}

// Keeps the KeptBackups copies made most recently, and always the one just
// made (`kept`): closing an old day must not remove the copy it just made.
void keepMostRecent(const QString &dataPath, const QString &kept, QStringList &refused)
{
    const QString root = backupRoot(dataPath);
    QList<std::pair<qint64, QString>> others;
    for (const QString &name : backupFolders(dataPath)) {
        const QString folder = root + QLatin1Char('/') + name;
        if (folder != kept)
            others.append({madeAt(folder), folder});
    }
    std::sort(others.begin(), others.end(), [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first > b.first : a.second > b.second;
    });
    for (qsizetype i = KeptBackups - 1; i < others.size(); ++i) {
        QString why;
        if (!removeMadeFolder(others[i].second, why))
            refused << why;
    }
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
    const QString dataPath = store.dataPath();
    // A book on a server is backed up by the server's own tools (pg_dump);
    // there are no files here to copy.
    if (serverbook::isConnection(dataPath)) {
        r.ok = true;
        return r;
    }
    const QString root = backupRoot(dataPath);
    r.folder = folderFor(dataPath, day);
    // Nothing is made, emptied or removed through a link: backup/ and every
    // folder under it must be real folders the program made.
    if (!filemodes::isRealFolder(root)) {
        if (QFileInfo::exists(root) || filemodes::isSymLink(root)) {
            r.error = refusedLink(root);
            return r;
        }
        if (!filemodes::makeFolder(root, dataPath)) {
            r.error = QStringLiteral("ο φάκελος ") + root + QStringLiteral(" δεν δημιουργήθηκε");
            return r;
        }
    }
    // Made under a working name and renamed when complete, so that a folder
    // named after a day always holds a whole copy.
    const QString partial = root + QStringLiteral("/.") + day.toString(Qt::ISODate) + QStringLiteral(".partial");
    QString why;
    if ((QFileInfo::exists(partial) || filemodes::isSymLink(partial)) && !removeMadeFolder(partial, why)) {
        r.error = why;
        return r;
    }
    if (!filemodes::makeFolder(partial, dataPath)) {
        r.error = QStringLiteral("ο φάκελος ") + partial + QStringLiteral(" δεν δημιουργήθηκε");
        return r;
    }
    try {
        copyDatabase(store.main(), datafolder::mainDatabase(partial), store.key(), dataPath);
        copyDatabase(store.users(), datafolder::usersDatabase(partial), store.key(), dataPath);
    } catch (const db::DbError &e) {
        removeMadeFolder(partial, why);
        r.error = storefailure::causeLine(e);
        return r;
    } catch (const std::exception &e) {
        removeMadeFolder(partial, why);
        qWarning() << "backup failed:" << e.what();
        r.error = QStringLiteral("σφάλμα του προγράμματος");
        return r;
    }
    // An earlier copy of the same day is replaced only once the new one is whole.
    if ((QFileInfo::exists(r.folder) || filemodes::isSymLink(r.folder)) && !removeMadeFolder(r.folder, why)) {
        QString ignored;
        removeMadeFolder(partial, ignored);
        r.error = why;
        return r;
    }
    if (!QDir().rename(partial, r.folder)) {
        removeMadeFolder(partial, why);
        r.error = QStringLiteral("ο φάκελος ") + r.folder + QStringLiteral(" δεν γράφτηκε");
        return r;
    }
    keepMostRecent(dataPath, r.folder, r.refused);
    r.ok = true;
    return r;
}

} // namespace backup
