#pragma once

// The one description of every property of the control and of every entry
// it keeps in a form file. Forwarding by name, loading, saving, the Designer
// tooltips and the tests all read this table, so a property is described
// in exactly one place.

#include <QString>

#include <span>

namespace prynex {

enum class Type {
    Boolean,
    Int16,      // 16-bit whole number
    Int32,      // 32-bit whole number
    Single,     // single-precision number
    Text,
    Colour,     // 0x00BBGGRR, or 0x800000nn for a system colour
    Enumeration,  // the engine's own enumerated values, passed through
    Font,
    Picture,
};

enum class Access { ReadWrite, ReadOnly, WriteOnly, Indexed };

// How the entry of the same name is kept in a form file.
enum class Persist {
    No,
    LoadAndSave,
    LoadDefaultOnly,  // loading always sets the default; never saved
    SaveOnly,         // saved from the engine; loading leaves it alone
};

// How the persisted value is written in the form file.
enum class Stored { None, Boolean, Integer, Number, Text, Colour, Font, Picture };

struct PropertyInfo {
    const char *name;
    Type type;
    Access access;
    bool hidden;          // not shown in Designer's property editor
    Persist persist;
    Stored stored;
    qint64 defaultNumber;  // Boolean, Integer, Number and Colour entries
    const char *defaultText;  // Text entries
    const char *description;  // empty when the member has none
    bool isControlProperty = true;  // false for RenderControl, an entry without a property
    bool marksChanged = true;       // hDC and X1..Y2 do not mark the control changed

    QString qName() const { return QString::fromLatin1(name); }
    bool readable() const { return access == Access::ReadWrite || access == Access::ReadOnly; }
    bool writable() const { return access == Access::ReadWrite || access == Access::WriteOnly; }
    bool loaded() const { return persist == Persist::LoadAndSave || persist == Persist::LoadDefaultOnly; }
    bool saved() const { return persist == Persist::LoadAndSave || persist == Persist::SaveOnly; }
};

// Rows in loading order: the loaded entries first, as the form is read;
// then the members that are saved only or not kept.
std::span<const PropertyInfo> propertyTable();

// Case-insensitive; nullptr for a name that is neither a property nor an entry.
const PropertyInfo *findProperty(QStringView name);

}  // namespace prynex
