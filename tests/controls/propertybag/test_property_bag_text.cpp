#include "controls/propertybag/property_bag_text.h"

#include <QImage>
#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;
using kelvora::FontValue;
using kelvora::OleColor;
using kelvora::PictureValue;
using kelvora::PropertyBag;
using kelvora::propertyBagFromText;
using kelvora::PropertyBagTextError;
using kelvora::propertyBagToText;

namespace {

FontValue font(const QString &name, double size)
{
    FontValue value;
    value.name = name;
    value.size = size;
    return value;
}

PropertyBag roundTrip(const PropertyBag &bag)
{
    PropertyBagTextError error;
    const auto read = propertyBagFromText(propertyBagToText(bag), &error);
    EXPECT_TRUE(read.has_value()) << error.line << ": " << error.message.toStdString();
    return read.value_or(PropertyBag{});
}

} // namespace

TEST(PropertyBagText, EveryKindComesBackExactly)
{
    PropertyBag bag;
    const QString texts[] = {
        u""_s,
        u"Κεντρικό"_s,
        u"quote \" backslash \\ end\\"_s,
        u"line\nbreak\r\ntab\there"_s,
        u"control \x01 and \x7F"_s,
        u"\U0001F600 pair"_s,
        QString(QChar(0xD800)) + u"lone surrogate"_s,
        u"  spaces kept  "_s,
        u"# not a comment"_s,
    };
    int i = 0;
    for (const QString &text : texts)
        bag.setValue(u"Text%1"_s.arg(i++), text);
    for (qint32 n : {0, -1, 7, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()})
        bag.setValue(u"Integer%1"_s.arg(i++), n);
    bag.setValue(u"Yes"_s, true);
    bag.setValue(u"No"_s, false);
    for (quint32 c : {0u, 0xFFu, 0x00FFFFFFu, 0x8000000Fu, 0xFFFFFFFFu})
        bag.setValue(u"Colour%1"_s.arg(i++), OleColor(c));

    FontValue greek = font(u"Tahoma \"GR\""_s, 9.75);
    greek.bold = greek.strikethrough = true;
    greek.charset = 161;
    FontValue odd = font(u"DejaVu Sans"_s, 0.1 + 0.2); // no short decimal form
    odd.italic = odd.underline = true;
    bag.setValue(u"Font1"_s, greek);
    bag.setValue(u"Font2"_s, odd);
    bag.setValue(u"Font3"_s, font(u""_s, 8.25));

    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(QColor(10, 20, 30, 128));
    bag.setValue(u"Picture1"_s, PictureValue::fromImage(image));
    bag.setValue(u"Picture2"_s, PictureValue{QByteArray("\x00\xFF raw", 6)});
    bag.setValue(u"Picture3"_s, PictureValue{});

    const PropertyBag read = roundTrip(bag);
    EXPECT_EQ(read, bag);
    EXPECT_EQ(read.names(), bag.names());
    EXPECT_EQ(read.readPicture(u"Picture1"_s, {}).toImage().pixelColor(2, 1), QColor(10, 20, 30, 128));
}

TEST(PropertyBagText, WritesOneReadableLineAnEntry)
{
    PropertyBag bag;
    bag.setValue(u"Caption"_s, u"Kelvora \"3D\"\n"_s);
    bag.setValue(u"Phase"_s, qint32(7));
    bag.setValue(u"Enabled"_s, false);
    bag.setValue(u"ForeColor1"_s, OleColor(0x8000000Eu));
    FontValue f = font(u"DejaVu Sans"_s, 9.75);
    f.bold = true;
    f.charset = 161;
    bag.setValue(u"Font"_s, f);

    // The form a host keeps in its files; changing it breaks saved forms.
    EXPECT_EQ(propertyBagToText(bag).toStdString(),
              "Caption = \"Kelvora \\\"3D\\\"\\n\"\n"
              "Phase = 7\n"
              "Enabled = False\n"
              "ForeColor1 = &H8000000E&\n"
              "Font = Font(\"DejaVu Sans\", 9.75, Bold=True, Italic=False, Underline=False, "
              "Strikethrough=False, Charset=161)\n");
}

TEST(PropertyBagText, EmptyBagIsEmptyText)
{
    EXPECT_TRUE(propertyBagToText(PropertyBag{}).isEmpty());
    const auto read = propertyBagFromText(u""_s);
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(read->isEmpty());
}

TEST(PropertyBagText, ReadsHandWrittenVariants)
{
    const QString text = u"# saved by hand\r\n"
                         "\r\n"
                         "  Phase=3  \r\n"
                         "Enabled = true\n"
                         "BackColor = &hff\n"
                         "Font = font( \"Arial\" , 12 , Charset=0 , bold=TRUE )\n"
                         "\t\n"_s;
    PropertyBagTextError error;
    const auto bag = propertyBagFromText(text, &error);
    ASSERT_TRUE(bag.has_value()) << error.line << ": " << error.message.toStdString();
    EXPECT_EQ(bag->size(), 4);
    EXPECT_EQ(bag->readInteger(u"Phase"_s, 0), 3);
    EXPECT_TRUE(bag->readBoolean(u"Enabled"_s, false));
    EXPECT_EQ(bag->readColour(u"BackColor"_s, OleColor(0)), OleColor(0xFFu));
    FontValue expected = font(u"Arial"_s, 12);
    expected.bold = true;
    expected.charset = 0;
    EXPECT_EQ(bag->readFont(u"Font"_s, {}), expected);
}

TEST(PropertyBagText, FaultyTextIsRefusedWithItsLine)
{
    struct Case
    {
        const char *text;
        int line;
    };
    const Case cases[] = {
        {"Caption \"x\"", 1},
        {"Caption = \"unterminated", 1},
        {"A = 1\nPhase = 2147483648", 2},
        {"A = 1\n\nColour = &H123456789&", 3},
        {"Colour = &H&", 1},
        {"Flag = Maybe", 1},
        {"Caption = \"a\" trailing", 1},
        {"Caption = \"a\"\ncaption = \"b\"", 2},
        {"Caption = \"bad \\q escape\"", 1},
        {"Caption = \"short \\u12\"", 1},
        {"1abc = 5", 1},
        {"Font = Font(\"A\", 0)", 1},
        {"Font = Font(\"A\", nan)", 1},
        {"Font = Font(\"A\", 9, Bold=Yes)", 1},
        {"Font = Font(\"A\", 9, Weight=700)", 1},
        {"Font = Font(\"A\", 9, Charset=300)", 1},
        {"Font = Font(\"A\", 9, Bold=True, Bold=False)", 1},
        {"Font = Font(\"A\", 9", 1},
        {"Picture = Picture(\"not base64!\")", 1},
        {"Number = 12abc", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        PropertyBagTextError error;
        EXPECT_FALSE(propertyBagFromText(QString::fromUtf8(c.text), &error).has_value());
        EXPECT_EQ(error.line, c.line);
        EXPECT_FALSE(error.message.isEmpty());
    }
}
