// The engine's surface: access by name, actions, drawing, document life.

#include "platform/pages/engine.h"

#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pages;

namespace {

TEST(Surface, VersionIs200)
{
    Engine engine;
    EXPECT_EQ(engine.Version(), 200);
    EXPECT_EQ(engine.propertyByName(QStringLiteral("version")).toInt(), 200);
    EXPECT_FALSE(engine.setPropertyByName(QStringLiteral("Version"), 100));  // read-only
}

TEST(Surface, EveryListedPropertyIsReachableByName)
{
    const QStringList listed = {
        QStringLiteral("Font"), QStringLiteral("FontName"), QStringLiteral("FontBold"), QStringLiteral("FontItalic"),
        QStringLiteral("FontStrikethru"), QStringLiteral("FontUnderline"), QStringLiteral("FontSize"),
        QStringLiteral("Appearance"), QStringLiteral("BackColor"), QStringLiteral("BorderStyle"),
        QStringLiteral("AbortCaption"), QStringLiteral("AbortTextButton"), QStringLiteral("AbortTextDevice"),
        QStringLiteral("AbortTextPage"), QStringLiteral("AbortWindow"), QStringLiteral("AbortWindowPos"),
        QStringLiteral("Action"), QStringLiteral("BrushColor"), QStringLiteral("BrushStyle"),
        QStringLiteral("CalcParagraph"), QStringLiteral("CalcTable"), QStringLiteral("CalcText"),
        QStringLiteral("CalcTextRTF"), QStringLiteral("Collate"), QStringLiteral("ColorMode"),
        QStringLiteral("Columns"), QStringLiteral("Copies"), QStringLiteral("CurrentColumn"),
        QStringLiteral("CurrentLine"), QStringLiteral("CurrentPage"), QStringLiteral("CurrentX"),
        QStringLiteral("CurrentY"), QStringLiteral("Device"), QStringLiteral("DPI"), QStringLiteral("Draw"),
        QStringLiteral("Driver"), QStringLiteral("Duplex"), QStringLiteral("EmptyColor"), QStringLiteral("Error"),
        QStringLiteral("FileName"), QStringLiteral("Footer"), QStringLiteral("hDC"), QStringLiteral("HdrColor"),
        QStringLiteral("HdrFont"), QStringLiteral("HdrFontBold"), QStringLiteral("HdrFontItalic"),
        QStringLiteral("HdrFontStrikethru"), QStringLiteral("HdrFontUnderline"), QStringLiteral("HdrFontName"),
        QStringLiteral("HdrFontSize"), QStringLiteral("Header"), QStringLiteral("IndentFirst"),
        QStringLiteral("IndentLeft"), QStringLiteral("IndentRight"), QStringLiteral("IndentTab"),
        QStringLiteral("LineSpacing"), QStringLiteral("MarginBottom"), QStringLiteral("MarginLeft"),
        QStringLiteral("MarginRight"), QStringLiteral("MarginTop"), QStringLiteral("Measure"),
        QStringLiteral("Measuring"), QStringLiteral("MousePage"), QStringLiteral("MouseScroll"),
        QStringLiteral("MouseZoom"), QStringLiteral("NDevices"), QStringLiteral("NPorts"),
        QStringLiteral("Orientation"), QStringLiteral("PageBorder"), QStringLiteral("PageHeight"),
        QStringLiteral("PageWidth"), QStringLiteral("PaperBin"), QStringLiteral("PaperHeight"),
        QStringLiteral("PaperWidth"), QStringLiteral("PaperSize"), QStringLiteral("Paragraph"),
        QStringLiteral("PenColor"), QStringLiteral("PenStyle"), QStringLiteral("PenWidth"),
        QStringLiteral("PhysicalPage"), QStringLiteral("Picture"), QStringLiteral("Polygon"),
        QStringLiteral("Polyline"), QStringLiteral("Port"), QStringLiteral("Preview"), QStringLiteral("PreviewMode"),
        QStringLiteral("PreviewPage"), QStringLiteral("PrintQuality"), QStringLiteral("ScaleOutput"),
        QStringLiteral("SpaceAfter"), QStringLiteral("SpaceBefore"), QStringLiteral("Table"),
        QStringLiteral("TableBorder"), QStringLiteral("TableSep"), QStringLiteral("Text"), QStringLiteral("TextAlign"),
        QStringLiteral("TextAngle"), QStringLiteral("TextColor"), QStringLiteral("TextHei"), QStringLiteral("TextWid"),
        QStringLiteral("TextRTF"), QStringLiteral("TrueType"), QStringLiteral("TwipsPerPixelX"),
        QStringLiteral("TwipsPerPixelY"), QStringLiteral("WhatsThisHelpID"), QStringLiteral("X1"),
        QStringLiteral("X2"), QStringLiteral("Y1"), QStringLiteral("Y2"), QStringLiteral("Zoom"),
        QStringLiteral("Version"), QStringLiteral("Enabled"), QStringLiteral("RenderControl")};
    Engine engine;
    const QStringList names = Engine::propertyNames();
    for (const QString &name : listed) {
        EXPECT_TRUE(names.contains(name)) << qPrintable(name);
        EXPECT_TRUE(engine.propertyByName(name.toLower()).isValid()) << qPrintable(name);
    }
    for (const char *indexed : {"Devices", "Ports", "PaperBins", "PaperSizes"})
        EXPECT_TRUE(engine.indexedProperty(QString::fromLatin1(indexed), 9).isValid()
                    || QString::fromLatin1(indexed) == u"Devices" || QString::fromLatin1(indexed) == u"Ports")
            << indexed;
    EXPECT_TRUE(engine.indexedProperty(QStringLiteral("PaperSizes"), 9).toBool());
}

TEST(Surface, ByNameWritesConvert)
{
    Engine engine;
    EXPECT_TRUE(engine.setPropertyByName(QStringLiteral("MarginLeft"), QStringLiteral("2cm")));
    EXPECT_EQ(engine.MarginLeft(), 1134);
    EXPECT_TRUE(engine.setPropertyByName(QStringLiteral("TextColor"), 255));
    EXPECT_EQ(engine.TextColor(), 255u);
    EXPECT_TRUE(engine.setPropertyByName(QStringLiteral("EmptyColor"), int(0x8000000C)));
    EXPECT_EQ(engine.EmptyColor(), 0x8000000Cu);
    EXPECT_TRUE(engine.setPropertyByName(QStringLiteral("MouseZoom"), 0));
    EXPECT_FALSE(engine.MouseZoom());
    EXPECT_TRUE(engine.setPropertyByName(QStringLiteral("header"), QStringLiteral("|Τίτλος")));
    EXPECT_EQ(engine.Header(), QStringLiteral("|Τίτλος"));
    EXPECT_FALSE(engine.setPropertyByName(QStringLiteral("NoSuchThing"), 1));
    EXPECT_FALSE(engine.setPropertyByName(QStringLiteral("Zoom"), QStringLiteral("big")));
}

TEST(Surface, RestoredSettingsReadBackAsWritten)
{
    // A host keeps the engine's settings and writes them back by name; each
    // must come back as it was written, or the host would store changes
    // nobody made.
    const std::vector<std::pair<const char *, QVariant>> settings = {
        {"Preview", false},          {"ColorMode", 0},        {"AbortCaption", QString()},
        {"Copies", 0},               {"IndentTab", 0},        {"Zoom", 0},
        {"PaperBin", 1},             {"Duplex", 1},           {"Collate", 0},
        {"TrueType", 1},             {"ScaleOutput", 0},      {"LineSpacing", 100},
        {"PageBorder", 3},           {"TableBorder", 7},      {"Columns", 1},
        {"MarginTop", 720},          {"MousePage", false},    {"AbortWindow", false},
        {"AbortWindowPos", 1},       {"PreviewMode", 0},      {"SpaceAfter", 120},
        {"IndentFirst", -200},       {"TextAngle", 900},      {"PhysicalPage", true},
        {"Footer", QStringLiteral("Σελίδα %d")}, {"HdrFontName", QStringLiteral("arial greek")},
        {"HdrFontSize", 13.0},       {"FontName", QStringLiteral("courier new greek")},
        {"FontItalic", true},        {"EmptyColor", 0x8000000Cu}, {"BackColor", 0xFFFFFFu},
        {"PenWidth", 30},            {"BrushStyle", 6},       {"WhatsThisHelpID", 17},
        {"TableSep", QStringLiteral(";\n")},
    };
    Engine engine;
    for (const auto &[name, value] : settings) {
        const QString key = QString::fromLatin1(name);
        ASSERT_TRUE(engine.setPropertyByName(key, value)) << name;
        EXPECT_EQ(engine.propertyByName(key), value) << name;
    }
}

TEST(Surface, MethodsByNameWithMissingArguments)
{
    Engine engine;
    EXPECT_TRUE(engine.invokeByName(QStringLiteral("startdoc"), {}).toBool());
    engine.invokeByName(QStringLiteral("AddTable"),
                        {QStringLiteral("1000|>1000"), QStringLiteral("α|β"), QStringLiteral("1|2")});
    engine.invokeByName(QStringLiteral("DrawLine"), {100, 100, 500, 500});
    engine.invokeByName(QStringLiteral("DrawLine"), {900, 100});  // continues from the last end
    engine.invokeByName(QStringLiteral("EndDoc"), {});
    const Page &page = *engine.document().page(1);
    EXPECT_NE(page.findText(QStringLiteral("2")), nullptr);
    const auto lines = page.itemsWithRole(ItemRole::Drawing);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1]->rect.topLeft(), QPoint(500, 500));
    EXPECT_EQ(lines[1]->rect.bottomRight(), QPoint(900, 100));
    EXPECT_FALSE(engine.invokeByName(QStringLiteral("Explode"), {}).isValid());
}

