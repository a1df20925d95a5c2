#include "WorkstationNames.h"

#include <QSysInfo>
#include <pwd.h>
#include <unistd.h>

namespace workstation {

QString userName()
{
    if (const passwd *pw = getpwuid(geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name).trimmed();
    return QString::fromLocal8Bit(qgetenv("USER")).trimmed();
}

QString machineName()
{
    return QSysInfo::machineHostName();
}

} // namespace workstation
