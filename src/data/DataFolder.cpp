#include "DataFolder.h"

#include "ServerBook.h"

#include <QDir>

namespace datafolder {

QString normalise(const QString &folder)
{
    QString f = QDir::fromNativeSeparators(folder.trimmed());
    while (f.size() > 1 && f.endsWith(QLatin1Char('/')))
        f.chop(1);
    return f;
}

QString mainDatabase(const QString &dataPath)
{
    if (serverbook::isConnection(dataPath))
        return QString::fromLatin1(serverbook::MainSchema);
    return normalise(dataPath) + QStringLiteral("/kelvora.mdb");
}

QString usersDatabase(const QString &dataPath)
{
    if (serverbook::isConnection(dataPath))
        return QString::fromLatin1(serverbook::UsersSchema);
    return normalise(dataPath) + QStringLiteral("/mapcodes.mdb");
}

QString marker(const QString &dataPath)
{
    return normalise(dataPath) + QStringLiteral("/kelvora.dat");
}

} // namespace datafolder
