#include "Settings.h"

#include <QSettings>
#include <memory>

namespace settings {
namespace {

std::unique_ptr<QSettings> &store()
{
    static std::unique_ptr<QSettings> s;
    if (!s)
        s = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                        QStringLiteral("Kelvora"), QStringLiteral("Kelvora"));
    return s;
}

// Names are kept folded to lower case, which makes every spelling meet.
QString fullKey(const QString &section, const QString &key)
{
    return section.toLower() + QLatin1Char('/') + key.toLower();
}

} // namespace

QString read(const QString &section, const QString &key, const QString &defaultValue)
{
    return store()->value(fullKey(section, key), defaultValue).toString();
}

// QSettings only remembers a failed write in its status; a value it could not
// write would otherwise seem kept until the program ends.
static bool synced()
{
    store()->sync();
    return store()->status() == QSettings::NoError;
}

bool write(const QString &section, const QString &key, const QString &value)
{
    store()->setValue(fullKey(section, key), value);
    return synced();
}

bool remove(const QString &section, const QString &key)
{
    store()->remove(fullKey(section, key));
    return synced();
}

void useFile(const QString &iniPath)
{
    store() = std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}

} // namespace settings
