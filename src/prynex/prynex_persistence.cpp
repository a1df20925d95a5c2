#include "prynex/prynex_persistence.h"

#include "prynex/property_table.h"
#include "prynex/prynex_private.h"

#include "controls/propertybag/property_bag.h"
#include "controls/propertybag/property_bag_text.h"
#include "platform/pages/engine.h"

#include <QApplication>
#include <QScopedValueRollback>

#include <cmath>

using namespace Qt::StringLiterals;

namespace prynex {

namespace {

// The container's font, which the font objects default to.
QFont ambientFont(const Prynex &control)
{
    return control.parentWidget() ? control.parentWidget()->font() : QApplication::font();
}

// Singles are kept as a whole number when they are one, else as their text,
// since the form file has no kind for fractions.
double readNumber(const kelvora::PropertyBag &bag, const QString &name, double defaultValue)
{
    const auto value = bag.value(name);
    if (!value)
        return defaultValue;
    if (const auto *number = std::get_if<qint32>(&*value))
        return *number;
    if (const auto *text = std::get_if<QString>(&*value)) {
        bool ok = false;
        const double number = text->toDouble(&ok);
        return ok ? number : defaultValue;
    }
    return defaultValue;
}

void writeNumber(kelvora::PropertyBag &bag, const QString &name, double value, double defaultValue)
{
    if (value == defaultValue)
        bag.remove(name);
    else if (value == std::trunc(value) && std::abs(value) < 2e9)
        bag.writeInteger(name, qint32(value), qint32(defaultValue));
    else
        bag.writeText(name, QString::number(value, 'g', 7), QString());
}

QVariant storedOrDefault(const PropertyInfo &info, const kelvora::PropertyBag &bag, const Prynex &control)
{
    const QString name = info.qName();
    // Content and drawing members always take their defaults, whatever was saved.
    const bool useStored = info.persist == Persist::LoadAndSave;
    const QString defaultText = QString::fromLatin1(info.defaultText);
    switch (info.stored) {
    case Stored::Boolean:
        return useStored ? bag.readBoolean(name, info.defaultNumber != 0) : info.defaultNumber != 0;
    case Stored::Integer:
        return useStored ? bag.readInteger(name, qint32(info.defaultNumber)) : qint32(info.defaultNumber);
    case Stored::Number:
        return useStored ? readNumber(bag, name, double(info.defaultNumber)) : double(info.defaultNumber);
    case Stored::Text: return useStored ? bag.readText(name, defaultText) : defaultText;
    case Stored::Colour: {
        const kelvora::OleColor fallback(quint32(info.defaultNumber));
        return (useStored ? bag.readColour(name, fallback) : fallback).value();
    }
    case Stored::Font: {
        const kelvora::FontValue ambient = kelvora::FontValue::fromFont(ambientFont(control));
        return (useStored ? bag.readFont(name, ambient) : ambient).toFont();
    }
    case Stored::Picture: return QImage();
    case Stored::None: break;
    }
    return {};
}

// The members the control answers itself, or takes by reference, go
// through its own accessors; everything else straight to the engine, so
// that read-only members such as PaperWidth are restored too.
bool goesThroughControl(const QString &name)
{
    return name == u"Enabled" || name == u"WhatsThisHelpID" || name == u"Font" || name == u"HdrFont"
           || name == u"Picture";
}

}  // namespace

void readProperties(Prynex &control, const kelvora::PropertyBag &bag)
{
    PrynexPrivate *d = PrynexPrivate::get(control);
    QScopedValueRollback quiet(d->loading, true);
    for (const PropertyInfo &info : propertyTable()) {
        if (!info.loaded())
            continue;
        const QVariant value = storedOrDefault(info, bag, control);
        const QString name = info.qName();
        if (goesThroughControl(name))
            control.setPropertyByName(name, value);
        else
            d->engine->setPropertyByName(name, value);  // a refused entry is skipped
    }
}

void writeProperties(const Prynex &control, kelvora::PropertyBag &bag)
{
    const PrynexPrivate *d = PrynexPrivate::get(control);
    for (const PropertyInfo &info : propertyTable()) {
        if (!info.saved())
            continue;
        const QString name = info.qName();
        const QVariant value = goesThroughControl(name) ? control.propertyByName(name)
                                                        : d->engine->propertyByName(name);
        if (!value.isValid())
            continue;
        switch (info.stored) {
        case Stored::Boolean: bag.writeBoolean(name, value.toBool(), info.defaultNumber != 0); break;
        case Stored::Integer: bag.writeInteger(name, qint32(value.toLongLong()), qint32(info.defaultNumber)); break;
        case Stored::Number: writeNumber(bag, name, value.toDouble(), double(info.defaultNumber)); break;
        case Stored::Text: bag.writeText(name, value.toString(), QString::fromLatin1(info.defaultText)); break;
        case Stored::Colour:
            bag.writeColour(name, kelvora::OleColor(quint32(value.toLongLong())),
                            kelvora::OleColor(quint32(info.defaultNumber)));
            break;
        case Stored::Font:
            bag.writeFont(name, kelvora::FontValue::fromFont(value.value<QFont>()),
                          kelvora::FontValue::fromFont(ambientFont(control)));
            break;
        case Stored::Picture:
        case Stored::None: break;
        }
    }
}

}  // namespace prynex

bool Prynex::loadForm(const QString &formText, QString *error)
{
    kelvora::PropertyBagTextError fault;
    const auto bag = kelvora::propertyBagFromText(formText, &fault);
    if (!bag) {
        if (error)
            *error = u"line %1: %2"_s.arg(fault.line).arg(fault.message);
        return false;
    }
    prynex::readProperties(*this, *bag);
    return true;
}

QString Prynex::saveForm() const
{
    kelvora::PropertyBag bag;
    prynex::writeProperties(*this, bag);
    return kelvora::propertyBagToText(bag);
}
