// Access to the engine's members by name, for hosts that forward a
// by-name interface (the Prynex control).

#include "platform/pages/engine.h"

#include "platform/pages/byname_values.h"
#include "platform/pages/engine_p.h"
#include "platform/pages/units.h"

#include <QMetaProperty>
#include <QSet>

#include <limits>

namespace pages {

namespace {

std::optional<QMetaProperty> findProperty(const QString &name)
{
    const QMetaObject &meta = Engine::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        if (QString::fromLatin1(property.name()).compare(name, Qt::CaseInsensitive) == 0)
            return property;
    }
    return std::nullopt;
}

std::optional<int> toInt(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString) {
        if (auto twips = parseTwips(value.toString()))
            return twips;
        return std::nullopt;
    }
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return int(number);
}

// The integer properties that are lengths in twips and so also take a text
// with a unit; the others take whole numbers only.
bool isLength(const QMetaProperty &property)
{
    static const QSet<QByteArray> lengths = {
        "MarginLeft", "MarginRight", "MarginTop",  "MarginBottom", "IndentFirst", "IndentLeft",
        "IndentRight", "IndentTab",  "SpaceBefore", "SpaceAfter",  "CurrentX",    "CurrentY",
        "X1",          "Y1",         "X2",          "Y2",          "PaperWidth",  "PaperHeight",
        "PenWidth"};
    return lengths.contains(QByteArray(property.name()));
}

// The value as the property's type takes it, or nullopt when it cannot mean
// a value of that type ("abc" for a number, "50.7" or "2cm" for a zoom).
std::optional<QVariant> convertForProperty(const QMetaProperty &property, const QVariant &value)
{
    const int type = property.metaType().id();
    if (type == QMetaType::Int || type == QMetaType::UInt) {
        std::optional<qint64> number;
        if (isLength(property)) {
            if (const auto twips = toInt(value))
                number = *twips;
        } else {
            number = wholeNumber(value);
        }
        // Colours come as signed or unsigned 32-bit numbers.
        const qint64 lowest = type == QMetaType::UInt ? std::numeric_limits<qint32>::min()
                                                      : std::numeric_limits<int>::min();
        const qint64 highest = type == QMetaType::UInt ? qint64(std::numeric_limits<quint32>::max())
                                                       : std::numeric_limits<int>::max();
        if (!number || *number < lowest || *number > highest)
            return std::nullopt;
        return type == QMetaType::UInt ? QVariant(uint(*number)) : QVariant(int(*number));
    }
    if (type == QMetaType::Bool) {
        const auto truth = truthValue(value);
        return truth ? std::optional<QVariant>(QVariant(*truth)) : std::nullopt;
    }
    if (type == QMetaType::Double) {
        const auto number = realNumber(value);
        return number ? std::optional<QVariant>(QVariant(*number)) : std::nullopt;
    }
    return value;
}

std::optional<double> optionalDouble(const QVariantList &args, qsizetype i)
{
    if (i >= args.size() || !args[i].isValid() || args[i].isNull())
        return std::nullopt;
    return args[i].toDouble();
}

std::optional<int> optionalInt(const QVariantList &args, qsizetype i)
{
    if (i >= args.size() || !args[i].isValid() || args[i].isNull())
        return std::nullopt;
    return toInt(args[i]);
}

}  // namespace

QStringList Engine::propertyNames()
{
    QStringList names;
    const QMetaObject &meta = staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        names.append(QString::fromLatin1(meta.property(i).name()));
    return names;
}

QVariant Engine::propertyByName(const QString &name) const
{
    const auto property = findProperty(name);
    if (!property)
        return {};
    return property->read(this);
}

bool Engine::setPropertyByName(const QString &name, const QVariant &value)
{
    const auto property = findProperty(name);
    if (!property || !property->isWritable())
        return false;
    const std::optional<QVariant> converted = convertForProperty(*property, value);
    if (!converted)
        return false;
    // A setter that will not take the value leaves it as it was and records
    // the refusal; the caller is told.
    const int refusalsBefore = d->refusals;
    return property->write(this, *converted) && d->refusals == refusalsBefore;
}

QVariant Engine::indexedProperty(const QString &name, int index) const
{
    if (name.compare(u"Devices", Qt::CaseInsensitive) == 0) {
        const QStringList devices = Devices();
        return index >= 0 && index < devices.size() ? QVariant(devices[index]) : QVariant();
    }
    if (name.compare(u"Ports", Qt::CaseInsensitive) == 0) {
        const QStringList ports = Ports();
        return index >= 0 && index < ports.size() ? QVariant(ports[index]) : QVariant();
    }
    if (name.compare(u"PaperBins", Qt::CaseInsensitive) == 0)
        return PaperBins(index);
    if (name.compare(u"PaperSizes", Qt::CaseInsensitive) == 0)
        return PaperSizes(index);
    return {};
}

QVariant Engine::invokeByName(const QString &method, const QVariantList &args)
{
    auto is = [&](const char16_t *name) { return method.compare(QString::fromUtf16(name), Qt::CaseInsensitive) == 0; };
    auto text = [&](qsizetype i) { return i < args.size() ? args[i].toString() : QString(); };
    auto number = [&](qsizetype i, int fallback) { return optionalInt(args, i).value_or(fallback); };
    auto flag = [&](qsizetype i) { return i < args.size() && args[i].isValid() && args[i].toBool(); };

    if (is(u"StartDoc")) { StartDoc(); return true; }
    if (is(u"EndDoc")) { EndDoc(); return true; }
    if (is(u"KillDoc")) { KillDoc(); return true; }
    if (is(u"NewPage")) { NewPage(); return true; }
    if (is(u"NewColumn")) { NewColumn(); return true; }
    if (is(u"AddTable")) {
        AddTable(text(0), text(1), text(2), uint(number(3, 0)), uint(number(4, 0)), flag(5));
        return true;
    }
    if (is(u"DrawLine")) {
        DrawLine(number(0, 0), number(1, 0), optionalInt(args, 2), optionalInt(args, 3));
        return true;
    }
    if (is(u"DrawRectangle")) {
        DrawRectangle(number(0, 0), number(1, 0), number(2, 0), number(3, 0), number(4, 0), optionalInt(args, 5));
        return true;
    }
    if (is(u"DrawCircle")) {
        DrawCircle(number(0, 0), number(1, 0), number(2, 0), optionalDouble(args, 3), optionalDouble(args, 4));
        return true;
    }
    if (is(u"DrawEllipse")) {
        DrawEllipse(number(0, 0), number(1, 0), number(2, 0), number(3, 0), optionalDouble(args, 4),
                    optionalDouble(args, 5));
        return true;
    }
    if (is(u"SaveDoc"))
        return SaveDoc(text(0), flag(1), number(2, 1), number(3, 0));
    if (is(u"LoadDoc"))
        return LoadDoc(text(0));
    if (is(u"PrintDoc"))
        return PrintDoc(flag(0), number(1, 1), number(2, 0));
    if (is(u"PrintDialog"))
        return PrintDialog(number(0, 0));
    if (is(u"WritePdf"))
        return WritePdf(text(0), number(1, 1), number(2, 0));
    return {};
}

}  // namespace pages
