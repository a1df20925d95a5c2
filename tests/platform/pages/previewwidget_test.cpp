// The preview: paging, zoom, mouse flags, events, and a picture of it.

#include "platform/pages/engine.h"
#include "platform/pages/widgets/previewwidget.h"
#include "platform/pages/widgets/abortwindow.h"
#include "platform/pages/widgets/printdialog.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QPrinter>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest/QTest>

#include <gtest/gtest.h>

using namespace pages;

namespace {

void writeReport(Engine &engine, int rows)
{
    QObject::connect(&engine, &Engine::PrepareFooter, &engine,
                     [&engine] { engine.setFooter(QStringLiteral("Σελίδα %d")); });
    engine.StartDoc();
    engine.setHeader(QStringLiteral("|Αποτελέσματα ταμείου   Κεντρικό"));
    const QString format = QStringLiteral(">1000|>1800|>1800|>1800|<2000");
    const QString header = QStringLiteral("α/α|Έσοδα|Έξοδα|Υπόλοιπο|Ημερομηνία");
    engine.setFontBold(true);
    engine.AddTable(format, header, QStringLiteral(" | | |"), rgb(255, 255, 220));
    engine.setFontBold(false);
    for (int i = 1; i <= rows; ++i)
        engine.AddTable(format, header, QStringLiteral("%1|1.000,00|250,00|750,00|05-12-2005").arg(i),
                        rgb(255, 255, 220), i % 2 ? rgb(222, 225, 225) : 0, true);
    engine.EndDoc();
}

int nonWhitePixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            if (qGray(image.pixel(x, y)) < 160)
                ++count;
        }
    }
    return count;
}

TEST(Preview, ShowsThePageOnViewAndPagesWithKeys)
{
    PreviewWidget preview;
    preview.resize(700, 900);
    Engine &engine = *preview.engine();
    engine.setZoom(0);
    writeReport(engine, 150);
    ASSERT_GE(engine.PageCount(), 3);
    preview.show();
    const QImage first = preview.grab().toImage();
    if (qEnvironmentVariableIsSet("KELVORA_PREVIEW_PNG")) {
        // For a person to look at: the whole page, and at full size.
        first.save(qEnvironmentVariable("KELVORA_PREVIEW_PNG"));
        engine.setZoom(100);
        preview.grab().toImage().save(qEnvironmentVariable("KELVORA_PREVIEW_PNG") + QStringLiteral(".100.png"));
        engine.setZoom(0);
    }
    EXPECT_GT(nonWhitePixels(first), 500);  // text, shades and lines are drawn

    QTest::keyClick(&preview, Qt::Key_PageDown);
    EXPECT_EQ(engine.PreviewPage(), 2);
    EXPECT_NE(preview.grab().toImage(), first);
    QTest::keyClick(&preview, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(engine.PreviewPage(), engine.PageCount());
    QTest::keyClick(&preview, Qt::Key_PageDown);
    EXPECT_EQ(engine.PreviewPage(), engine.PageCount());
}

TEST(Preview, ZoomFollowsTheEngineAndTheMouseWhenAllowed)
{
    PreviewWidget preview;
    preview.resize(600, 600);
    Engine &engine = *preview.engine();
    writeReport(engine, 10);
    preview.show();
    engine.setZoom(100);
    EXPECT_DOUBLE_EQ(preview.scale(), 1.0 / 15);
    engine.setZoom(0);
    EXPECT_LT(preview.scale(), 1.0 / 15);  // the whole A4 sheet fits 600 pixels

    engine.setZoom(100);
    engine.setMouseZoom(false);
    QTest::mouseClick(preview.viewport(), Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(engine.Zoom(), 100);
    engine.setMouseZoom(true);
    QTest::mouseClick(preview.viewport(), Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(engine.Zoom(), 150);
    QTest::mouseClick(preview.viewport(), Qt::RightButton, {}, QPoint(300, 300));
    EXPECT_EQ(engine.Zoom(), 100);
}

TEST(Preview, MouseAndKeysReachTheEngineEvents)
{
    PreviewWidget preview;
    preview.resize(400, 400);
    Engine &engine = *preview.engine();
    engine.setMouseZoom(false);
    int clicks = 0;
    int downs = 0;
    float downX = -1;
    QObject::connect(&engine, &Engine::Click, &engine, [&] { ++clicks; });
    QObject::connect(&engine, &Engine::MouseDown, &engine, [&](int button, int, float x, float) {
        downs += button == 1 ? 1 : 0;
        downX = x;
    });
    // A KeyDown handler that clears the key keeps the preview from paging.
    QObject::connect(&engine, &Engine::KeyDown, &engine, [](int &key, int &) {
        if (key == Qt::Key_PageDown)
            key = 0;
    });
    writeReport(engine, 150);
    preview.show();
    QTest::mouseClick(preview.viewport(), Qt::LeftButton, {}, QPoint(10, 20));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downs, 1);
    EXPECT_FLOAT_EQ(downX, 150.0f);  // twips
    QTest::keyClick(&preview, Qt::Key_PageDown);
    EXPECT_EQ(engine.PreviewPage(), 1);
}

TEST(Preview, WheelPastTheEndTurnsThePageOnlyWithMousePage)
{
    PreviewWidget preview;
    preview.resize(500, 500);
    Engine &engine = *preview.engine();
    engine.setZoom(0);  // the whole page: no scrolling room, the wheel turns pages
    writeReport(engine, 150);
    preview.show();
    auto wheelDown = [&] {
        QWheelEvent event(QPointF(250, 250), preview.viewport()->mapToGlobal(QPointF(250, 250)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(preview.viewport(), &event);
    };
    engine.setMousePage(false);
    wheelDown();
    EXPECT_EQ(engine.PreviewPage(), 1);
    engine.setMousePage(true);
    wheelDown();
    EXPECT_EQ(engine.PreviewPage(), 2);
}

TEST(Preview, BorderAppearanceAndEnabledFollowTheEngine)
{
    PreviewWidget preview;
    Engine &engine = *preview.engine();
    engine.setBorderStyle(0);
    EXPECT_EQ(preview.frameShape(), QFrame::NoFrame);
    engine.setBorderStyle(1);
    engine.setAppearance(0);
    EXPECT_EQ(preview.frameShape(), QFrame::Box);
    engine.setAppearance(1);
    EXPECT_EQ(preview.frameShadow(), QFrame::Sunken);
    engine.setEnabled(false);
    EXPECT_FALSE(preview.isEnabled());
}

TEST(PrintDialog, ThePlatformDialogCanBeCancelled)
{
    Engine engine;
    installPrintDialog(engine);
    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            sawDialog = true;
            dialog->reject();
        }
    });
    EXPECT_FALSE(engine.PrintDialog(0));
    EXPECT_TRUE(sawDialog);
}

}  // namespace

