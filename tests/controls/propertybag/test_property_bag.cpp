#include "controls/propertybag/property_bag.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using kelvora::FontValue;
using kelvora::OleColor;
using kelvora::PictureValue;
using kelvora::PropertyBag;

TEST(PropertyBag, MissingValuesReadAsTheirDefaults)
{
    const PropertyBag bag;
    FontValue font;
    font.name = u"Arial"_s;
    EXPECT_EQ(bag.readText(u"Caption"_s, u"Label3D"_s), u"Label3D"_s);
    EXPECT_EQ(bag.readInteger(u"Phase"_s, 3), 3);
    EXPECT_TRUE(bag.readBoolean(u"Enabled"_s, true));
    EXPECT_EQ(bag.readColour(u"BackColor"_s, OleColor(0x8000000Fu)), OleColor(0x8000000Fu));
    EXPECT_EQ(bag.readFont(u"Font"_s, font), font);
    EXPECT_TRUE(bag.readPicture(u"Picture"_s, PictureValue{}).isNull());
}

TEST(PropertyBag, ValueEqualToItsDefaultIsNotStored)
{
    PropertyBag bag;
    EXPECT_TRUE(bag.writeInteger(u"Phase"_s, 0, 0));
    EXPECT_TRUE(bag.writeText(u"Caption"_s, u"Label3D"_s, u"Label3D"_s));
    EXPECT_TRUE(bag.isEmpty());

    // Writing the default over a stored value removes it, so a bag that is
    // saved into again holds nothing stale.
    bag.writeInteger(u"Phase"_s, 2, 0);
    ASSERT_TRUE(bag.contains(u"Phase"_s));
    bag.writeInteger(u"Phase"_s, 0, 0);
    EXPECT_FALSE(bag.contains(u"Phase"_s));
}

TEST(PropertyBag, StoredValueIsReadBackOnlyAsItsOwnKind)
{
    PropertyBag bag;
    bag.writeInteger(u"Alignment"_s, 2, 0);
    bag.writeText(u"Caption"_s, u"Ταμείο"_s, u""_s);
    bag.writeColour(u"ForeColor1"_s, OleColor(0x8000000Eu), OleColor(0));

    EXPECT_EQ(bag.readInteger(u"Alignment"_s, 0), 2);
    EXPECT_EQ(bag.readText(u"Caption"_s, u"x"_s), u"Ταμείο"_s);
    EXPECT_EQ(bag.readColour(u"ForeColor1"_s, OleColor(0)), OleColor(0x8000000Eu));
    // A value of another kind than asked for reads as the default.
    EXPECT_EQ(bag.readText(u"Alignment"_s, u"d"_s), u"d"_s);
    EXPECT_EQ(bag.readInteger(u"Caption"_s, 7), 7);
    EXPECT_FALSE(bag.readBoolean(u"ForeColor1"_s, false));
    EXPECT_EQ(bag.readInteger(u"ForeColor1"_s, 5), 5);
}

TEST(PropertyBag, NamesMatchWithoutCaseAndKeepTheirOrder)
{
    PropertyBag bag;
    bag.writeBoolean(u"Enabled"_s, false, true);
    bag.writeText(u"Caption"_s, u"a"_s, u""_s);
    bag.writeInteger(u"Phase"_s, 1, 0);
    bag.writeText(u"CAPTION"_s, u"b"_s, u""_s); // replaces in place

    EXPECT_EQ(bag.names(), (QStringList{u"Enabled"_s, u"Caption"_s, u"Phase"_s}));
    EXPECT_EQ(bag.readText(u"caption"_s, u""_s), u"b"_s);
}

TEST(PropertyBag, InvalidNamesAreRefused)
{
    const QString names[] = {u""_s, u"1abc"_s, u"two words"_s, u"a-b"_s, u"Τίτλος"_s, u"x="_s};
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        PropertyBag bag;
        EXPECT_FALSE(bag.writeInteger(name, 1, 0));
        EXPECT_FALSE(bag.setValue(name, qint32(1)));
        EXPECT_TRUE(bag.isEmpty());
    }
    EXPECT_TRUE(PropertyBag::isValidName(u"_Fore_Color2"_s));
}
