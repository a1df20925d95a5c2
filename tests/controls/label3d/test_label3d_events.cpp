#include "label3d_test_support.h"

#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using kelvora::Label3D;
using namespace label3dtest;

namespace {

// Writes down every event the control raises, with its arguments.
class EventLog : public QObject
{
public:
    explicit EventLog(Label3D &control)
    {
        const auto mouse = [this](const QString &name) {
            return [this, name](qint16 button, qint16 shift, float x, float y) {
                entries.append(u"%1 %2 %3 %4 %5"_s.arg(name).arg(button).arg(shift).arg(x).arg(y));
            };
        };
        connect(&control, &Label3D::Click, this, [this] { entries.append(u"Click"_s); });
        connect(&control, &Label3D::DblClick, this, [this] { entries.append(u"DblClick"_s); });
        connect(&control, &Label3D::MouseDown, this, mouse(u"MouseDown"_s));
        connect(&control, &Label3D::MouseMove, this, mouse(u"MouseMove"_s));
        connect(&control, &Label3D::MouseUp, this, mouse(u"MouseUp"_s));
    }

    QStringList entries;
};

class Label3DEvents : public ::testing::Test
{
protected:
    void SetUp() override
    {
        control.resizeTwips(1500, 300);
        control.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&control));
    }

    Label3D control;
    EventLog log{control};
};

} // namespace

TEST_F(Label3DEvents, ButtonShiftAndPositionArePassedOn)
{
    struct Case
    {
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        QPoint at;
        const char *arguments; // Button Shift X Y, X and Y in twips
    };
    const Case cases[] = {
        {Qt::LeftButton, Qt::NoModifier, {10, 5}, "1 0 150 75"},
        {Qt::RightButton, Qt::ShiftModifier, {3, 4}, "2 1 45 60"},
        {Qt::MiddleButton, Qt::ControlModifier | Qt::AltModifier, {0, 1}, "4 6 0 15"},
        {Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, {99, 19}, "1 7 1485 285"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments);
        log.entries.clear();
        QTest::mousePress(frontCopy(control), c.button, c.modifiers, c.at);
        QTest::mouseRelease(frontCopy(control), c.button, c.modifiers, c.at);
        ASSERT_GE(log.entries.size(), 2);
        EXPECT_EQ(log.entries[0], u"MouseDown "_s + QString::fromLatin1(c.arguments));
        EXPECT_EQ(log.entries[1], u"MouseUp "_s + QString::fromLatin1(c.arguments));
    }
}

TEST_F(Label3DEvents, ClickFollowsMouseUpForTheLeftButtonOnly)
{
    QTest::mouseClick(frontCopy(control), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(log.entries, (QStringList{u"MouseDown 1 0 75 75"_s, u"MouseUp 1 0 75 75"_s, u"Click"_s}));

    log.entries.clear();
    QTest::mouseClick(frontCopy(control), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(log.entries, (QStringList{u"MouseDown 2 0 75 75"_s, u"MouseUp 2 0 75 75"_s}));
}

TEST_F(Label3DEvents, DoubleClickRaisesClickOnceThenDblClick)
{
    // What the window system delivers for a double click: the second press
    // comes as a press followed by a double-click event.
    QWidget *front = frontCopy(control);
    const QPoint at(6, 6);
    QTest::mousePress(front, Qt::LeftButton, {}, at);
    QTest::mouseRelease(front, Qt::LeftButton, {}, at);
    QTest::mousePress(front, Qt::LeftButton, {}, at);
    QTest::mouseDClick(front, Qt::LeftButton, {}, at);
    QTest::mouseRelease(front, Qt::LeftButton, {}, at);
    EXPECT_EQ(log.entries, (QStringList{u"MouseDown 1 0 90 90"_s, u"MouseUp 1 0 90 90"_s, u"Click"_s,
                                        u"MouseDown 1 0 90 90"_s, u"DblClick"_s, u"MouseUp 1 0 90 90"_s}));
}

TEST_F(Label3DEvents, MouseMoveCarriesTheButtonsHeld)
{
    QMouseEvent dragging(QEvent::MouseMove, QPointF(2, 3), frontCopy(control)->mapToGlobal(QPointF(2, 3)), Qt::NoButton,
                         Qt::LeftButton | Qt::RightButton, Qt::ShiftModifier);
    QApplication::sendEvent(frontCopy(control), &dragging);
    // The mouse passing over with no button down is reported too.
    QMouseEvent passing(QEvent::MouseMove, QPointF(8, 1), frontCopy(control)->mapToGlobal(QPointF(8, 1)), Qt::NoButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(frontCopy(control), &passing);
    EXPECT_EQ(log.entries, (QStringList{u"MouseMove 3 1 30 45"_s, u"MouseMove 0 0 120 15"_s}));
}

TEST_F(Label3DEvents, PositionIsThatWithinTheFrontCopy)
{
    control.setPhase(3); // the front copy now lies one pixel in
    QTest::mousePress(frontCopy(control), Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(log.entries, (QStringList{u"MouseDown 1 0 150 75"_s}));
}

TEST_F(Label3DEvents, BackCopyAndSurfaceRaiseNothing)
{
    QTest::mouseClick(backCopy(control), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseDClick(backCopy(control), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(0, 0));
    EXPECT_TRUE(log.entries.isEmpty()) << log.entries.join(u", "_s).toStdString();
}
