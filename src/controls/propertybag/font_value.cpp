#include "controls/propertybag/font_value.h"

namespace kelvora {

FontValue FontValue::fromFont(const QFont &font, qint16 charset)
{
    FontValue value;
    value.name = font.family();
    value.size = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    value.bold = font.bold();
    value.italic = font.italic();
    value.underline = font.underline();
    value.strikethrough = font.strikeOut();
    value.charset = charset;
    return value;
}

QFont FontValue::toFont() const
{
    QFont font(name);
    if (size > 0)
        font.setPointSizeF(size);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikethrough);
    return font;
}

} // namespace kelvora
