#include "label3d_test_support.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using kelvora::Label3D;
using namespace label3dtest;

namespace {

// Counts the resize events a widget receives.
class ResizeCounter : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            ++count;
        return false;
    }
};

} // namespace

TEST(Label3DLayout, SmallerThanTheMinimumBecomes100Twips)
{
    Label3D control;
    control.resizeTwips(50, 40);
    EXPECT_EQ(control.sizeTwips(), QSize(100, 100));
    EXPECT_EQ(control.size(), QSize(7, 7)); // 100 twips, rounded to pixels
    EXPECT_EQ(backCopy(control)->size(), control.size());
    EXPECT_EQ(frontCopy(control)->size(), control.size());

    // Each side on its own.
    control.resizeTwips(1500, 40);
    EXPECT_EQ(control.sizeTwips(), QSize(1500, 100));
    control.resizeTwips(60, 450);
    EXPECT_EQ(control.sizeTwips(), QSize(100, 450));
    EXPECT_EQ(frontCopy(control)->size(), QSize(7, 30));
}

TEST(Label3DLayout, ResizingInPixelsKeepsTheMinimumToo)
{
    Label3D control;
    control.show();
    control.resize(3, 2);
    EXPECT_GE(control.sizeTwips().width(), 100);
    EXPECT_GE(control.sizeTwips().height(), 100);
    EXPECT_EQ(control.size(), QSize(7, 7));

    control.resize(120, 24);
    EXPECT_EQ(control.sizeTwips(), QSize(1800, 360));
    EXPECT_EQ(backCopy(control)->size(), QSize(120, 24));
    EXPECT_EQ(frontCopy(control)->size(), QSize(120, 24));
}

TEST(Label3DLayout, HiddenControlKeepsASizeGivenInPixels)
{
    // Qt delivers the resize event of a hidden widget only when it is shown;
    // setting a property before that must not undo the size.
    QWidget form;
    auto *control = new Label3D(&form);
    control->setGeometry(10, 10, 150, 30);
    EXPECT_EQ(control->sizeTwips(), QSize(2250, 450));
    control->setPhase(2);
    EXPECT_EQ(control->size(), QSize(150, 30));
    EXPECT_EQ(control->sizeTwips(), QSize(2250, 450));
    EXPECT_EQ(frontCopy(*control)->size(), QSize(150, 30));
}

TEST(Label3DLayout, EachPhasePlacesBothCopies)
{
    struct Case
    {
        int phase;
        QPoint back;
        QPoint front;
    };
    const Case cases[] = {
        {0, {15, 15}, {0, 0}},
        {1, {0, 15}, {15, 0}},
        {2, {15, 0}, {0, 15}},
        {3, {0, 0}, {15, 15}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.phase);
        Label3D control;
        control.resizeTwips(1500, 300);
        // Start from a different phase so that every case has to move.
        control.setPhase((c.phase + 2) % 4);
        ASSERT_TRUE(control.setPhase(c.phase));
        EXPECT_EQ(control.phase(), c.phase);
        EXPECT_EQ(positionTwips(backCopy(control)), c.back);
        EXPECT_EQ(positionTwips(frontCopy(control)), c.front);
        EXPECT_EQ(control.sizeTwips(), QSize(1500, 300));
        EXPECT_EQ(frontCopy(control)->size(), QSize(100, 20));
    }
}

TEST(Label3DLayout, Phase3MovesBothCopiesAtOnceWithoutAResize)
{
    Label3D control;
    control.resizeTwips(1500, 300);
    control.show();
    ResizeCounter resizes;
    control.installEventFilter(&resizes);

    ASSERT_TRUE(control.setPhase(3));
    // No event loop has run: the setter laid the copies out itself.
    EXPECT_EQ(positionTwips(frontCopy(control)), QPoint(15, 15));
    EXPECT_EQ(positionTwips(backCopy(control)), QPoint(0, 0));
    EXPECT_EQ(resizes.count, 0);
    EXPECT_EQ(control.sizeTwips(), QSize(1500, 300));
}

TEST(Label3DLayout, Phase7IsKeptAndMovesNothing)
{
    Label3D control;
    control.resizeTwips(1500, 300);
    control.setPhase(1);
    const QPoint back = backCopy(control)->pos();
    const QPoint front = frontCopy(control)->pos();

    ASSERT_TRUE(control.setPhase(7));
    EXPECT_EQ(control.phase(), 7);
    EXPECT_EQ(backCopy(control)->pos(), back);
    EXPECT_EQ(frontCopy(control)->pos(), front);

    // A resize still gives the copies the full size, and still leaves them
    // where they are.
    control.resizeTwips(3000, 600);
    EXPECT_EQ(frontCopy(control)->size(), QSize(200, 40));
    EXPECT_EQ(backCopy(control)->size(), QSize(200, 40));
    EXPECT_EQ(backCopy(control)->pos(), back);
    EXPECT_EQ(frontCopy(control)->pos(), front);
}

TEST(Label3DLayout, PhaseOutsideAByteIsRefused)
{
    Label3D control;
    control.setPhase(2);
    QSignalSpy changed(&control, &Label3D::propertyChanged);
    for (int phase : {-1, 256, 1000}) {
        SCOPED_TRACE(phase);
        EXPECT_FALSE(control.setPhase(phase));
        EXPECT_EQ(control.phase(), 2);
    }
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(control.setPhase(255));
    EXPECT_EQ(control.phase(), 255);
}
