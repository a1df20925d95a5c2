#include "controls/propertybag/font_value.h"

#include <gtest/gtest.h>

using kelvora::FontValue;

TEST(FontValue, CarriesEveryAttributeThroughQFont)
{
    FontValue value;
    value.name = QStringLiteral("DejaVu Serif");
    value.size = 13.5;
    value.bold = true;
    value.italic = true;
    value.underline = true;
    value.strikethrough = true;

    const QFont font = value.toFont();
    EXPECT_EQ(font.family(), value.name);
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 13.5);
    EXPECT_TRUE(font.bold() && font.italic() && font.underline() && font.strikeOut());
    EXPECT_EQ(FontValue::fromFont(font), value);
}

TEST(FontValue, PixelSizedFontIsGivenInPointsAt96Dpi)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(16);
    EXPECT_DOUBLE_EQ(FontValue::fromFont(font).size, 12.0);
}
