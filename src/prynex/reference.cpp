#include "prynex/reference.h"

#include "prynex/property_table.h"
#include "prynex/property_values.h"
#include "prynex/prynex.h"

#include <QMetaMethod>
#include <QMetaProperty>
#include <QStringList>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace prynex {

namespace {

QString typeText(const PropertyInfo &info)
{
    switch (info.type) {
    case Type::Boolean: return u"Boolean"_s;
    case Type::Int16: return u"16-bit whole number"_s;
    case Type::Int32: return u"32-bit whole number"_s;
    case Type::Single: return u"single"_s;
    case Type::Text: return u"text"_s;
    case Type::Colour: return u"colour"_s;
    case Type::Enumeration: return u"enumeration"_s;
    case Type::Font: return u"font"_s;
    case Type::Picture: return u"picture"_s;
    }
    return {};
}

QString accessText(const PropertyInfo &info)
{
    switch (info.access) {
    case Access::ReadWrite: return u"read/write"_s;
    case Access::ReadOnly: return u"read-only"_s;
    case Access::WriteOnly: return u"write-only"_s;
    case Access::Indexed: return u"read-only, by index"_s;
    }
    return {};
}

// Where a host reaches the property besides propertyByName/setPropertyByName.
QString reachText(const PropertyInfo &info)
{
    const QMetaObject &meta = Prynex::staticMetaObject;
    const int index = meta.indexOfProperty(info.name);
    if (info.access == Access::Indexed)
        return u"indexedProperty only"_s;
    if (index < meta.propertyOffset())
        return info.hidden ? u"by name only (hidden)"_s : u"by name only"_s;
    return meta.property(index).isWritable() ? u"Designer; typed accessors"_s : u"typed getter (not in Designer)"_s;
}

QString defaultText(const PropertyInfo &info)
{
    switch (info.stored) {
    case Stored::Boolean: return info.defaultNumber ? u"True"_s : u"False"_s;
    case Stored::Integer:
    case Stored::Number: return QString::number(info.defaultNumber);
    case Stored::Colour:
        return u"&H%1&"_s.arg(QString::number(info.defaultNumber, 16).toUpper().rightJustified(8, u'0'));
    case Stored::Text: return u"\"%1\""_s.arg(QString::fromLatin1(info.defaultText).replace(u"\r"_s, u"\\r"_s));
    case Stored::Font: return u"the container's font"_s;
    case Stored::Picture: return u"none"_s;
    case Stored::None: return {};
    }
    return {};
}

QString formText(const PropertyInfo &info)
{
    switch (info.persist) {
    case Persist::LoadAndSave: return u"kept (default %1)"_s.arg(defaultText(info));
    case Persist::LoadDefaultOnly: return u"loads its default (%1); not saved"_s.arg(defaultText(info));
    case Persist::SaveOnly: return u"saved; not loaded"_s;
    case Persist::No: return u"not kept"_s;
    }
    return {};
}

QString cell(QString text)
{
    return text.replace(u"|"_s, u"\\|"_s);
}

QString valuesSection()
{
    QString out = u"## Values\n\n"_s;
    for (const PropertyValues &list : propertyValues()) {
        out += u"### %1\n\n"_s.arg(QString::fromLatin1(list.property));
        for (const ValueMeaning &value : list.values)
            out += u"- %1: %2\n"_s.arg(value.value).arg(value.meaning);
        switch (list.kind) {
        case ValueKind::Closed: out += u"\nOther values are refused.\n\n"_s; break;
        case ValueKind::Flags: out += u"\nAny sum of these (0 for none); other values are refused.\n\n"_s; break;
        case ValueKind::Open:
            out += *list.others ? u"\nOther values: %1.\n\n"_s.arg(QString::fromLatin1(list.others)) : u"\n"_s;
            break;
        }
    }
    return out;
}

QString eventsSection()
{
    QString out = u"## Events\n\nSignals of `Prynex`, in the engine's order; every argument is a reference, so "
                  u"what a handler writes into it reaches the engine.\n\n"_s;
    const QMetaObject &meta = Prynex::staticMetaObject;
    int number = 0;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.methodType() != QMetaMethod::Signal || method.name() == "propertyChanged")
            continue;
        QStringList arguments;
        const QList<QByteArray> types = method.parameterTypes();
        const QList<QByteArray> names = method.parameterNames();
        for (qsizetype a = 0; a < types.size(); ++a) {
            QString type = QString::fromLatin1(types[a]);
            if (type.endsWith(u'&'))
                type = type.chopped(1) + u" &"_s;
            arguments.append(type + QString::fromLatin1(names.value(a)));
        }
        out += u"%1. `%2(%3)`\n"_s.arg(++number).arg(QString::fromLatin1(method.name()), arguments.join(u", "_s));
    }
    return out + u"\n`propertyChanged(name)` follows every set of a property that marks the control changed.\n"_s;
}

}  // namespace

QString referenceText()
{
    QString out = u"# Prynex reference\n\n"
                  u"Written from the control's property table when the library was built. docs/PRYNEX.md "
                  u"(installed beside this file) explains the control, the form file, the table and header "
                  u"formats and registration.\n\n"
                  u"Every property is reached by name: `propertyByName(name)` and `setPropertyByName(name, value)`, "
                  u"names without regard to case. A value the engine refuses makes `setPropertyByName` return "
                  u"false and changes nothing. Lengths are twips (1440 an inch; a length may also be given as "
                  u"text with a unit, \"2cm\"); colours are 0x00BBGGRR numbers, 0x800000nn a system colour.\n\n"
                  u"## Properties\n\n"
                  u"| Property | Type | Access | Reached | Form file | Description |\n"
                  u"|---|---|---|---|---|---|\n"_s;
    std::vector<const PropertyInfo *> properties;
    for (const PropertyInfo &info : propertyTable())
        if (info.isControlProperty)
            properties.push_back(&info);
    std::sort(properties.begin(), properties.end(), [](const PropertyInfo *a, const PropertyInfo *b) {
        return QString::compare(a->qName(), b->qName(), Qt::CaseInsensitive) < 0;
    });
    for (const PropertyInfo *property : properties) {
        const PropertyInfo &info = *property;
        QString type = typeText(info);
        if (valuesOf(info.qName()))
            type += u" (values below)"_s;
        out += u"| `%1` | %2 | %3 | %4 | %5 | %6 |\n"_s.arg(info.qName(), type, accessText(info), reachText(info),
                                                           cell(formText(info)),
                                                           cell(QString::fromLatin1(info.description)));
    }
    out += u"\n%1 properties. `Version` always reads 100, the control's own version.\n\n"_s.arg(properties.size());
    return out + valuesSection() + eventsSection();
}

}  // namespace prynex
