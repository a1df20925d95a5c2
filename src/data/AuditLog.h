#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

namespace db {
class Database;
}

// The audit log `katagrafh` of mapcodes.mdb: who did what, when, from which
// workstation. It never holds a password: callers pass names and action words
// only, and a failed log-in records the typed name only when it is a user's.
namespace auditlog {

// What is logged (the texts stored in `energeia`).
namespace action {
inline const QString Login = QStringLiteral("Είσοδος");
inline const QString FailedLogin = QStringLiteral("Λάθος όνομα ή κωδικός");
inline const QString AdministratorEntry = QStringLiteral("Είσοδος διαχειριστή");
inline const QString FailedAdministratorEntry = QStringLiteral("Λάθος κωδικός διαχειριστή");
inline const QString AdministratorCodeSet = QStringLiteral("Ορισμός κωδικού διαχειριστή");
inline const QString Unlock = QStringLiteral("Ξεκλείδωμα βάσης");
inline const QString CloseOpenDays = QStringLiteral("Κλείσιμο ταμείων");
inline const QString DeleteAll = QStringLiteral("Διαγραφή βάσης");
// User administration: the text goes on with the user's name and what changed.
inline const QString UserAdded = QStringLiteral("Νέος χρήστης");
inline const QString UserChanged = QStringLiteral("Μεταβολή χρήστη");
inline const QString UserDeleted = QStringLiteral("Διαγραφή χρήστη");
} // namespace action

// Who did it, and from which workstation.
struct Author
{
    QString user;
    QString workstation;
};

struct Entry
{
    QDateTime when;
    QString user;
    QString workstation;
    QString what;
};

// Adds one row in its own transaction, the time taken now. Throws db::DbError.
void record(db::Database &users, const QString &user, const QString &workstation, const QString &what);

// Adds one row inside the caller's open transaction, so that a change and its
// row are written together or not at all. Throws db::DbError.
void write(db::Database &users, const Author &author, const QString &what);

// The newest rows first, at most `limit`.
QList<Entry> recent(db::Database &users, int limit);

} // namespace auditlog
