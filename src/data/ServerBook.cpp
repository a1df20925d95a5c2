// What a connection text says, without reaching the server: the start-up
// and the marker read it, and so do tools that link no database engine.
#include "ServerBook.h"

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

} // namespace serverbook