TEST(Surface, EmptyContentOutsideADocumentStartsNothing)
{
    // A host restoring saved settings writes empty Text, Paragraph, Table and Draw.
    Engine engine;
    engine.setText(QString());
    engine.setParagraph(QString());
    engine.setTable(QString());
    engine.setDraw(0);
    engine.setCurrentX(100);
    EXPECT_FALSE(engine.isDocOpen());
    EXPECT_EQ(engine.PageCount(), 0);
}

TEST(Document, ActionsDriveTheDocument)
{
    Engine engine;
    engine.setAction(action::StartDoc);
    EXPECT_TRUE(engine.isDocOpen());
    engine.setText(QStringLiteral("ένα"));
    engine.setAction(action::NewPage);
    engine.setText(QStringLiteral("δύο"));
    engine.setAction(action::EndDoc);
    EXPECT_FALSE(engine.isDocOpen());
    EXPECT_EQ(engine.PageCount(), 2);
    EXPECT_NE(engine.document().page(2)->findText(QStringLiteral("δύο")), nullptr);
    engine.setAction(action::KillDoc);
    EXPECT_EQ(engine.PageCount(), 0);
}

TEST(Document, PageEventsInOrder)
{
    Engine engine;
    QStringList events;
    QObject::connect(&engine, &Engine::PrepareHeader, &engine, [&] { events << QStringLiteral("header"); });
    QObject::connect(&engine, &Engine::PrepareFooter, &engine, [&] { events << QStringLiteral("footer"); });
    QObject::connect(&engine, &Engine::EndPage, &engine, [&] { events << QStringLiteral("end"); });
    QObject::connect(&engine, &Engine::ResetDC, &engine, [&] { events << QStringLiteral("reset"); });
    engine.StartDoc();
    engine.setText(QStringLiteral("α"));
    engine.NewPage();
    engine.setText(QStringLiteral("β"));
    engine.EndDoc();
    EXPECT_EQ(events, (QStringList{QStringLiteral("header"), QStringLiteral("footer"), QStringLiteral("end"),
                                   QStringLiteral("reset"), QStringLiteral("header"), QStringLiteral("footer"),
                                   QStringLiteral("end")}));
}

