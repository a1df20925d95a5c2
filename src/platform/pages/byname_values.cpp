#include "platform/pages/byname_values.h"

#include <QRegularExpression>

#include <cmath>

namespace pages {

namespace {

bool isText(const QVariant &value)
{
    return value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray;
}

bool isFractional(const QVariant &value)
{
    return value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float;
}

}  // namespace

std::optional<qint64> wholeNumber(const QVariant &value)
{
    if (isText(value)) {
        static const QRegularExpression whole(QStringLiteral("^\\s*([-+]?\\d+)\\s*$"));
        const auto match = whole.match(value.toString());
        if (!match.hasMatch())
            return std::nullopt;
        bool ok = false;
        const qint64 number = match.captured(1).toLongLong(&ok);
        return ok ? std::optional<qint64>(number) : std::nullopt;
    }
    if (isFractional(value)) {
        const double number = value.toDouble();
        if (!std::isfinite(number) || std::trunc(number) != number || std::abs(number) > 9.0e18)
            return std::nullopt;
        return qint64(number);
    }
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    return ok ? std::optional<qint64>(number) : std::nullopt;
}

std::optional<bool> truthValue(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (isText(value)) {
        const QString text = value.toString().trimmed();
        if (text.compare(u"true", Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(u"false", Qt::CaseInsensitive) == 0)
            return false;
    }
    if (const auto number = wholeNumber(value))
        return *number != 0;
    return std::nullopt;
}

std::optional<double> realNumber(const QVariant &value)
{
    bool ok = false;
    double number = 0;
    if (isText(value)) {
        QString text = value.toString().trimmed();
        text.replace(QLatin1Char(','), QLatin1Char('.'));
        number = text.toDouble(&ok);
    } else {
        number = value.toDouble(&ok);
    }
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

}  // namespace pages
