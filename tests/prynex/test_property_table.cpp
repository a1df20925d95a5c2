// Every property of the control, written out here independently of the
// control's own table: each must exist with its type and access, so none is
// forgotten or mistyped.
#include "prynex/property_table.h"
#include "prynex_test_support.h"

#include <QMetaProperty>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using prynex::Access;
using prynex::Type;

namespace {

struct Expected {
    const char *names;  // blank-separated
    Type type;
    Access access;
    bool hidden;
};

const Expected kExpected[] = {
    {"Enabled", Type::Boolean, Access::ReadWrite, false},
    {"Font", Type::Font, Access::ReadWrite, false},
    {"FontName", Type::Text, Access::ReadWrite, true},
    {"FontBold FontItalic FontStrikethru FontUnderline", Type::Boolean, Access::ReadWrite, true},
    {"FontSize", Type::Single, Access::ReadWrite, true},
    {"Appearance", Type::Enumeration, Access::ReadWrite, false},
    {"BackColor", Type::Colour, Access::ReadWrite, false},
    {"BorderStyle", Type::Int16, Access::ReadWrite, false},
    {"AbortCaption AbortTextButton AbortTextDevice AbortTextPage", Type::Text, Access::ReadWrite, false},
    {"AbortWindow", Type::Boolean, Access::ReadWrite, false},
    {"AbortWindowPos", Type::Enumeration, Access::ReadWrite, false},
    {"Action", Type::Enumeration, Access::WriteOnly, true},
    {"BrushColor", Type::Int32, Access::ReadWrite, false},
    {"BrushStyle", Type::Enumeration, Access::ReadWrite, false},
    {"CalcParagraph CalcTable CalcText CalcTextRTF", Type::Text, Access::WriteOnly, true},
    {"Collate ColorMode", Type::Int16, Access::ReadWrite, true},
    {"Columns Copies", Type::Int16, Access::ReadWrite, false},
    {"CurrentColumn CurrentLine CurrentPage", Type::Int16, Access::ReadOnly, true},
    {"CurrentX CurrentY", Type::Int32, Access::ReadWrite, true},
    {"Device", Type::Text, Access::ReadWrite, true},
    {"Devices", Type::Text, Access::Indexed, true},
    {"DPI", Type::Int16, Access::ReadOnly, true},
    {"Draw", Type::Enumeration, Access::WriteOnly, true},
    {"Driver", Type::Text, Access::ReadOnly, false},
    {"Duplex", Type::Int16, Access::ReadWrite, true},
    {"EmptyColor", Type::Int32, Access::ReadWrite, false},
    {"Error", Type::Int16, Access::ReadOnly, true},
    {"FileName Footer Header", Type::Text, Access::ReadWrite, false},
    {"hDC", Type::Int32, Access::ReadWrite, true},
    {"HdrColor", Type::Int32, Access::ReadWrite, false},
    {"HdrFont", Type::Font, Access::ReadWrite, false},
    {"HdrFontBold HdrFontItalic HdrFontStrikethru HdrFontUnderline", Type::Boolean, Access::ReadWrite, true},
    {"HdrFontName", Type::Text, Access::ReadWrite, true},
    {"HdrFontSize", Type::Single, Access::ReadWrite, true},
    {"IndentFirst IndentLeft IndentRight IndentTab", Type::Int32, Access::ReadWrite, false},
    {"LineSpacing", Type::Int16, Access::ReadWrite, false},
    {"MarginBottom MarginLeft MarginRight MarginTop", Type::Int32, Access::ReadWrite, false},
    {"Measure", Type::Text, Access::WriteOnly, true},
    {"Measuring", Type::Boolean, Access::ReadOnly, true},
    {"MousePage MouseScroll MouseZoom", Type::Boolean, Access::ReadWrite, false},
    {"NDevices NPorts", Type::Int16, Access::ReadOnly, true},
    {"Orientation PageBorder", Type::Enumeration, Access::ReadWrite, false},
    {"PageHeight PageWidth", Type::Int32, Access::ReadOnly, true},
    {"PaperBin", Type::Int16, Access::ReadWrite, true},
    {"PaperBins PaperSizes", Type::Boolean, Access::Indexed, true},
    {"PaperHeight PaperWidth", Type::Int32, Access::ReadOnly, true},
    {"PaperSize", Type::Int16, Access::ReadWrite, true},
    {"Paragraph", Type::Text, Access::WriteOnly, true},
    {"PenColor", Type::Colour, Access::ReadWrite, false},
    {"PenStyle", Type::Enumeration, Access::ReadWrite, false},
    {"PenWidth", Type::Int16, Access::ReadWrite, false},
    {"PhysicalPage", Type::Boolean, Access::ReadWrite, true},
    {"Picture", Type::Picture, Access::WriteOnly, true},
    {"Polygon Polyline", Type::Text, Access::WriteOnly, true},
    {"Port", Type::Text, Access::ReadWrite, true},
    {"Ports", Type::Text, Access::Indexed, true},
    {"Preview", Type::Boolean, Access::ReadWrite, false},
    {"PreviewMode", Type::Enumeration, Access::ReadWrite, false},
    {"PreviewPage", Type::Int16, Access::ReadWrite, false},
    {"PrintQuality", Type::Int16, Access::WriteOnly, false},
    {"ScaleOutput", Type::Int16, Access::ReadWrite, true},
    {"SpaceAfter SpaceBefore", Type::Int32, Access::ReadWrite, false},
    {"Table", Type::Text, Access::WriteOnly, false},
    {"TableBorder", Type::Enumeration, Access::ReadWrite, false},
    {"TableSep", Type::Text, Access::WriteOnly, false},
    {"Text", Type::Text, Access::WriteOnly, true},
    {"TextAlign", Type::Enumeration, Access::ReadWrite, false},
    {"TextAngle", Type::Int16, Access::ReadWrite, true},
    {"TextColor", Type::Colour, Access::ReadWrite, false},
    {"TextHei", Type::Int32, Access::ReadOnly, false},
    {"TextWid", Type::Int32, Access::ReadOnly, true},
    {"TextRTF", Type::Text, Access::WriteOnly, false},
    {"TrueType", Type::Int16, Access::ReadWrite, true},
    {"TwipsPerPixelX TwipsPerPixelY", Type::Int32, Access::ReadOnly, true},
    {"WhatsThisHelpID", Type::Int32, Access::ReadWrite, false},
    {"X1 X2 Y1 Y2", Type::Int32, Access::ReadWrite, true},
    {"Zoom", Type::Int16, Access::ReadWrite, false},
    {"Version", Type::Int16, Access::ReadOnly, true},
};

QMetaType::Type variantTypeOf(Type type)
{
    switch (type) {
    case Type::Boolean: return QMetaType::Bool;
    case Type::Colour: return QMetaType::UInt;
    case Type::Single: return QMetaType::Double;
    case Type::Text: return QMetaType::QString;
    case Type::Font: return QMetaType::QFont;
    case Type::Picture: return QMetaType::QImage;
    default: return QMetaType::Int;
    }
}

}  // namespace

