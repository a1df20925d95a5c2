// The control's settings in a host's form file: what is loaded, in which
// order, with which defaults, and what is saved.
#include "prynex/property_table.h"
#include "prynex/prynex_persistence.h"
#include "prynex_test_support.h"

#include "controls/propertybag/property_bag.h"
#include "controls/propertybag/property_bag_text.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

kelvora::PropertyBag saved(const Prynex &control)
{
    kelvora::PropertyBag bag;
    prynex::writeProperties(control, bag);
    return bag;
}

}  // namespace

TEST(PrynexPersistence, VersionReadsTheControlsWhileTheFormKeepsTheEngines)
{
    Prynex control;
    EXPECT_EQ(control.Version(), 100);
    // The engine's 200 is the entry's default, so nothing is stored; the
    // control's 100 would have been.
    EXPECT_FALSE(saved(control).contains(u"Version"_s));
    ASSERT_TRUE(control.loadForm(u"Version = 5\nMarginLeft = 1000\n"_s));
    EXPECT_EQ(control.Version(), 100);
    EXPECT_EQ(engineOf(control).Version(), 200) << "the engine refuses the entry";
    EXPECT_EQ(control.MarginLeft(), 1000) << "loading goes on after a refused entry";
}

TEST(PrynexPersistence, ValuesAwayFromTheirDefaultsComeBack)
{
    Prynex original;
    original.setPreview(false);
    original.setPropertyByName(u"ColorMode"_s, 0);
    original.setAbortCaption(QString());
    original.setMarginLeft(1134);
    original.setHeader(u"|Κεντρικό"_s);
    original.setBackColor(QColor(10, 20, 30));
    original.setPropertyByName(u"FontSize"_s, 9.75);
    const QString form = original.saveForm();
    EXPECT_TRUE(form.contains(u"Preview = False"_s)) << form.toStdString();
    EXPECT_TRUE(form.contains(u"AbortCaption = \"\""_s));

    Prynex loaded;
    ASSERT_TRUE(loaded.loadForm(form));
    EXPECT_FALSE(loaded.Preview());
    EXPECT_EQ(loaded.propertyByName(u"ColorMode"_s).toInt(), 0);
    EXPECT_EQ(loaded.AbortCaption(), QString());
    EXPECT_EQ(loaded.MarginLeft(), 1134);
    EXPECT_EQ(loaded.Header(), u"|Κεντρικό"_s);
    EXPECT_EQ(loaded.BackColor(), 10u | 20u << 8 | 30u << 16);
    EXPECT_DOUBLE_EQ(loaded.propertyByName(u"FontSize"_s).toDouble(), 9.75);
    EXPECT_EQ(loaded.saveForm(), form);
}

TEST(PrynexPersistence, AFormWithoutEntriesLoadsTheDefaults)
{
    Prynex control;
    // Away from every default first, so loading has to set them.
    control.setMarginLeft(1);
    control.setMarginRight(2);
    control.setMarginTop(3);
    control.setMarginBottom(4);
    control.setLineSpacing(150);
    control.setPageBorder(0);
    control.setTableBorder(1);
    control.setColumns(3);
    control.setBorderStyle(0);
    control.setBackColor(0);
    control.setAbortCaption(u"x"_s);
    control.setAbortTextButton(u"x"_s);
    control.setAbortTextDevice(u"x"_s);
    control.setAbortTextPage(u"x"_s);
    QSignalSpy changed(&control, &Prynex::propertyChanged);
    ASSERT_TRUE(control.loadForm(QString()));
    EXPECT_TRUE(changed.isEmpty()) << "loading a form changes nothing the host must save";

    for (int margin : {control.MarginLeft(), control.MarginRight(), control.MarginTop(), control.MarginBottom()})
        EXPECT_EQ(margin, 720);
    EXPECT_EQ(control.LineSpacing(), 100);
    EXPECT_EQ(control.PageBorder(), 3);
    EXPECT_EQ(control.TableBorder(), 7);
    EXPECT_EQ(control.Columns(), 1);
    EXPECT_EQ(control.BorderStyle(), 1);
    EXPECT_EQ(control.BackColor(), 0xFFFFFFu);
    EXPECT_EQ(control.AbortCaption(), u"Printing..."_s);
    EXPECT_EQ(control.AbortTextButton(), u"Cancel"_s);
    EXPECT_EQ(control.AbortTextDevice(), u"on the %s on %s"_s);
    EXPECT_EQ(control.AbortTextPage(), u"Now Printing Page %d of"_s);
    EXPECT_EQ(control.EmptyColor(), 0x8000000Cu);

    // Saved at all its defaults, the form keeps no loaded entry, except the
    // few whose default the engine cannot hold: it always has a real paper
    // size, a page on view from 1 and named fonts of some size.
    const QStringList engineKeepsItsOwn = {u"PaperHeight"_s, u"PaperWidth"_s, u"PreviewPage"_s, u"FontName"_s,
                                           u"FontSize"_s, u"HdrFontName"_s, u"HdrFontSize"_s};
    const kelvora::PropertyBag bag = saved(control);
    for (const prynex::PropertyInfo &info : prynex::propertyTable())
        if (info.loaded() && !engineKeepsItsOwn.contains(info.qName())) {
            EXPECT_FALSE(bag.contains(info.qName())) << info.name;
        }
}

