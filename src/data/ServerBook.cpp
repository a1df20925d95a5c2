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

} // namespace serverbook
