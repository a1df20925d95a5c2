#include "platform/pages/units.h"

#include <QRegularExpression>

#include <cmath>

namespace pages {

std::optional<int> parseTwips(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*([-+]?(?:\\d+(?:[.,]\\d*)?|[.,]\\d+))\\s*([a-zA-Z\"]*)\\s*$"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    QString number = match.captured(1);
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    const QString unit = match.captured(2).toLower();
    double perUnit = 0;
    if (unit.isEmpty() || unit == u"tw" || unit == u"twip" || unit == u"twips")
        perUnit = 1;
    else if (unit == u"cm")
        perUnit = TwipsPerInch / 2.54;
    else if (unit == u"mm")
        perUnit = TwipsPerInch / 25.4;
    else if (unit == u"in" || unit == u"inch" || unit == u"\"")
        perUnit = TwipsPerInch;
    else if (unit == u"pt")
        perUnit = TwipsPerPoint;
    else if (unit == u"px")
        perUnit = TwipsPerPixel;
    else
        return std::nullopt;
    return int(std::lround(value * perUnit));
}

}  // namespace pages
