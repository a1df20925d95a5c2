#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Putting a backup (a folder made at a day's close, backup/YYYY-MM-DD) back
// into the data folder, for kelvora-newdb --restore.
//
// Both files change together or neither does, and nothing is changed until
// everything has been checked:
//  - no program holds the in-use marker; the restore holds it itself while it
//    works, so a program started meanwhile cannot take it;
//  - no journal lies beside a live file (a write under way, or one a crashed
//    program left to be undone: it belongs to the live file, never to the copy);
//  - each copy opens with the key, holds the tables of its kind (kelvora.mdb
//    the cash book, mapcodes.mdb the users; two swapped files are refused) and a
//    version this program knows.
// The copies are first written beside the live files under a working name
// (".restoring") and checked there; the live files are then renamed to a free
// ".before-restore-YYYYMMDD-HHMMSS[-N]" name and the copies renamed into place.
// A rename that fails undoes the ones made before it. The restored files get the
// owner, group and permissions of the files they replace, limited to owner and
// group (no file of the data folder is for other users of the machine).
namespace restore {

struct Result
{
    bool ok = false;
    QString error;         // why nothing was restored
    QStringList keptFiles; // the replaced files, kept beside the restored ones
};

Result fromBackup(const QString &dataFolder, const QString &backupFolder, const QString &key);

// The renaming used for the swap; tests make it fail at a chosen step. An
// empty function restores the real one.
using RenameFile = std::function<bool(const QString &from, const QString &to)>;
void setRenameForTests(RenameFile rename);

} // namespace restore
