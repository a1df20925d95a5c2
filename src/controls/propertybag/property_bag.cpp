#include "controls/propertybag/property_bag.h"

#include <algorithm>

namespace kelvora {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

} // namespace

bool PropertyBag::isValidName(QStringView name)
{
    if (name.isEmpty() || !(isAsciiLetter(name.front()) || name.front() == u'_'))
        return false;
    return std::all_of(name.begin(), name.end(),
                       [](QChar c) { return isAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'_'; });
}

const PropertyValue *PropertyBag::find(const QString &name) const
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&](const Entry &entry) { return sameName(entry.first, name); });
    return it == m_entries.end() ? nullptr : &it->second;
}

template <typename T> T PropertyBag::read(const QString &name, const T &defaultValue) const
{
    const PropertyValue *stored = find(name);
    if (!stored)
        return defaultValue;
    if (const T *typed = std::get_if<T>(stored))
        return *typed;
    return defaultValue;
}

template <typename T> bool PropertyBag::write(const QString &name, const T &value, const T &defaultValue)
{
    if (!isValidName(name))
        return false;
    if (value == defaultValue) {
        remove(name);
        return true;
    }
    return setValue(name, PropertyValue(std::in_place_type<T>, value));
}

bool PropertyBag::setValue(const QString &name, const PropertyValue &value)
{
    if (!isValidName(name))
        return false;
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&](const Entry &entry) { return sameName(entry.first, name); });
    if (it != m_entries.end())
        it->second = value;
    else
        m_entries.emplace_back(name, value);
    return true;
}

std::optional<PropertyValue> PropertyBag::value(const QString &name) const
{
    if (const PropertyValue *stored = find(name))
        return *stored;
    return std::nullopt;
}

bool PropertyBag::contains(const QString &name) const
{
    return find(name) != nullptr;
}

void PropertyBag::remove(const QString &name)
{
    std::erase_if(m_entries, [&](const Entry &entry) { return sameName(entry.first, name); });
}

QStringList PropertyBag::names() const
{
    QStringList result;
    for (const Entry &entry : m_entries)
        result.append(entry.first);
    return result;
}

QString PropertyBag::readText(const QString &name, const QString &defaultValue) const
{
    return read(name, defaultValue);
}
qint32 PropertyBag::readInteger(const QString &name, qint32 defaultValue) const
{
    return read(name, defaultValue);
}
bool PropertyBag::readBoolean(const QString &name, bool defaultValue) const
{
    return read(name, defaultValue);
}
OleColor PropertyBag::readColour(const QString &name, OleColor defaultValue) const
{
    return read(name, defaultValue);
}
FontValue PropertyBag::readFont(const QString &name, const FontValue &defaultValue) const
{
    return read(name, defaultValue);
}
PictureValue PropertyBag::readPicture(const QString &name, const PictureValue &defaultValue) const
{
    return read(name, defaultValue);
}

bool PropertyBag::writeText(const QString &name, const QString &value, const QString &defaultValue)
{
    return write(name, value, defaultValue);
}
bool PropertyBag::writeInteger(const QString &name, qint32 value, qint32 defaultValue)
{
    return write(name, value, defaultValue);
}
bool PropertyBag::writeBoolean(const QString &name, bool value, bool defaultValue)
{
    return write(name, value, defaultValue);
}
bool PropertyBag::writeColour(const QString &name, OleColor value, OleColor defaultValue)
{
    return write(name, value, defaultValue);
}
bool PropertyBag::writeFont(const QString &name, const FontValue &value, const FontValue &defaultValue)
{
    return write(name, value, defaultValue);
}
bool PropertyBag::writePicture(const QString &name, const PictureValue &value, const PictureValue &defaultValue)
{
    return write(name, value, defaultValue);
}

} // namespace kelvora
