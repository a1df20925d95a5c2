#include "label3d_test_support.h"

#include "controls/propertybag/property_bag.h"
#include "controls/propertybag/property_bag_text.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using kelvora::FontValue;
using kelvora::Label3D;
using kelvora::OleColor;
using kelvora::PropertyBag;
using namespace label3dtest;

namespace {

PropertyBag saved(const Label3D &control)
{
    PropertyBag bag;
    control.writeProperties(bag);
    return bag;
}

// What the form file gives back to the next load.
PropertyBag throughText(const PropertyBag &bag)
{
    return kelvora::propertyBagFromText(kelvora::propertyBagToText(bag)).value();
}

void expectDefaults(const Label3D &control)
{
    EXPECT_TRUE(control.labelsEnabled());
    EXPECT_EQ(control.foreColor1(), OleColor(0x000000u));
    EXPECT_EQ(control.foreColor2(), OleColor(0xFFFFFFu));
    EXPECT_EQ(control.caption(), u"Label3D"_s);
    EXPECT_EQ(frontCopy(control)->text(), u"Label3D"_s);
    EXPECT_EQ(control.alignment(), Label3D::LeftJustify);
    EXPECT_EQ(FontValue::fromFont(control.labelFont()), FontValue::fromFont(control.ambientFont()));
    EXPECT_FALSE(control.testAttribute(Qt::WA_SetFont)); // follows the container
    EXPECT_EQ(control.borderStyle(), Label3D::NoBorder);
    EXPECT_EQ(control.phase(), 0);
    EXPECT_EQ(positionTwips(backCopy(control)), QPoint(15, 15));
    EXPECT_EQ(positionTwips(frontCopy(control)), QPoint(0, 0));
    EXPECT_EQ(control.backColor(), OleColor(0x8000000Fu));
}

} // namespace

TEST(Label3DPersistence, DefaultsStoreNothingAndComeBack)
{
    QWidget form;
    auto *first = new Label3D(&form);
    first->readProperties(PropertyBag{});
    expectDefaults(*first);
    const PropertyBag bag = saved(*first);
    EXPECT_TRUE(bag.isEmpty()) << kelvora::propertyBagToText(bag).toStdString();
    EXPECT_TRUE(kelvora::propertyBagToText(bag).isEmpty());

    // A control that held other values loads the defaults from that bag.
    auto *second = new Label3D(&form);
    second->resizeTwips(1500, 300);
    second->setEnabled(false);
    second->setForeColor1(OleColor(0x123456u));
    second->setForeColor2(OleColor(0x654321u));
    second->setCaption(u"άλλο"_s);
    second->setAlignment(Label3D::Center);
    second->setFont(QFont(u"DejaVu Serif"_s, 20));
    second->setBorderStyle(Label3D::FixedSingle);
    second->setPhase(3);
    second->setBackColor(OleColor(0xABCDEFu));
    second->readProperties(throughText(bag));
    expectDefaults(*second);
}

TEST(Label3DPersistence, NewInstanceSavesItsDesignTimeColours)
{
    // A new instance shows the system colours, which are not the loading
    // defaults (black and white), so they are stored.
    Label3D placed;
    placed.initProperties();
    const PropertyBag bag = saved(placed);
    EXPECT_EQ(bag.names(), (QStringList{u"ForeColor1"_s, u"ForeColor2"_s}));
    EXPECT_EQ(bag.readColour(u"ForeColor1"_s, {}), OleColor(0x8000000Eu));
    EXPECT_EQ(bag.readColour(u"ForeColor2"_s, {}), OleColor(0x80000012u));

    Label3D loaded;
    loaded.readProperties(throughText(bag));
    EXPECT_EQ(loaded.foreColor1(), placed.foreColor1());
    EXPECT_EQ(loaded.foreColor2(), placed.foreColor2());
}

