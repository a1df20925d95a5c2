#include "label3d_test_support.h"

#include "controls/propertybag/property_bag.h"

#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using kelvora::Label3D;
using namespace label3dtest;

namespace {

// Where the glyphs of the caption are: the front copy painted alone on a
// transparent picture. Fully covered pixels are those with alpha 255.
QImage glyphs(QLabel *copy)
{
    QImage image(copy->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    copy->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

bool inked(const QImage &glyphs, QPoint at)
{
    return glyphs.rect().contains(at) && qAlpha(glyphs.pixel(at)) == 255;
}

bool blank(const QImage &glyphs, QPoint at)
{
    return !glyphs.rect().contains(at) || qAlpha(glyphs.pixel(at)) == 0;
}

} // namespace

// With the loading defaults the front copy is white and the back copy black,
// shifted one pixel by Phase.
TEST(Label3DPicture, FrontCopyWhiteWithTheBlackCopyShiftedByPhase)
{
    struct Case
    {
        int phase;
        QPoint front; // pixels within the control
        QPoint back;
    };
    const Case cases[] = {
        {0, {0, 0}, {1, 1}}, // black copy one pixel right and below
        {1, {1, 0}, {0, 1}},
        {2, {0, 1}, {1, 0}},
        {3, {1, 1}, {0, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.phase);
        // The ambient font is the container's; a large bold one gives the
        // caption many fully covered pixels.
        QWidget form;
        form.setFont(QFont(u"DejaVu Sans"_s, 22, QFont::Bold));
        auto *control = new Label3D(&form);
        control->readProperties(kelvora::PropertyBag{});
        control->resizeTwips(2400, 600);
        control->setPhase(c.phase);

        const QImage picture = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage ink = glyphs(frontCopy(*control));
        const QRgb face = QApplication::palette().color(QPalette::Button).rgb();
        ASSERT_NE(face, qRgb(255, 255, 255));

        int white = 0, black = 0, background = 0, wrong = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QPoint p(x, y);
                const QRgb seen = picture.pixel(p) & 0xFFFFFF;
                if (inked(ink, p - c.front)) {
                    ++white;
                    wrong += seen != 0xFFFFFF;
                } else if (inked(ink, p - c.back) && blank(ink, p - c.front)) {
                    ++black;
                    wrong += seen != 0x000000;
                } else if (blank(ink, p - c.front) && blank(ink, p - c.back)) {
                    ++background;
                    wrong += seen != (face & 0xFFFFFF);
                }
            }
        }
        EXPECT_GT(white, 100);
        EXPECT_GT(black, 30);
        EXPECT_GT(background, 1000);
        EXPECT_EQ(wrong, 0);
    }
}

TEST(Label3DPicture, BorderFramesTheFrontCopyAndLeavesTheTextInPlace)
{
    QWidget form;
    form.setFont(QFont(u"DejaVu Sans"_s, 22, QFont::Bold));
    auto *control = new Label3D(&form);
    control->readProperties(kelvora::PropertyBag{});
    control->resizeTwips(2400, 600);
    const QImage plain = glyphs(frontCopy(*control));
    control->setBorderStyle(Label3D::FixedSingle);
    const QImage framed = glyphs(frontCopy(*control));

    // Phase 0: the front copy covers the control from 0, 0, so its border is
    // the top, left and bottom edge of the picture, in the window-frame
    // colour; the back copy, one pixel in, has none of its own.
    const QImage picture = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb frame = kelvora::systemcolour::WindowFrame.toColor().rgb() & 0xFFFFFF;
    const QRgb face = QApplication::palette().color(QPalette::Button).rgb() & 0xFFFFFF;
    ASSERT_NE(frame, face);
    const int w = picture.width(), h = picture.height();
    for (int x = 0; x < w; ++x) {
        EXPECT_EQ(picture.pixel(x, 0) & 0xFFFFFF, frame) << x;
        EXPECT_EQ(picture.pixel(x, h - 1) & 0xFFFFFF, frame) << x;
    }
    for (int y = 0; y < h; ++y) {
        EXPECT_EQ(picture.pixel(0, y) & 0xFFFFFF, frame) << y;
        EXPECT_EQ(picture.pixel(w - 1, y) & 0xFFFFFF, frame) << y;
    }

    // The caption itself has not moved: away from the edges both pictures
    // of the front copy are the same, so the one-pixel shift stays.
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x)
            ASSERT_EQ(framed.pixel(x, y), plain.pixel(x, y)) << x << "," << y;
}
