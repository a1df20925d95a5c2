#pragma once

#include "CashTypes.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace db {
class Database;
}

// The change log `allages` of kelvora.mdb: one row for every change and
// deletion of a movement, and for every insert that touches closed days (into
// a closed day, or moving the balance of later closed days), written in the
// operation's own transaction, so that the row exists exactly when the change
// does.
namespace cashbook::changelog {

enum class Kind { Insert, Change, Delete };

struct Entry
{
    QDateTime when;
    QString user;          // the logged-in user
    QString workstation;   // computer name (network user)
    Kind kind = Kind::Change;
    qint64 movement = 0;   // aa of the movement
    QDate day;             // the movement's day
    QString before;        // empty for an insert
    QString after;         // empty for a deletion, unless closed days after it moved
    bool dayClosed = false;
};

// A movement as the log keeps it: code, description, amounts, memo, cheque.
QString describe(const Movement &m);
QString kindText(Kind kind);

// The closed days after a movement's day whose balance the operation moved.
struct LaterClosedDays
{
    int count = 0;
    QDate first;
};

// What the row says about the closed days whose balance moved (empty when none).
QString laterClosedNote(const LaterClosedDays &moved);

// Writes one row with the logged-in user, this workstation and the current
// time, inside the caller's transaction. `before` is null for an insert,
// `after` for a deletion. A file still below version 4 has no log table yet:
// then nothing is written.
void record(db::Database &main, Kind kind, const Movement *before, const Movement *after, bool dayClosed,
            const LaterClosedDays &moved = {});

// The rows written on the days from..to, newest first.
QList<Entry> entries(db::Database &main, const QDate &from, const QDate &to);

} // namespace cashbook::changelog