TEST(Document, WithoutPreviewEndDocPrints)
{
    QTemporaryDir dir;
    Engine engine;
    engine.setPreview(false);
    const QString path = dir.filePath(QStringLiteral("direct.pdf"));
    engine.printer().setOutputFormat(QPrinter::PdfFormat);
    engine.printer().setOutputFileName(path);
    engine.StartDoc();
    engine.setText(QStringLiteral("κατευθείαν"));
    engine.EndDoc();
    EXPECT_TRUE(QFile::exists(path));
}

TEST(Document, PreviewPageStaysInsideTheDocument)
{
    Engine engine;
    engine.StartDoc();
    engine.NewPage();
    engine.NewPage();
    engine.EndDoc();
    engine.setPreviewPage(9);
    EXPECT_EQ(engine.PreviewPage(), 3);
    engine.setPreviewPage(0);
    EXPECT_EQ(engine.PreviewPage(), 1);
    EXPECT_EQ(engine.Picture().size(), QSize(qRound(engine.PageWidth() / 15.0), qRound(engine.PageHeight() / 15.0)));
}

TEST(Drawing, ShapesUsePenAndBrush)
{
    Engine engine;
    engine.setPenColor(rgb(0, 0, 255));
    engine.setPenWidth(30);
    engine.setBrushColor(rgb(255, 0, 0));
    engine.StartDoc();
    engine.DrawRectangle(3000, 2000, 1000, 1000, 100);
    engine.setBrushStyle(1);  // transparent
    engine.DrawCircle(5000, 5000, 500);
    engine.setPolygon(QStringLiteral("0 0 100 0 100 100"));
    engine.setX1(10);
    engine.setY1(20);
    engine.setX2(30);
    engine.setY2(40);
    engine.setDraw(drawobject::Line);
    engine.EndDoc();
    const auto shapes = engine.document().page(1)->itemsWithRole(ItemRole::Drawing);
    ASSERT_EQ(shapes.size(), 4u);
    EXPECT_EQ(shapes[0]->rect, QRect(QPoint(1000, 1000), QPoint(3000, 2000)));
    EXPECT_EQ(shapes[0]->fill, qRgb(255, 0, 0));
    EXPECT_EQ(shapes[0]->color, qRgb(0, 0, 255));
    EXPECT_EQ(shapes[0]->penWidth, 30);
    EXPECT_EQ(shapes[0]->radiusX, 100);
    EXPECT_EQ(shapes[1]->kind, ItemKind::Ellipse);
    EXPECT_EQ(shapes[1]->rect, QRect(QPoint(4500, 4500), QPoint(5500, 5500)));
    EXPECT_EQ(qAlpha(shapes[1]->fill), 0);
    EXPECT_EQ(shapes[2]->points.size(), 3);
    EXPECT_EQ(shapes[3]->rect.topLeft(), QPoint(10, 20));
    EXPECT_EQ(shapes[3]->rect.bottomRight(), QPoint(30, 40));
}

}  // namespace