TEST(PrynexPropertyTable, EveryPropertyExistsWithItsTypeAndAccess)
{
    Prynex control;
    QStringList expectedNames;
    for (const Expected &group : kExpected) {
        for (const QString &name : QString::fromLatin1(group.names).split(u' ')) {
            SCOPED_TRACE(name.toStdString());
            expectedNames.append(name);
            const prynex::PropertyInfo *info = prynex::findProperty(name);
            ASSERT_NE(info, nullptr);
            EXPECT_TRUE(info->isControlProperty);
            EXPECT_EQ(info->type, group.type);
            EXPECT_EQ(info->access, group.access);
            EXPECT_EQ(info->hidden, group.hidden);

            // The access is what the control does, not only what it says.
            const QVariant value = control.propertyByName(name);
            if (group.access == Access::ReadWrite || group.access == Access::ReadOnly) {
                ASSERT_TRUE(value.isValid());
                EXPECT_EQ(value.typeId(), variantTypeOf(group.type));
            } else {
                EXPECT_FALSE(value.isValid());
            }
            if (group.access == Access::ReadOnly || group.access == Access::Indexed) {
                EXPECT_FALSE(control.setPropertyByName(name, value.isValid() ? value : QVariant(1)));
            }
            if (group.access == Access::ReadWrite) {
                EXPECT_TRUE(control.setPropertyByName(name, value)) << "setting its own value back";
            }
            // The engine has a member of the same name behind it.
            if (group.access != Access::Indexed) {
                EXPECT_TRUE(pages::Engine::propertyNames().contains(name, Qt::CaseInsensitive));
            }
        }
    }
    EXPECT_EQ(expectedNames.size(), 116);
    QStringList actual = Prynex::propertyNames();
    actual.sort(Qt::CaseInsensitive);
    expectedNames.sort(Qt::CaseInsensitive);
    EXPECT_EQ(actual, expectedNames);
}

TEST(PrynexPropertyTable, DesignerShowsExactlyTheShownReadableProperties)
{
    const QMetaObject &meta = Prynex::staticMetaObject;
    for (const prynex::PropertyInfo &info : prynex::propertyTable()) {
        if (!info.isControlProperty)
            continue;
        SCOPED_TRACE(info.name);
        const int index = meta.indexOfProperty(info.name);
        const bool shown = !info.hidden && info.readable();
        EXPECT_EQ(index >= meta.propertyOffset(), shown);
        if (shown) {
            EXPECT_EQ(meta.property(index).isWritable(), info.writable());
        }
    }
}

TEST(PrynexPropertyTable, NamesMatchWithoutRegardToCase)
{
    Prynex control;
    EXPECT_TRUE(control.setPropertyByName(u"marginleft"_s, 1000));
    EXPECT_EQ(control.propertyByName(u"MARGINLEFT"_s).toInt(), 1000);
    EXPECT_FALSE(control.propertyByName(u"NoSuchProperty"_s).isValid());
    EXPECT_FALSE(control.setPropertyByName(u"RenderControl"_s, 1)) << "an entry of the form, not a property";
}
