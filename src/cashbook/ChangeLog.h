#pragma once

#include "CashTypes.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace db {
class Database;
}

// The change log `allages` of kelvora.mdb: one row for every change and
// deletion of a movement, written in the operation's own transaction, so that
// the row exists exactly when the change does.
namespace cashbook::changelog {

enum class Kind { Change, Delete };

struct Entry
{
    QDateTime when;
    QString user;          // the logged-in user
    QString workstation;   // computer name (network user)
    Kind kind = Kind::Change;
    qint64 movement = 0;   // aa of the movement
    QDate day;             // the movement's day
    QString before;
    QString after;         // empty for a deletion
    bool dayClosed = false;
};

// A movement as the log keeps it: code, description, amounts, memo, cheque.
QString describe(const Movement &m);
QString kindText(Kind kind);

// Writes one row with the logged-in user, this workstation and the current
// time, inside the caller's transaction. A file still below version 4 has no
// log table yet: then nothing is written.
void record(db::Database &main, Kind kind, const Movement &before, const Movement *after, bool dayClosed);

// The rows written on the days from..to, newest first.
QList<Entry> entries(db::Database &main, const QDate &from, const QDate &to);

} // namespace cashbook::changelog
