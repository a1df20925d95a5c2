#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class Store;

// Copies of both databases, taken when a day is closed, in
// <data folder>/backup/YYYY-MM-DD/. Putting one back is restore::fromBackup.
//
// The copies are made with the engine's online backup API from the open
// connections, so they are consistent even while another workstation reads,
// and stay encrypted with the same key. Folders and files are no wider than
// the live books (filemodes). Nothing is made, emptied or removed through a
// symbolic link, and a folder is removed only when it holds nothing but the
// program's own copies; whatever is refused is said in the result.
namespace backup {

constexpr int KeptBackups = 30;

QString backupRoot(const QString &dataPath);                  // <data>/backup
QString folderFor(const QString &dataPath, const QDate &day); // <data>/backup/YYYY-MM-DD

struct Result
{
    bool ok = false;
    QString folder;  // the backup folder (made or meant)
    QString error;   // why it failed
    QStringList refused; // older copies that were not removed, and why
};

// Copies both databases into the day's folder (an earlier copy of the same day
// is replaced only once the new one is complete), then keeps the KeptBackups
// copies made most recently (by the time they were made, not by the day they
// hold), never removing the one just made. Never throws. For a book on a
// server nothing is copied (the server's own backups keep it) and ok is set.
Result backupDay(Store &store, const QDate &day);

// The day folders under backup/, oldest first.
QStringList backupFolders(const QString &dataPath);

} // namespace backup
