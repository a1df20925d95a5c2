#pragma once

#include "controls/propertybag/property_value.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace kelvora {

// The named values a control saves with the window that holds it and is
// handed back when the window is loaded. Each read and write names a
// default: a value equal to its default is not stored, and a missing value
// (or one stored as another kind) reads as the default, so a control that
// saves and loads with the same defaults gets back what it had.
//
// Names are matched without regard to case, as in the old form files, and
// keep the spelling they were first written with. Entries keep the order in
// which they were written; the text form follows it.
class PropertyBag
{
public:
    QString readText(const QString &name, const QString &defaultValue) const;
    qint32 readInteger(const QString &name, qint32 defaultValue) const;
    bool readBoolean(const QString &name, bool defaultValue) const;
    OleColor readColour(const QString &name, OleColor defaultValue) const;
    FontValue readFont(const QString &name, const FontValue &defaultValue) const;
    PictureValue readPicture(const QString &name, const PictureValue &defaultValue) const;

    // Each returns false, storing nothing, when the name is not a valid
    // name (see isValidName). A value equal to its default removes any
    // entry of that name.
    bool writeText(const QString &name, const QString &value, const QString &defaultValue);
    bool writeInteger(const QString &name, qint32 value, qint32 defaultValue);
    bool writeBoolean(const QString &name, bool value, bool defaultValue);
    bool writeColour(const QString &name, OleColor value, OleColor defaultValue);
    bool writeFont(const QString &name, const FontValue &value, const FontValue &defaultValue);
    bool writePicture(const QString &name, const PictureValue &value, const PictureValue &defaultValue);

    // Stores a value whatever it is; used when reading the text form.
    bool setValue(const QString &name, const PropertyValue &value);
    std::optional<PropertyValue> value(const QString &name) const;
    bool contains(const QString &name) const;
    void remove(const QString &name);

    QStringList names() const;
    bool isEmpty() const { return m_entries.empty(); }
    int size() const { return int(m_entries.size()); }
    void clear() { m_entries.clear(); }

    // A letter or underscore, then letters, digits and underscores (ASCII).
    static bool isValidName(QStringView name);

    friend bool operator==(const PropertyBag &, const PropertyBag &) = default;

private:
    using Entry = std::pair<QString, PropertyValue>;

    const PropertyValue *find(const QString &name) const;
    template <typename T> T read(const QString &name, const T &defaultValue) const;
    template <typename T> bool write(const QString &name, const T &value, const T &defaultValue);

    std::vector<Entry> m_entries;
};

} // namespace kelvora
