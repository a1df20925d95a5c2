// Text flow, page frame, header and footer.

#include "platform/pages/engine.h"

#include <gtest/gtest.h>

#include <map>

using namespace pages;

namespace {

// The shared page frame of the reports.
void pageFrame(Engine &engine)
{
    engine.setOrientation(0);
    engine.setMarginLeft(350);
    engine.setMarginRight(850);
    engine.setMarginTop(450);
    engine.setMarginBottom(850);
    engine.setFontName(QStringLiteral("Arial greek"));
    engine.setFontSize(10);
    engine.setHdrFontName(QStringLiteral("arial greek"));
    engine.setHdrFontSize(13);
    engine.setPaperSize(9);
}

TEST(PageFrame, MarginsWithUnitsAreTwips)
{
    Engine engine;
    EXPECT_TRUE(engine.setMarginLeft(QStringLiteral("2cm")));
    EXPECT_EQ(engine.MarginLeft(), 1134);
    EXPECT_TRUE(engine.setPropertyByName(QStringLiteral("margintop"), QStringLiteral("0.5cm")));
    EXPECT_EQ(engine.MarginTop(), 283);
    EXPECT_FALSE(engine.setMarginRight(QStringLiteral("wide")));
    EXPECT_EQ(engine.MarginRight(), 720);

    engine.StartDoc();
    engine.setText(QStringLiteral("Κείμενο"));
    engine.EndDoc();
    const PageItem *text = engine.document().page(1)->findText(QStringLiteral("Κείμενο"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->rect.left(), 1134);
}

TEST(PageFrame, MarginSetAfterStartDocBeforeOutputShapesTheFirstPage)
{
    Engine engine;
    pageFrame(engine);
    engine.StartDoc();
    engine.setText(QStringLiteral("\r"));  // nothing printed, only a line
    engine.setMarginLeft(QStringLiteral("0.5cm"));
    engine.setText(QStringLiteral("δεύτερη"));
    engine.EndDoc();
    EXPECT_EQ(engine.document().page(1)->findText(QStringLiteral("δεύτερη"))->rect.left(), 283);
}

struct PaperCase {
    int paper;
    int orientation;
    int width;
    int height;
};

class PaperSize : public ::testing::TestWithParam<PaperCase> {};

TEST_P(PaperSize, PageSizeFollowsPaperAndOrientation)
{
    const PaperCase c = GetParam();
    Engine engine;
    engine.setPaperSize(c.paper);
    engine.setOrientation(c.orientation);
    EXPECT_EQ(engine.PageWidth(), c.width);
    EXPECT_EQ(engine.PageHeight(), c.height);
    engine.StartDoc();
    engine.setText(QStringLiteral("x"));
    engine.EndDoc();
    EXPECT_EQ(engine.document().page(1)->size, QSize(c.width, c.height));
}

INSTANTIATE_TEST_SUITE_P(Papers, PaperSize,
                         ::testing::Values(PaperCase{9, 0, 11906, 16838}, PaperCase{9, 1, 16838, 11906},
                                           PaperCase{1, 0, 12240, 15840}, PaperCase{5, 1, 20160, 12240},
                                           PaperCase{8, 0, 16838, 23811}, PaperCase{11, 0, 8391, 11906}));

TEST(PageFrame, UnknownPaperKeepsTheSheetAndReportsAnError)
{
    Engine engine;
    engine.setPaperSize(9);
    engine.setPaperSize(9999);
    EXPECT_EQ(engine.PaperSize(), 9);
    EXPECT_EQ(engine.Error(), error::BadArgument);
}

TEST(Text, CarriageReturnEndsTheLine)
{
    Engine engine;
    engine.StartDoc();
    engine.setText(QStringLiteral("Σύνολο εσόδων 0\rΣυνολο εξόδων 0"));
    engine.EndDoc();
    const Page *page = engine.document().page(1);
    const PageItem *first = page->findText(QStringLiteral("Σύνολο εσόδων 0"));
    const PageItem *second = page->findText(QStringLiteral("Συνολο εξόδων 0"));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->rect.left(), second->rect.left());
    EXPECT_GT(second->baseline, first->baseline);
}

TEST(Text, ContinuesOnTheSameLineWithoutCarriageReturn)
{
    Engine engine;
    engine.StartDoc();
    engine.setText(QStringLiteral("Υπόλοιπο "));
    engine.setText(QStringLiteral("125"));
    engine.EndDoc();
    const Page *page = engine.document().page(1);
    const PageItem *label = page->findText(QStringLiteral("Υπόλοιπο "));
    const PageItem *value = page->findText(QStringLiteral("125"));
    ASSERT_TRUE(label && value);
    EXPECT_EQ(label->baseline, value->baseline);
    EXPECT_EQ(value->rect.left(), label->rect.right() + 1);
}

TEST(Text, LongTextWrapsInsideTheMargins)
{
    Engine engine;
    engine.setMarginLeft(1440);
    engine.setMarginRight(1440);
    QString words;
    for (int i = 0; i < 80; ++i)
        words += QStringLiteral("λέξη%1 ").arg(i);
    engine.StartDoc();
    engine.setParagraph(words);
    engine.EndDoc();
    const Page *page = engine.document().page(1);
    const auto body = page->itemsWithRole(ItemRole::Body);
    ASSERT_GT(body.size(), 2u);
    QString joined;
    for (const PageItem *item : body) {
        EXPECT_GE(item->rect.left(), 1440);
        EXPECT_LE(item->rect.right(), page->size.width() - 1440);
        joined += item->text + QLatin1Char(' ');
    }
    EXPECT_EQ(joined.simplified(), words.simplified());
}

TEST(Text, TextColorAppliesToWhatFollows)
{
    Engine engine;
    engine.StartDoc();
    engine.setTextColor(255);  // red, as the reports write it
    engine.setText(QStringLiteral("-10,00\r"));
    engine.setTextColor(0);
    engine.setText(QStringLiteral("10,00"));
    engine.EndDoc();
    const Page *page = engine.document().page(1);
    EXPECT_EQ(page->findText(QStringLiteral("-10,00"))->color, qRgb(255, 0, 0));
    EXPECT_EQ(page->findText(QStringLiteral("10,00"))->color, qRgb(0, 0, 0));
}

TEST(Text, BodyFontIsKeptAsNamed)
{
    Engine engine;
    engine.setFontName(QStringLiteral("courier new greek"));
    engine.setFontSize(11);
    engine.setFontBold(true);
    engine.StartDoc();
    engine.setText(QStringLiteral("Μετρητά"));
    engine.EndDoc();
    const PageItem *item = engine.document().page(1)->findText(QStringLiteral("Μετρητά"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->font, (FontSpec{QStringLiteral("courier new greek"), 11.0, true}));
}

TEST(Text, ParagraphAlignment)
{
    Engine engine;
    engine.setMarginLeft(1000);
    engine.setMarginRight(1000);
    engine.StartDoc();
    engine.setTextAlign(textalign::Right);
    engine.setParagraph(QStringLiteral("δεξιά"));
    engine.setTextAlign(textalign::Center);
    engine.setParagraph(QStringLiteral("κέντρο"));
    engine.EndDoc();
    const Page *page = engine.document().page(1);
    const int right = page->size.width() - 1000;
    EXPECT_EQ(page->findText(QStringLiteral("δεξιά"))->rect.right() + 1, right);
    const QRect centred = page->findText(QStringLiteral("κέντρο"))->rect;
    EXPECT_NEAR(centred.center().x(), (1000 + right) / 2, 2);
}

TEST(Text, JustifiedParagraphLinesReachTheRightEdgeButTheLastDoesNot)
{
    Engine engine;
    engine.setMarginLeft(1440);
    engine.setMarginRight(1440);
    engine.setTextAlign(textalign::Justify);
    QString words;
    for (int i = 0; i < 60; ++i)
        words += QStringLiteral("λέξη%1 ").arg(i * 7);
    engine.StartDoc();
    engine.setParagraph(words.trimmed());
    engine.EndDoc();
    const Page &page = *engine.document().page(1);
    std::map<int, int> rightOfLine;  // baseline -> right edge
    QStringList order;
    for (const PageItem *item : page.itemsWithRole(ItemRole::Body)) {
        rightOfLine[item->baseline] = std::max(rightOfLine[item->baseline], item->rect.right() + 1);
        order << item->text;
    }
    ASSERT_GE(rightOfLine.size(), 3u);
    const int edge = page.size.width() - 1440;
    for (auto it = rightOfLine.begin(); std::next(it) != rightOfLine.end(); ++it)
        EXPECT_NEAR(it->second, edge, 1);
    EXPECT_LT(rightOfLine.rbegin()->second, edge - 200);
    EXPECT_EQ(order.join(QLatin1Char(' ')), words.trimmed());
}

TEST(HeaderFooter, EveryPageHasItsNumberSetInThePageEvent)
{
    Engine engine;
    pageFrame(engine);
    int events = 0;
    QObject::connect(&engine, &Engine::EndPage, &engine, [&] { ++events; });
    // The report window sets the footer in a page event.
    QObject::connect(&engine, &Engine::PrepareFooter, &engine,
                     [&] { engine.setFooter(QStringLiteral("Σελίδα %d")); });
    engine.StartDoc();
    engine.setHeader(QStringLiteral("Κωδικοί κίνησης   Κεντρικό"));
    for (int i = 0; i < 200; ++i)
        engine.setText(QStringLiteral("γραμμή %1\r").arg(i));
    engine.EndDoc();
    const Document &doc = engine.document();
    ASSERT_GE(doc.pageCount(), 3);
    EXPECT_EQ(events, doc.pageCount());
    for (const Page &page : doc.pages) {
        EXPECT_EQ(page.texts(ItemRole::PageFooter), QStringList{QStringLiteral("Σελίδα %1").arg(page.number)});
        EXPECT_EQ(page.texts(ItemRole::PageHeader), QStringList{QStringLiteral("Κωδικοί κίνησης   Κεντρικό")});
        // The body stays between header and footer.
        const PageItem *footer = page.itemsWithRole(ItemRole::PageFooter).front();
        const PageItem *header = page.itemsWithRole(ItemRole::PageHeader).front();
        for (const PageItem *line : page.itemsWithRole(ItemRole::Body)) {
            EXPECT_GT(line->rect.top(), header->rect.bottom());
            EXPECT_LT(line->rect.bottom(), footer->rect.top());
        }
    }
}

TEST(HeaderFooter, LeadingBarCentresTheHeader)
{
    Engine engine;
    pageFrame(engine);
    engine.StartDoc();
    engine.setHeader(QStringLiteral("|Ανάλυση ταμείου της 05-12-2005   Κεντρικό"));
    engine.setText(QStringLiteral("x"));
    engine.EndDoc();
    const Page *page = engine.document().page(1);
    const auto headers = page->itemsWithRole(ItemRole::PageHeader);
    ASSERT_EQ(headers.size(), 1u);
    EXPECT_EQ(headers[0]->text, QStringLiteral("Ανάλυση ταμείου της 05-12-2005   Κεντρικό"));
    EXPECT_EQ(headers[0]->align, Align::Center);
    EXPECT_NEAR(headers[0]->rect.center().x(), (350 + page->size.width() - 850) / 2, 2);
    EXPECT_EQ(headers[0]->font.size, 13.0);
}

TEST(HeaderFooter, LeftCentreAndRightParts)
{
    Engine engine;
    engine.StartDoc();
    engine.setHeader(QStringLiteral("αριστερά|μέση|δεξιά"));
    engine.EndDoc();
    const Page *page = engine.document().page(1);
    EXPECT_EQ(page->findText(QStringLiteral("αριστερά"))->rect.left(), 720);
    EXPECT_EQ(page->findText(QStringLiteral("δεξιά"))->rect.right() + 1, page->size.width() - 720);
    EXPECT_EQ(page->findText(QStringLiteral("μέση"))->align, Align::Center);
}

TEST(Columns, NewColumnMovesToTheNextColumnThenToANewPage)
{
    Engine engine;
    engine.setColumns(2);
    engine.StartDoc();
    engine.setText(QStringLiteral("πρώτη"));
    engine.NewColumn();
    engine.setText(QStringLiteral("δεύτερη"));
    engine.NewColumn();
    engine.setText(QStringLiteral("τρίτη"));
    engine.EndDoc();
    const Document &doc = engine.document();
    ASSERT_EQ(doc.pageCount(), 2);
    const PageItem *first = doc.page(1)->findText(QStringLiteral("πρώτη"));
    const PageItem *second = doc.page(1)->findText(QStringLiteral("δεύτερη"));
    EXPECT_EQ(first->rect.top(), second->rect.top());
    EXPECT_GT(second->rect.left(), doc.page(1)->size.width() / 2);
    EXPECT_NE(doc.page(2)->findText(QStringLiteral("τρίτη")), nullptr);
}

TEST(Measure, WidthsAndHeightsInTwips)
{
    Engine engine;
    engine.setFontSize(10);
    engine.setMeasure(QStringLiteral("ΑΒΓ"));
    const int one = engine.TextWid();
    engine.setMeasure(QStringLiteral("ΑΒΓΑΒΓ"));
    EXPECT_NEAR(engine.TextWid(), 2 * one, 2);
    const int line = engine.TextHei();
    engine.setMeasure(QStringLiteral("α\rβ"));
    EXPECT_NEAR(engine.TextHei(), 2 * line, 2);

    engine.setMarginLeft(1440);
    engine.setMarginRight(1440);
    QString longText;
    for (int i = 0; i < 60; ++i)
        longText += QStringLiteral("κείμενο ");
    engine.setCalcParagraph(longText);
    EXPECT_GT(engine.TextHei(), 3 * line);
    EXPECT_LE(engine.TextWid(), engine.PageWidth() - 2 * 1440);
    EXPECT_FALSE(engine.Measuring());
    EXPECT_EQ(engine.PageCount(), 0);  // measuring writes nothing
}

TEST(Rtf, BasicStylingBecomesRuns)
{
    Engine engine;
    engine.StartDoc();
    engine.setTextRTF(QStringLiteral("{\\rtf1\\ansi\\ansicpg1253{\\fonttbl{\\f0 Arial;}}"
                                     "{\\colortbl;\\red255\\green0\\blue0;}"
                                     "\\b \\'d3\\'fd\\'ed\\'ef\\'eb\\'ef\\b0 \\cf1 red\\par ok}"));
    engine.EndDoc();
    const Page *page = engine.document().page(1);
    const PageItem *bold = page->findText(QStringLiteral("Σύνολο"));
    ASSERT_NE(bold, nullptr);
    EXPECT_TRUE(bold->font.bold);
    const PageItem *red = page->findTextContaining(QStringLiteral("red"));
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red->color, qRgb(255, 0, 0));
    EXPECT_FALSE(red->font.bold);
    const PageItem *next = page->findText(QStringLiteral("ok"));
    ASSERT_NE(next, nullptr);
    EXPECT_GT(next->baseline, bold->baseline);
}

}  // namespace