TEST(Label3DPersistence, EveryPropertyComesBackThroughTheFormFile)
{
    QWidget form;
    auto *original = new Label3D(&form);
    original->setEnabled(false);
    original->setFont(QFont(u"DejaVu Serif"_s, 15, QFont::Bold, true));
    original->setForeColor1(OleColor(0x8000000Cu));
    original->setForeColor2(OleColor::fromRgb(0x12, 0x34, 0x56));
    original->setCaption(u"Ταμείο \"Κεντρικό\"\nδεύτερη"_s);
    original->setAlignment(Label3D::RightJustify);
    original->setPhase(2);
    original->setBackColor(OleColor::fromRgb(0xFE, 0xDC, 0xBA));
    original->setBorderStyle(Label3D::FixedSingle);

    const PropertyBag bag = saved(*original);
    // The order values are saved in.
    EXPECT_EQ(bag.names(), (QStringList{u"Enabled"_s, u"Font"_s, u"ForeColor1"_s, u"ForeColor2"_s, u"Caption"_s,
                                        u"Alignment"_s, u"Phase"_s, u"BackColor"_s, u"BorderStyle"_s}));

    auto *loaded = new Label3D(&form);
    loaded->readProperties(throughText(bag));
    EXPECT_FALSE(loaded->labelsEnabled());
    EXPECT_FALSE(backCopy(*loaded)->isEnabled());
    EXPECT_FALSE(frontCopy(*loaded)->isEnabled());
    EXPECT_EQ(FontValue::fromFont(loaded->labelFont()), FontValue::fromFont(original->labelFont()));
    EXPECT_EQ(frontCopy(*loaded)->font().family(), u"DejaVu Serif"_s);
    EXPECT_EQ(loaded->foreColor1(), original->foreColor1());
    EXPECT_EQ(loaded->foreColor2(), original->foreColor2());
    EXPECT_EQ(loaded->caption(), original->caption());
    EXPECT_EQ(frontCopy(*loaded)->text(), original->caption());
    EXPECT_EQ(loaded->alignment(), Label3D::RightJustify);
    EXPECT_EQ(frontCopy(*loaded)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(loaded->phase(), 2);
    EXPECT_EQ(positionTwips(frontCopy(*loaded)), QPoint(0, 15)); // laid out after loading
    EXPECT_EQ(loaded->backColor(), original->backColor());
    EXPECT_EQ(loaded->borderStyle(), Label3D::FixedSingle);
    EXPECT_EQ(saved(*loaded), bag);
}

TEST(Label3DPersistence, LoadedPhase7LeavesTheCopiesWhereTheyWere)
{
    Label3D control;
    control.setPhase(1);
    const QPoint back = backCopy(control)->pos();
    const QPoint front = frontCopy(control)->pos();

    PropertyBag bag;
    bag.writeInteger(u"Phase"_s, 7, 0);
    control.readProperties(throughText(bag));
    EXPECT_EQ(control.phase(), 7);
    EXPECT_EQ(backCopy(control)->pos(), back);
    EXPECT_EQ(frontCopy(control)->pos(), front);
    EXPECT_EQ(saved(control).readInteger(u"Phase"_s, 0), 7);
}

TEST(Label3DPersistence, LoadingMarksNothingAsChanged)
{
    Label3D source;
    source.setEnabled(false);
    source.setFont(QFont(u"DejaVu Serif"_s, 15));
    source.setCaption(u"x"_s);
    source.setPhase(3);
    const PropertyBag bag = saved(source);

    Label3D control;
    QSignalSpy changed(&control, &Label3D::propertyChanged);
    control.readProperties(bag);
    control.initProperties();
    EXPECT_EQ(changed.count(), 0);
    // ...but a setter afterwards still does.
    control.setEnabled(true);
    EXPECT_EQ(changed.count(), 1);
}

TEST(Label3DPersistence, DamagedValuesLoadAsTheirDefaults)
{
    struct Case
    {
        const char *text;
        std::function<bool(const Label3D &)> isDefault;
    };
    const Case cases[] = {
        {"Phase = 300", [](const Label3D &c) { return c.phase() == 0; }},
        {"Phase = -1", [](const Label3D &c) { return c.phase() == 0; }},
        {"Alignment = 9", [](const Label3D &c) { return c.alignment() == Label3D::LeftJustify; }},
        {"BorderStyle = 2", [](const Label3D &c) { return c.borderStyle() == Label3D::NoBorder; }},
        {"Caption = 5", [](const Label3D &c) { return c.caption() == u"Label3D"_s; }},
        {"ForeColor2 = \"white\"", [](const Label3D &c) { return c.foreColor2() == OleColor(0xFFFFFFu); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const auto bag = kelvora::propertyBagFromText(QString::fromUtf8(c.text));
        ASSERT_TRUE(bag.has_value());
        Label3D control;
        control.setPhase(2);
        control.setAlignment(Label3D::Center);
        control.setBorderStyle(Label3D::FixedSingle);
        control.setCaption(u"before"_s);
        control.setForeColor2(OleColor(0x123u));
        control.readProperties(*bag);
        EXPECT_TRUE(c.isDefault(control));
    }
}

TEST(Label3DPersistence, DefaultFontFollowsTheContainer)
{
    QWidget form;
    form.setFont(QFont(u"DejaVu Sans"_s, 10));
    auto *control = new Label3D(&form);
    control->readProperties(PropertyBag{});
    EXPECT_EQ(backCopy(*control)->font().pointSize(), 10);

    form.setFont(QFont(u"DejaVu Serif"_s, 14));
    EXPECT_EQ(backCopy(*control)->font().family(), u"DejaVu Serif"_s);
    EXPECT_EQ(frontCopy(*control)->font().pointSize(), 14);
    EXPECT_FALSE(saved(*control).contains(u"Font"_s));

    // A stored font stays when the container's changes.
    PropertyBag bag;
    FontValue mono;
    mono.name = u"DejaVu Sans Mono"_s;
    mono.size = 12;
    bag.writeFont(u"Font"_s, mono, FontValue{});
    control->readProperties(bag);
    form.setFont(QFont(u"DejaVu Sans"_s, 8));
    EXPECT_EQ(frontCopy(*control)->font().family(), u"DejaVu Sans Mono"_s);
    EXPECT_EQ(backCopy(*control)->font().pointSize(), 12);
    EXPECT_EQ(saved(*control).readFont(u"Font"_s, {}), mono);
}
