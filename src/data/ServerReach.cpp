// Reaching the server: whether the book is there, and what to tell the user when not.
#include "ServerBook.h"

#include "platform/db/Database.h"

namespace serverbook {

Reach probe(const QString &connection, QString *detail)
{
    try {
        auto main = db::Database::openOnServer(connection, QString::fromLatin1(MainSchema));
        main->attach(QString::fromLatin1(UsersSchema), QString(), QStringLiteral("xrhstes"));
        return Reach::Book;
    } catch (const db::DbError &e) {
        if (detail)
            *detail = e.message();
        switch (e.kind()) {
        case db::DbError::Kind::Unreachable:
            return Reach::Unreachable;
        case db::DbError::Kind::LoginRefused:
            return Reach::LoginRefused;
        default:
            return Reach::NoBook;
        }
    }
}

QString reachText(Reach reach, const QString &connection)
{
    const QString where = QStringLiteral("Η βάση στον διακομιστή ") + describe(connection);
    switch (reach) {
    case Reach::Unreachable:
        return where + QStringLiteral(": ο διακομιστής δεν απαντά. Ελέγξτε το δίκτυο και ότι ο διακομιστής λειτουργεί.");
    case Reach::LoginRefused:
        return where + QStringLiteral(": ο διακομιστής αρνήθηκε τη σύνδεση. Ελέγξτε τον χρήστη, τα δικαιώματά του "
                                      "και το όνομα της βάσης.");
    case Reach::NoBook:
        return where + QStringLiteral(": η βάση δεν περιέχει βιβλίο του προγράμματος.");
    case Reach::Book:
        break;
    }
    return QString();
}

} // namespace serverbook
