// Access to the engine's members by name, for hosts that forward a
// by-name interface (the Prynex control).

#include "platform/pages/engine.h"

#include "platform/pages/units.h"

#include <QMetaProperty>

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
    const int type = property->metaType().id();
    if (type == QMetaType::Int || type == QMetaType::UInt) {
        // Lengths may come as text with a unit; colours as signed numbers.
        const auto number = toInt(value);
        if (!number)
            return false;
        return type == QMetaType::UInt ? property->write(this, QVariant(uint(*number)))
                                       : property->write(this, QVariant(*number));
    }
    if (type == QMetaType::Bool && value.typeId() != QMetaType::Bool) {
        bool ok = false;
        const int number = value.toInt(&ok);
        if (ok)
            return property->write(this, QVariant(number != 0));
    }
    return property->write(this, value);
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
