// The preview's tool bar and its keys, driven by key events offscreen.

#include "platform/pages/engine.h"
#include "platform/pages/widgets/previewtoolbar.h"
#include "platform/pages/widgets/previewwidget.h"

#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QScrollBar>
#include <QtTest/QTest>

#include <gtest/gtest.h>

using namespace pages;

namespace {

class PreviewToolBarTest : public ::testing::Test
{
protected:
    PreviewToolBarTest()
    {
        preview = new PreviewWidget(&window);
        window.setCentralWidget(preview);
        bar = new PreviewToolBar(preview, &window);
        window.addToolBar(bar);
        window.resize(900, 700);
        Engine &engine = *preview->engine();
        engine.StartDoc();
        for (int i = 1; i <= 300; ++i)
            engine.AddTable(QStringLiteral("1000|3000"), QStringLiteral("α/α|Περιγραφή"),
                            QStringLiteral("%1|Γραμμή").arg(i), 0, 0, i > 1);
        engine.EndDoc();
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        preview->setFocus();
    }
    Engine &engine() { return *preview->engine(); }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(preview, Qt::Key(k), mods); }

    QMainWindow window;
    PreviewWidget *preview = nullptr;
    PreviewToolBar *bar = nullptr;
};

TEST_F(PreviewToolBarTest, KeysTurnThePagesAndThePageBoxFollows)
{
    const int count = engine().PageCount();
    ASSERT_GE(count, 5);
    EXPECT_EQ(bar->pageBox()->text(), QStringLiteral("1 / %1").arg(count));
    key(Qt::Key_PageDown);
    key(Qt::Key_PageDown);
    EXPECT_EQ(engine().PreviewPage(), 3);
    EXPECT_EQ(bar->pageBox()->text(), QStringLiteral("3 / %1").arg(count));
    key(Qt::Key_PageUp);
    EXPECT_EQ(engine().PreviewPage(), 2);
    key(Qt::Key_End);
    EXPECT_EQ(engine().PreviewPage(), count);
    key(Qt::Key_PageDown);  // past the last page it stays there
    EXPECT_EQ(engine().PreviewPage(), count);
    key(Qt::Key_Home);
    EXPECT_EQ(engine().PreviewPage(), 1);
    key(Qt::Key_PageUp);
    EXPECT_EQ(engine().PreviewPage(), 1);

    bar->action(QStringLiteral("lastPage"))->trigger();
    EXPECT_EQ(engine().PreviewPage(), count);
    bar->action(QStringLiteral("firstPage"))->trigger();
    bar->action(QStringLiteral("nextPage"))->trigger();
    EXPECT_EQ(engine().PreviewPage(), 2);
}

TEST_F(PreviewToolBarTest, ThePageBoxTakesANumber)
{
    const int count = engine().PageCount();
    QLineEdit *box = bar->pageBox();
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("4"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(engine().PreviewPage(), 4);
    EXPECT_EQ(box->text(), QStringLiteral("4 / %1").arg(count));
    // A number past the end goes to the last page; text that is no number stays where it was.
    box->setText(QStringLiteral("9999"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(engine().PreviewPage(), count);
    box->setText(QStringLiteral("δύο"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(engine().PreviewPage(), count);
    EXPECT_EQ(box->text(), QStringLiteral("%1 / %1").arg(count));
}

TEST_F(PreviewToolBarTest, ZoomFromTheKeysAndThePageStaysCentred)
{
    engine().setZoom(100);
    key(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(engine().Zoom(), 125);
    key(Qt::Key_Plus, Qt::ControlModifier);
    const int zoomedIn = engine().Zoom();
    EXPECT_GT(zoomedIn, 125);
    // Scrolled to the right edge of a page wider than the view ...
    preview->horizontalScrollBar()->setValue(preview->horizontalScrollBar()->maximum());
    key(Qt::Key_Minus, Qt::ControlModifier);
    key(Qt::Key_Minus, Qt::ControlModifier);
    key(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_LT(engine().Zoom(), 100);
    // ... zoomed out until it fits: the sheet stands in the middle of the view.
    const QImage shot = preview->viewport()->grab().toImage();
    int left = -1, right = -1;
    const int y = shot.height() / 3;
    const QRgb background = shot.pixel(2, y);
    for (int x = 0; x < shot.width(); ++x)
        if (shot.pixel(x, y) != background) {
            if (left < 0)
                left = x;
            right = x;
        }
    ASSERT_GE(left, 0);
    EXPECT_NEAR(left, shot.width() - 1 - right, 8) << "sheet from " << left << " to " << right;

    bar->action(QStringLiteral("fitPage"))->trigger();
    EXPECT_EQ(engine().Zoom(), 0);
    bar->action(QStringLiteral("fitWidth"))->trigger();
    const double widthOnScreen = engine().PageWidth() * preview->scale();
    EXPECT_LE(widthOnScreen, preview->viewport()->width());
    EXPECT_GT(widthOnScreen, preview->viewport()->width() - 60);
}

// A long document on view while it is written: the page box counts the
// pages as they are finished, before the document ends.
TEST(PreviewWhileBuilding, ThePageBoxGrowsWithTheDocument)
{
    QMainWindow window;
    auto *preview = new PreviewWidget(&window);
    window.setCentralWidget(preview);
    auto *bar = new PreviewToolBar(preview, &window);
    window.addToolBar(bar);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Engine &engine = *preview->engine();
    engine.StartDoc();
    QList<int> counts;
    for (int i = 1; i <= 400; ++i) {
        engine.AddTable(QStringLiteral("1000|3000"), QStringLiteral("α/α|Περιγραφή"), QStringLiteral("%1|Γραμμή").arg(i),
                        0, 0, i > 1);
        if (i % 50 == 0) {
            QCoreApplication::processEvents();
            const QStringList parts = bar->pageBox()->text().split(QStringLiteral(" / "));
            ASSERT_EQ(parts.size(), 2);
            EXPECT_EQ(parts[0], QStringLiteral("1"));
            counts << parts[1].toInt();
        }
    }
    const int before = engine.PageCount();
    engine.EndDoc();
    ASSERT_GE(before, 5);
    EXPECT_GE(counts.last(), before - 1);
    for (qsizetype i = 1; i < counts.size(); ++i)
        EXPECT_GE(counts[i], counts[i - 1]);
    EXPECT_GT(counts.last(), counts.first() + 2);
    EXPECT_EQ(bar->pageBox()->text(), QStringLiteral("1 / %1").arg(engine.PageCount()));
}

} // namespace
