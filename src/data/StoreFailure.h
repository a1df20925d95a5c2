#pragma once

#include "Store.h"
#include "platform/db/DbError.h"

#include <QString>
#include <exception>
#include <functional>

// Why a database file cannot be used, and the words the user is told. Every
// message about a data file that cannot be opened, read or written is built
// here, so a cause reads the same wherever it shows (and tests can rely on it).
namespace storefailure {

enum class Cause {
    NotOurKey,    // not encrypted with the program's key (another key, a plain file, not a database)
    Damaged,      // corrupt pages, or the integrity check failed
    Locked,       // another workstation kept the file locked past the busy timeout
    Missing,      // the file is not there
    Unreadable,   // there, but it cannot be opened or read (rights, I/O)
    ReadOnly,     // a write on a file kept for reading only (a damaged one)
    NoWriteAccess, // the file system lets the file be read, not written
    DiskFull,     // no room left on the disk or the share
    FolderGone,   // the data folder is no longer there (a share gone, a folder moved)
    MissingTable, // a table of the program is not in the file
    ServerUnreachable, // the database server of a server book does not answer
    LoginRefused, // the server answered but refused the log-in or the database
    Other,
};

Cause classify(const db::DbError &e);
QString causeText(Cause cause);
// "kelvora.mdb: " and the cause, or only the cause when the file is unknown.
QString causeLine(const db::DbError &e);

// Title "Προσοχή στο Path": "Δεν βρέθηκε η βάση δεδομένων, ενημερώστε το
// registry", and the cause on a second line.
void reportCannotOpen(const db::DbError &e);
// A read that failed while working: what shows must not be taken for the data.
void reportReadError(const db::DbError &e);
// A damaged file found at open, now kept for reading only.
void reportDamaged(const Store::Damage &damage);

// A change that failed: the transaction rolled back, nothing was kept.
// "Η εργασία δεν ολοκληρώθηκε και δεν άλλαξε τίποτα στη βάση δεδομένων." and the cause.
void reportNotDone(const db::DbError &e);
// A failure of an operation that may be a store failure or an error of the
// program itself; the engine's own words never reach the user.
void reportNotDone(const std::exception &e);

// True when the data folder is there. Otherwise says
// that the folder is gone and that nothing can be changed until it is back.
bool checkDataFolder(const QString &dataPath);

// Runs `work`; while it fails because another workstation holds a file past
// the busy timeout, says so and offers to try again. Other errors pass through
// to the caller. False when the user chose not to try again.
bool retryWhileLocked(const std::function<void()> &work);

} // namespace storefailure
