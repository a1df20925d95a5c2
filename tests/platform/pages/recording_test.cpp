// Recorded drawings: placed in their box on every device, vector in PDF.

#include "platform/pages/engine.h"
#include "platform/pages/pagecodec.h"

#include <QPainter>
#include <QPicture>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pages;

namespace {

constexpr QRgb Fill = 0xff1e3c5a;

// A 100 x 40 frame: its left half filled, a word in the right half.
QPicture halfFilled()
{
    QPicture picture;
    QPainter painter(&picture);
    painter.fillRect(QRectF(0, 0, 50, 40), QColor::fromRgb(Fill));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(10);
    painter.setFont(font);
    painter.drawText(QPointF(55, 25), QStringLiteral("Υπόλοιπο"));
    return picture;
}

void writeRecording(Engine &engine, const QRect &box)
{
    engine.StartDoc();
    engine.setX1(box.left());
    engine.setY1(box.top());
    engine.setX2(box.right());
    engine.setY2(box.bottom());
    engine.DrawRecording(halfFilled(), QSizeF(100, 40));
    engine.EndDoc();
}

TEST(Recording, FillsItsBoxOnTheScreenImage)
{
    Engine engine;
    const QRect box(QPoint(1500, 3000), QPoint(7500, 5400));  // 400 x 160 pixels at 15 twips each
    writeRecording(engine, box);
    ASSERT_EQ(engine.PageCount(), 1);
    const auto items = engine.document().page(1)->itemsWithRole(ItemRole::Drawing);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->kind, ItemKind::Recording);
    EXPECT_EQ(items[0]->rect, box);

    const QImage page = engine.Picture();
    const auto pixel = [&page](int xTwips, int yTwips) { return page.pixel(xTwips / 15, yTwips / 15); };
    // The filled half reaches from the box's left edge to its middle, scaled.
    EXPECT_EQ(pixel(1500 + 150, 4200), Fill);
    EXPECT_EQ(pixel(4500 - 150, 4200), Fill);
    EXPECT_EQ(pixel(4500 + 300, 3000 + 150), qRgb(255, 255, 255));
    EXPECT_EQ(pixel(1500 - 300, 4200), qRgb(255, 255, 255));
    EXPECT_EQ(pixel(1500 + 150, 5400 + 300), qRgb(255, 255, 255));
}

TEST(Recording, StaysTextAndInPlaceInPdf)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("recording.pdf"));
    Engine engine;
    writeRecording(engine, QRect(QPoint(1500, 3000), QPoint(7500, 5400)));
    ASSERT_TRUE(engine.WritePdf(pdf));

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(20000));
    EXPECT_TRUE(QString::fromUtf8(text.readAllStandardOutput()).contains(QStringLiteral("Υπόλοιπο")));

    // The fill lands where the preview shows it (a device of another
    // resolution must not scale the drawing off the page).
    QProcess image;
    const QString png = dir.filePath(QStringLiteral("page"));
    image.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                                             QStringLiteral("-singlefile"), pdf, png});
    ASSERT_TRUE(image.waitForFinished(20000));
    const QImage page(png + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    const QColor inside = page.pixelColor(1800 / 15, 4200 / 15);
    EXPECT_NEAR(inside.red(), qRed(Fill), 3);
    EXPECT_NEAR(inside.blue(), qBlue(Fill), 3);
    EXPECT_EQ(page.pixelColor(1200 / 15, 4200 / 15), QColor(Qt::white));
}

TEST(Recording, NothingIsAddedWithoutABoxOrCommands)
{
    Engine engine;
    engine.StartDoc();
    engine.setX1(100);
    engine.setY1(100);
    engine.setX2(100);   // no width
    engine.setY2(900);
    engine.DrawRecording(halfFilled(), QSizeF(100, 40));
    engine.setX2(900);
    engine.DrawRecording(QPicture(), QSizeF(100, 40));
    engine.DrawRecording(halfFilled(), QSizeF());
    engine.EndDoc();
    for (const Page &page : engine.document().pages)
        EXPECT_TRUE(page.itemsWithRole(ItemRole::Drawing).empty());
}

} // namespace

// Long documents keep their pages packed; a chart must come back from packing
// whole, or the preview of a long report would lose it after a few pages.
TEST(Recording, SurvivesPackingOfThePage)
{
    Engine engine;
    writeRecording(engine, QRect(QPoint(1500, 3000), QPoint(7500, 5400)));
    const Page &page = *engine.document().page(1);
    const Page unpacked = unpackPage(packPage(page));
    const auto items = unpacked.itemsWithRole(ItemRole::Drawing);
    ASSERT_EQ(items.size(), 1u);
    ASSERT_TRUE(bool(items[0]->recording));
    EXPECT_EQ(items[0]->recording->frame, QSizeF(100, 40));
    EXPECT_EQ(unpacked, page);
}
