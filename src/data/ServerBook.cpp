#include "ServerBook.h"

#include "platform/db/Database.h"

#include <QRegularExpression>

namespace serverbook {

bool isConnection(const QString &place)
{
    const QString p = place.trimmed();
    if (p.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive)
        || p.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive))
        return true;
    // key=value pairs: a folder name never starts with one of the connection's own keys.
    static const QRegularExpression pairs(QStringLiteral("^(service|host|hostaddr|dbname|port|user)\\s*="));
    return pairs.match(p).hasMatch();
}

QString describe(const QString &connection)
{
    QString c = connection;
    c.replace(QRegularExpression(QStringLiteral("(password\\s*=\\s*)\\S+")), QStringLiteral("\\1***"));
    c.replace(QRegularExpression(QStringLiteral("(://[^:/@]*):[^@/]*@")), QStringLiteral("\\1:***@"));
    return c;
}

bool holdsPassword(const QString &connection)
{
    static const QRegularExpression keyValue(QStringLiteral("(^|\\s)password\\s*="), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression inAddress(QStringLiteral("^postgres(ql)?://[^/@]*:[^/@]*@"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression inQuery(QStringLiteral("[?&]password="), QRegularExpression::CaseInsensitiveOption);
    const QString c = connection.trimmed();
    return keyValue.match(c).hasMatch() || inAddress.match(c).hasMatch() || inQuery.match(c).hasMatch();
}

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