namespace {

TEST(AbortWindow, ShowsTheAbortTextsAndItsButtonStopsPrinting)
{
    QTemporaryDir dir;
    Engine engine;
    installAbortWindow(engine);
    writeReport(engine, 150);
    ASSERT_GE(engine.PageCount(), 3);
    engine.setAbortCaption(QStringLiteral("Εκτύπωση..."));
    engine.setAbortTextPage(QStringLiteral("Σελίδα %d από"));
    engine.printer().setOutputFormat(QPrinter::PdfFormat);
    engine.printer().setOutputFileName(dir.filePath(QStringLiteral("aborted.pdf")));
    QString title;
    QString label;
    QTimer::singleShot(0, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<QProgressDialog *>(widget); dialog && dialog->isVisible()) {
                title = dialog->windowTitle();
                label = dialog->labelText();
                dialog->cancel();
            }
        }
    });
    EXPECT_FALSE(engine.PrintDoc());
    EXPECT_EQ(engine.Error(), error::Cancelled);
    EXPECT_EQ(title, QStringLiteral("Εκτύπωση..."));
    EXPECT_TRUE(label.startsWith(QStringLiteral("Σελίδα 1 από %1").arg(engine.PageCount()))) << qPrintable(label);
}

TEST(AbortWindow, NotShownWhenSwitchedOff)
{
    QTemporaryDir dir;
    Engine engine;
    installAbortWindow(engine);
    engine.setAbortWindow(false);
    writeReport(engine, 20);
    engine.printer().setOutputFormat(QPrinter::PdfFormat);
    engine.printer().setOutputFileName(dir.filePath(QStringLiteral("quiet.pdf")));
    bool shown = false;
    QTimer::singleShot(0, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets())
            shown = shown || (qobject_cast<QProgressDialog *>(widget) && widget->isVisible());
    });
    EXPECT_TRUE(engine.PrintDoc());
    QApplication::processEvents();
    EXPECT_FALSE(shown);
}

}  // namespace