TEST(PrynexPersistence, ContentMembersAlwaysLoadTheirEmptyDefaults)
{
    Prynex control;
    control.StartDoc();
    control.setPropertyByName(u"X1"_s, 100);
    control.setPropertyByName(u"Y1"_s, 100);
    control.setPropertyByName(u"X2"_s, 2000);
    control.setPropertyByName(u"Y2"_s, 2000);
    // A form that (wrongly) holds content: loading must not print any of it.
    ASSERT_TRUE(control.loadForm(u"Text = \"Hello\"\nParagraph = \"Para\"\nTable = \"<1000\\rH\\rcell\"\n"
                                 "Draw = 2\nX1 = 100\nY1 = 100\nX2 = 2000\nY2 = 2000\n"_s));
    control.setText(u"after"_s);
    control.EndDoc();
    const pages::Document &document = engineOf(control).document();
    ASSERT_EQ(document.pageCount(), 1);
    EXPECT_EQ(document.page(1)->texts(pages::ItemRole::Body), QStringList{u"after"_s});
    EXPECT_EQ(document.tableCount(), 0);
    EXPECT_TRUE(document.page(1)->itemsWithRole(pages::ItemRole::Drawing).empty());
}

TEST(PrynexPersistence, SingleFontMembersWinOverTheFontObjects)
{
    Prynex control;
    ASSERT_TRUE(control.loadForm(
        u"Font = Font(\"Liberation Serif\", 14, Bold=True)\nFontBold = False\nFontSize = 11\n"
        "HdrFont = Font(\"Liberation Mono\", 9, Italic=True)\nHdrFontName = \"Liberation Sans\"\n"_s));
    EXPECT_EQ(control.propertyByName(u"FontName"_s).toString(), u"Liberation Serif"_s);
    EXPECT_FALSE(control.propertyByName(u"FontBold"_s).toBool());
    EXPECT_DOUBLE_EQ(control.propertyByName(u"FontSize"_s).toDouble(), 11);
    EXPECT_EQ(control.propertyByName(u"HdrFontName"_s).toString(), u"Liberation Sans"_s);
    EXPECT_FALSE(control.propertyByName(u"HdrFontItalic"_s).toBool()) << "the missing single member's default wins";
}

TEST(PrynexPersistence, AnEntryOfTheWrongKindLoadsItsDefault)
{
    Prynex control;
    control.setColumns(4);
    control.setZoom(75);
    ASSERT_TRUE(control.loadForm(u"Columns = \"two\"\nZoom = 60\n"_s));
    EXPECT_EQ(control.Columns(), 1);
    EXPECT_EQ(control.Zoom(), 60);
    QString error;
    EXPECT_FALSE(control.loadForm(u"Zoom = ?\n"_s, &error)) << "not a form text at all";
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(control.Zoom(), 60);
}

TEST(PrynexPersistence, OnlySavedEntriesAwayFromTheirDefaultsAreStored)
{
    Prynex control;
    ASSERT_TRUE(control.loadForm(QString()));
    control.setMarginLeft(1000);
    control.setPropertyByName(u"Action"_s, 0);
    control.setPropertyByName(u"Text"_s, u"written"_s);
    const kelvora::PropertyBag bag = saved(control);
    EXPECT_EQ(bag.readInteger(u"MarginLeft"_s, 0), 1000);
    EXPECT_FALSE(bag.contains(u"MarginTop"_s));
    for (const char *never : {"Action", "Text", "Paragraph", "Picture", "Devices", "RenderControl"})
        EXPECT_FALSE(bag.contains(QString::fromLatin1(never))) << never;
    // Saved-only entries come from the engine.
    EXPECT_EQ(bag.readInteger(u"PageWidth"_s, 0), engineOf(control).PageWidth());
}
