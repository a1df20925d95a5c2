#include "controls/propertybag/ole_color.h"

#include <QPalette>
#include <gtest/gtest.h>

using kelvora::OleColor;
namespace systemcolour = kelvora::systemcolour;

TEST(OleColor, RgbValuesKeepRedInTheLowByte)
{
    const OleColor colour = OleColor::fromRgb(0x11, 0x22, 0x33);
    EXPECT_EQ(colour.value(), 0x00332211u);
    EXPECT_FALSE(colour.isSystem());
    EXPECT_EQ(colour.toColor(QPalette()), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(OleColor::fromColor(QColor(0x11, 0x22, 0x33)), colour);
    // White is &H00FFFFFF, the default front colour of Label3D.
    EXPECT_EQ(OleColor(0x00FFFFFFu).toColor(QPalette()), QColor(Qt::white));
}

TEST(OleColor, SystemColoursFollowThePalette)
{
    struct Case
    {
        OleColor colour;
        QPalette::ColorRole role;
    };
    const Case cases[] = {
        {systemcolour::ButtonFace, QPalette::Button},         {systemcolour::HighlightText, QPalette::HighlightedText},
        {systemcolour::ApplicationWorkspace, QPalette::Dark}, {systemcolour::ButtonText, QPalette::ButtonText},
        {systemcolour::WindowText, QPalette::WindowText},     {systemcolour::WindowFrame, QPalette::Shadow},
    };
    // A palette in which every role has a colour of its own.
    QPalette palette;
    for (int role = 0; role < QPalette::NColorRoles; ++role)
        if (role != QPalette::NoRole)
            palette.setColor(QPalette::ColorRole(role), QColor(10 + role * 9, 200 - role * 7, role * 11));

    for (const Case &c : cases) {
        SCOPED_TRACE(c.colour.value());
        EXPECT_TRUE(c.colour.isSystem());
        EXPECT_EQ(c.colour.toColor(palette), palette.color(QPalette::Active, c.role));
    }
}

TEST(OleColor, UnknownSystemIndexPaintsBlack)
{
    EXPECT_EQ(OleColor(0x80000040u).toColor(QPalette()), QColor(Qt::black));
}
