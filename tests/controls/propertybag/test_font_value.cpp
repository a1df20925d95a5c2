#include "controls/propertybag/font_value.h"

#include <gtest/gtest.h>

using kelvora::FontValue;

TEST(FontValue, PixelSizedFontIsGivenInPointsAt96Dpi)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(16);
    EXPECT_DOUBLE_EQ(FontValue::fromFont(font).size, 12.0);
}
