#include "label3d_test_support.h"

#include "controls/propertybag/property_bag.h"

#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using kelvora::Label3D;
using kelvora::OleColor;
using namespace label3dtest;
namespace systemcolour = kelvora::systemcolour;

namespace {

// What one copy of the caption holds, and what it paints on its own.
struct CopyState
{
    QString text;
    Qt::Alignment alignment;
    QFont font;
    bool enabled;
    QColor colour;
    QImage painted;

    friend bool operator==(const CopyState &, const CopyState &) = default;
};

CopyState stateOf(QLabel *label)
{
    QImage painted(label->size(), QImage::Format_ARGB32_Premultiplied);
    painted.fill(Qt::transparent);
    label->render(&painted, QPoint(), QRegion(), QWidget::RenderFlags());
    return {label->text(), label->alignment(), label->font(), label->isEnabled(), textColour(label), painted};
}

// A plain number must not be taken for a colour of either kind.
template <typename T>
concept TakesNumberAsColour = requires(T &control)
{
    control.setForeColor1(0x8000000Eu);
};
static_assert(!TakesNumberAsColour<Label3D>);

} // namespace

TEST(Label3DProperties, EachSetterChangesTheCopiesItOwns)
{
    struct Case
    {
        const char *name;
        std::function<void(Label3D &)> change;
        std::function<bool(const Label3D &)> readsBack;
        bool back;
        bool front;
    };
    const QFont serif(u"DejaVu Serif"_s, 17, QFont::Bold);
    const Case cases[] = {
        {"Caption", [](Label3D &c) { c.setCaption(u"Ταμείο"_s); },
         [](const Label3D &c) { return c.caption() == u"Ταμείο"_s; }, true, true},
        {"Alignment", [](Label3D &c) { c.setAlignment(Label3D::Center); },
         [](const Label3D &c) { return c.alignment() == Label3D::Center; }, true, true},
        {"Font", [&](Label3D &c) { c.setFont(serif); }, [&](const Label3D &c) { return c.labelFont() == serif; }, true,
         true},
        {"Enabled", [](Label3D &c) { c.setEnabled(false); }, [](const Label3D &c) { return !c.labelsEnabled(); }, true,
         true},
        {"ForeColor1", [](Label3D &c) { c.setForeColor1(OleColor::fromRgb(255, 0, 0)); },
         [](const Label3D &c) { return c.foreColor1() == OleColor(0x0000FFu); }, true, false},
        {"ForeColor2", [](Label3D &c) { c.setForeColor2(OleColor::fromRgb(0, 0, 255)); },
         [](const Label3D &c) { return c.foreColor2() == OleColor(0xFF0000u); }, false, true},
        {"BorderStyle", [](Label3D &c) { c.setBorderStyle(Label3D::FixedSingle); },
         [](const Label3D &c) { return c.borderStyle() == Label3D::FixedSingle; }, false, true},
        {"BackColor", [](Label3D &c) { c.setBackColor(OleColor::fromRgb(0, 128, 0)); },
         [](const Label3D &c) { return c.palette().color(QPalette::Window) == QColor(0, 128, 0); }, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Label3D control;
        control.resizeTwips(1500, 300);
        QSignalSpy changed(&control, &Label3D::propertyChanged);
        const CopyState back = stateOf(backCopy(control));
        const CopyState front = stateOf(frontCopy(control));

        c.change(control);

        EXPECT_TRUE(c.readsBack(control));
        EXPECT_EQ(stateOf(backCopy(control)) != back, c.back);
        EXPECT_EQ(stateOf(frontCopy(control)) != front, c.front);
        ASSERT_EQ(changed.count(), 1);
        EXPECT_EQ(changed.first().first().toString(), QString::fromLatin1(c.name));
    }
}

TEST(Label3DProperties, TextColoursGoToTheirOwnCopy)
{
    Label3D control;
    control.setForeColor1(OleColor::fromRgb(1, 2, 3));
    control.setForeColor2(OleColor::fromRgb(200, 100, 50));
    EXPECT_EQ(textColour(backCopy(control)), QColor(1, 2, 3));
    EXPECT_EQ(textColour(frontCopy(control)), QColor(200, 100, 50));
}

TEST(Label3DProperties, RefusedValuesChangeNothing)
{
    Label3D control;
    control.setAlignment(Label3D::RightJustify);
    QSignalSpy changed(&control, &Label3D::propertyChanged);
    EXPECT_FALSE(control.setAlignment(3));
    EXPECT_FALSE(control.setAlignment(-1));
    EXPECT_FALSE(control.setBorderStyle(2));
    EXPECT_EQ(control.alignment(), Label3D::RightJustify);
    EXPECT_EQ(control.borderStyle(), Label3D::NoBorder);
    EXPECT_EQ(changed.count(), 0);
}

TEST(Label3DProperties, EnabledIsTheControlsOwnNotItsContainers)
{
    QWidget container;
    auto *control = new Label3D(&container);
    QSignalSpy changed(control, &Label3D::propertyChanged);

    container.setEnabled(false);
    EXPECT_FALSE(frontCopy(*control)->isEnabled()); // greyed with the container
    EXPECT_TRUE(control->labelsEnabled());
    EXPECT_EQ(changed.count(), 0);
    kelvora::PropertyBag bag;
    control->writeProperties(bag);
    EXPECT_FALSE(bag.contains(u"Enabled"_s));
}

TEST(Label3DProperties, NewInstanceShowsTheDesignTimeLook)
{
    Label3D control;
    control.initProperties();
    EXPECT_EQ(control.caption(), u"Label3D"_s);
    EXPECT_EQ(frontCopy(control)->text(), u"Label3D"_s);
    EXPECT_EQ(control.phase(), 0);
    EXPECT_EQ(control.foreColor1(), systemcolour::HighlightText);
    EXPECT_EQ(control.foreColor2(), systemcolour::ButtonText);
    EXPECT_EQ(control.backColor(), systemcolour::ButtonFace);
    const QPalette app = QApplication::palette();
    EXPECT_EQ(textColour(backCopy(control)), app.color(QPalette::HighlightedText));
    EXPECT_EQ(textColour(frontCopy(control)), app.color(QPalette::ButtonText));
    EXPECT_EQ(control.palette().color(QPalette::Window), app.color(QPalette::Button));
    EXPECT_FALSE(backCopy(control)->autoFillBackground());
    EXPECT_FALSE(frontCopy(control)->autoFillBackground());
}

TEST(Label3DProperties, SystemColoursFollowADesktopPaletteChange)
{
    const QPalette original = QApplication::palette();
    Label3D control;
    control.setForeColor1(systemcolour::HighlightText);
    control.setForeColor2(OleColor::fromRgb(9, 9, 9));

    QPalette changed = original;
    changed.setColor(QPalette::HighlightedText, QColor(250, 0, 250));
    QApplication::setPalette(changed);
    QApplication::processEvents(); // the change reaches widgets as posted events
    const QColor back = textColour(backCopy(control));
    const QColor front = textColour(frontCopy(control));
    QApplication::setPalette(original);
    QApplication::processEvents();

    EXPECT_EQ(back, QColor(250, 0, 250));
    EXPECT_EQ(front, QColor(9, 9, 9)); // an RGB colour stays as it is
}

// Designer and uic set properties by name through the meta-object.
TEST(Label3DProperties, PropertiesCanBeSetByName)
{
    struct Case
    {
        const char *name;
        QVariant value;
    };
    const Case cases[] = {
        {"Caption", u"Σύνολο"_s},
        {"Alignment", QVariant::fromValue(Label3D::RightJustify)},
        {"Phase", 3},
        {"ForeColor1", QVariant::fromValue(QColor(255, 0, 0))},
        {"ForeColor2", QVariant::fromValue(QColor(0, 255, 0))},
        {"BackColor", QVariant::fromValue(QColor(0, 0, 255))},
        {"BorderStyle", QVariant::fromValue(Label3D::FixedSingle)},
        {"Enabled", false},
        {"Font", QVariant::fromValue(QFont(u"DejaVu Sans Mono"_s, 11))},
    };
    Label3D control;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(control.setProperty(c.name, c.value));
        EXPECT_EQ(control.property(c.name), c.value);
    }
    EXPECT_EQ(control.foreColor1(), OleColor(0x0000FFu));
    EXPECT_EQ(control.backColor(), OleColor(0xFF0000u));
    EXPECT_EQ(positionTwips(frontCopy(control)), QPoint(15, 15));
    EXPECT_EQ(control.borderStyle(), Label3D::FixedSingle);
}
