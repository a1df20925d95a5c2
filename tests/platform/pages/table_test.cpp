// Tables: column geometry from the format, shades, pagination.

#include "platform/pages/engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace pages;

namespace {

const QString DayFormat = QStringLiteral("^1100|^1000|<4000|>1500|>1500");
const QString DayHeader = QStringLiteral("  α/α|Κωδ.|Περιγραφή|Εσοδα|Εξοδα");
constexpr ColorRef Grey = rgb(222, 225, 225);
constexpr ColorRef Yellow = rgb(255, 255, 0);

std::vector<int> verticalBorderXs(const Page &page)
{
    std::set<int> xs;
    for (const PageItem *line : page.itemsWithRole(ItemRole::TableBorder)) {
        if (line->rect.left() == line->rect.right())
            xs.insert(line->rect.left());
    }
    return {xs.begin(), xs.end()};
}

const PageItem *cell(const Page &page, int row, int column)
{
    for (const PageItem &item : page.items) {
        if (item.kind == ItemKind::Text && item.row == row && item.column == column)
            return &item;
    }
    return nullptr;
}

TEST(Table, ColumnWidthsAndAlignmentFollowTheFormat)
{
    Engine engine;
    engine.setMarginLeft(350);
    engine.setMarginRight(850);
    engine.StartDoc();
    engine.AddTable(DayFormat, DayHeader, QStringLiteral(" |  | | |"), Yellow);
    engine.AddTable(DayFormat, DayHeader, QStringLiteral("1|101|Είσπραξη ενοικίου|1.234,50|"), 0, Grey, true);
    engine.EndDoc();
    const Page &page = *engine.document().page(1);

    // Column edges: the left margin plus the widths of the format.
    const std::vector<int> edges = {350, 1450, 2450, 6450, 7950, 9450};
    EXPECT_EQ(verticalBorderXs(page), edges);

    auto inside = [&](const PageItem *item, int column) {
        ASSERT_NE(item, nullptr);
        EXPECT_GE(item->rect.left(), edges[size_t(column - 1)]);
        EXPECT_LE(item->rect.right(), edges[size_t(column)]);
    };
    const PageItem *serial = cell(page, 1, 1);
    const PageItem *description = cell(page, 1, 3);
    const PageItem *income = cell(page, 1, 4);
    inside(serial, 1);
    inside(description, 3);
    inside(income, 4);
    EXPECT_EQ(serial->align, Align::Center);
    EXPECT_NEAR(serial->rect.center().x(), (350 + 1450) / 2, 1);
    EXPECT_EQ(description->align, Align::Left);
    EXPECT_LT(description->rect.left() - 2450, 150);
    EXPECT_EQ(income->align, Align::Right);
    EXPECT_LT(7950 - (income->rect.right() + 1), 150);
    EXPECT_EQ(income->text, QStringLiteral("1.234,50"));
    // The empty expense cell writes nothing.
    EXPECT_EQ(cell(page, 1, 5), nullptr);
}

TEST(Table, TwoMarkFormatCentresTheHeadingOverRightAlignedCells)
{
    Engine engine;
    engine.StartDoc();
    engine.AddTable(QStringLiteral("^3500|>^1800"), QStringLiteral("Ομάδα|Ποσό"), QStringLiteral("Τράπεζα|12,00"));
    engine.EndDoc();
    const Page &page = *engine.document().page(1);
    const PageItem *heading = cell(page, 0, 2);
    const PageItem *amount = cell(page, 1, 2);
    ASSERT_TRUE(heading && amount);
    EXPECT_EQ(heading->align, Align::Center);
    EXPECT_EQ(amount->align, Align::Right);
    EXPECT_NEAR(heading->rect.center().x(), 720 + 3500 + 900, 1);
    EXPECT_GT(amount->rect.right(), heading->rect.right());
}

TEST(Table, ShadesAlternateAsTheCallerPassesThem)
{
    Engine engine;
    engine.StartDoc();
    engine.AddTable(DayFormat, DayHeader, QStringLiteral(" |  | | |"), Yellow);
    bool toggle = false;
    for (int i = 1; i <= 6; ++i) {
        engine.AddTable(DayFormat, DayHeader, QStringLiteral("%1|1|x|1,00|").arg(i), Yellow, toggle ? 0 : Grey,
                        true);
        toggle = !toggle;
    }
    engine.EndDoc();
    const Page &page = *engine.document().page(1);
    std::map<int, QRgb> shadeOfRow;
    for (const PageItem *shade : page.itemsWithRole(ItemRole::TableShade))
        shadeOfRow[shade->row] = shade->fill;
    EXPECT_EQ(shadeOfRow[0], qRgb(255, 255, 0));  // heading
    for (int row = 1; row <= 6; ++row) {
        if (row % 2 == 1)
            EXPECT_EQ(shadeOfRow[row], qRgb(222, 225, 225)) << row;
        else
            EXPECT_FALSE(shadeOfRow.count(row)) << "a shade of 0 is no shade, row " << row;
    }
    // Each shade spans its row: the row's texts lie inside it.
    for (const PageItem *shade : page.itemsWithRole(ItemRole::TableShade)) {
        const PageItem *text = cell(page, shade->row, 1);
        ASSERT_NE(text, nullptr);
        EXPECT_TRUE(shade->rect.contains(text->rect)) << shade->row;
    }
}

TEST(Table, OpeningBodyOfEmptyCellsWritesNoRowButARealBodyDoes)
{
    Engine engine;
    engine.StartDoc();
    engine.AddTable(QStringLiteral("3500|>1900"), QStringLiteral("Περιγραφή|Εσοδα"), QStringLiteral("|"));
    engine.AddTable(QStringLiteral("3500|>1900"), QStringLiteral("Περιγραφή|Εσοδα"),
                    QStringLiteral("Συνολικό ταμείο|100,00"));
    engine.EndDoc();
    const Page &page = *engine.document().page(1);
    EXPECT_EQ(page.texts(ItemRole::TableHeader).count(QStringLiteral("Περιγραφή")), 2);
    EXPECT_EQ(page.texts(ItemRole::TableCell), (QStringList{QStringLiteral("Συνολικό ταμείο"), QStringLiteral("100,00")}));
}

TEST(Table, HeadingRepeatsOnEveryPageTheTableContinuesOn)
{
    Engine engine;
    engine.setFooter(QStringLiteral("Σελίδα %d"));
    engine.StartDoc();
    engine.setText(QStringLiteral("\r"));
    engine.AddTable(DayFormat, DayHeader, QStringLiteral(" |  | | |"), Yellow);
    const int rows = 300;
    for (int i = 1; i <= rows; ++i)
        engine.AddTable(DayFormat, DayHeader, QStringLiteral("%1|7|Γραμμή %1|%1,00|").arg(i), Yellow,
                        i % 2 ? Grey : 0, true);
    engine.EndDoc();
    const Document &doc = engine.document();
    ASSERT_GE(doc.pageCount(), 3);
    int expected = 1;
    for (const Page &page : doc.pages) {
        const auto headings = page.itemsWithRole(ItemRole::TableHeader);
        ASSERT_EQ(headings.size(), 5u) << "page " << page.number;
        EXPECT_EQ(headings.front()->text, QStringLiteral("  α/α"));
        int headingBottom = 0;
        for (const PageItem *h : headings)
            headingBottom = std::max(headingBottom, h->rect.bottom());
        // Rows follow in order under the heading, none lost or doubled.
        for (const PageItem &item : page.items) {
            if (item.role == ItemRole::TableCell && item.column == 1) {
                EXPECT_EQ(item.text, QString::number(expected)) << "page " << page.number;
                EXPECT_GT(item.rect.top(), headingBottom);
                ++expected;
            }
        }
        EXPECT_EQ(page.texts(ItemRole::PageFooter), QStringList{QStringLiteral("Σελίδα %1").arg(page.number)});
    }
    EXPECT_EQ(expected, rows + 1);
}

TEST(Table, RowsReadBackAsWrittenAcrossPages)
{
    Engine engine;
    engine.StartDoc();
    engine.AddTable(QStringLiteral("^800|<2500|>1500"), QStringLiteral("α/α|Περιγραφή|Ποσό"), QStringLiteral("||"));
    std::vector<QStringList> written;
    for (int i = 1; i <= 130; ++i) {
        const QStringList row = {QString::number(i), i % 7 ? QStringLiteral("Ενοίκιο") : QString(),
                                 i % 5 ? QStringLiteral("%1,00").arg(i) : QString()};
        written.push_back(row);
        engine.AddTable(QStringLiteral("^800|<2500|>1500"), QStringLiteral("α/α|Περιγραφή|Ποσό"),
                        row.join(QLatin1Char('|')), 0, 0, true);
    }
    engine.AddTable(QStringLiteral("3000"), QString(), QStringLiteral("άλλος πίνακας"));
    engine.EndDoc();
    const Document &doc = engine.document();
    ASSERT_GE(doc.pageCount(), 2);
    EXPECT_EQ(doc.tableCount(), 2);
    EXPECT_EQ(doc.tableHeading(1), (QStringList{QStringLiteral("α/α"), QStringLiteral("Περιγραφή"), QStringLiteral("Ποσό")}));
    EXPECT_EQ(doc.tableRows(1), written);
    EXPECT_EQ(doc.tableRows(2), (std::vector<QStringList>{{QStringLiteral("άλλος πίνακας")}}));
}

TEST(Table, RowsAndHeadingStayAboveTheFooter)
{
    Engine engine;
    engine.setFooter(QStringLiteral("Σελίδα %d"));
    engine.StartDoc();
    engine.AddTable(DayFormat, DayHeader, QStringLiteral(" |  | | |"));
    for (int i = 1; i <= 120; ++i)
        engine.AddTable(DayFormat, DayHeader, QStringLiteral("%1|||||").arg(i), 0, 0, true);
    engine.EndDoc();
    for (const Page &page : engine.document().pages) {
        const int footerTop = page.itemsWithRole(ItemRole::PageFooter).front()->rect.top();
        for (const PageItem *line : page.itemsWithRole(ItemRole::TableBorder))
            EXPECT_LT(std::max(line->rect.top(), line->rect.bottom()), footerTop) << page.number;
    }
}

TEST(Table, AHeadingNeverStaysAloneAtTheFootOfAPage)
{
    Engine engine;
    engine.StartDoc();
    // Fill the page nearly to the end, then open a table.
    while (engine.CurrentPage() == 1) {
        engine.setText(QStringLiteral("γραμμή\r"));
        if (engine.CurrentY() > engine.PageHeight() - 720 - 900)
            break;
    }
    ASSERT_EQ(engine.CurrentPage(), 1);
    engine.AddTable(DayFormat, DayHeader, QStringLiteral(" |  | | |"));
    engine.AddTable(DayFormat, DayHeader, QStringLiteral("1|2|τρία|4|5"), 0, 0, true);
    engine.EndDoc();
    const Document &doc = engine.document();
    ASSERT_EQ(doc.pageCount(), 2);
    EXPECT_TRUE(doc.page(1)->itemsWithRole(ItemRole::TableHeader).empty());
    EXPECT_EQ(doc.page(2)->itemsWithRole(ItemRole::TableHeader).size(), 5u);
    EXPECT_NE(doc.page(2)->findText(QStringLiteral("τρία")), nullptr);
}

TEST(Table, WideTablesAreNarrowedToTheFrame)
{
    Engine engine;
    engine.setMarginLeft(1400);
    engine.setOrientation(orientation::Landscape);
    engine.StartDoc();
    engine.AddTable(QStringLiteral("^800|<1800|<1000|^1500|<4300|>1900|>1900|>1900"),
                    QStringLiteral("α/α|Ομάδα|Κωδ.|Ημερ/νια|Περιγραφή|Έσοδο|Έξοδο|Λ ταξ"), QStringLiteral("|||||||"));
    engine.EndDoc();
    const auto xs = verticalBorderXs(*engine.document().page(1));
    ASSERT_FALSE(xs.empty());
    EXPECT_EQ(xs.front(), 1400);
    EXPECT_EQ(xs.back(), engine.PageWidth() - 720);
}

TEST(Table, LongCellTextWrapsAndTheRowGrows)
{
    Engine engine;
    engine.StartDoc();
    engine.AddTable(QStringLiteral("<1500|>1500"), QString(),
                    QStringLiteral("πολύ μεγάλη περιγραφή κίνησης που δεν χωρά|1,00\rμικρή|2,00"));
    engine.EndDoc();
    const Page &page = *engine.document().page(1);
    int linesOfFirst = 0;
    for (const PageItem *item : page.itemsWithRole(ItemRole::TableCell)) {
        if (item->row == 1 && item->column == 1) {
            ++linesOfFirst;
            EXPECT_LE(item->rect.right(), 720 + 1500);
        }
    }
    EXPECT_GT(linesOfFirst, 1);
    EXPECT_GT(cell(page, 2, 1)->rect.top(), cell(page, 1, 1)->rect.top() + linesOfFirst * 200);
}

TEST(Table, AppendedRowsKeepTheirOwnFormat)
{
    // The group card opens the table with centred headings and appends
    // rows with left and right alignment.
    Engine engine;
    engine.StartDoc();
    engine.AddTable(QStringLiteral("^3500|>^1800"), QStringLiteral("Ομάδα Α|Ποσό"), QStringLiteral("|"));
    engine.AddTable(QStringLiteral("<3500|>1800"), QStringLiteral("Ομάδα Α|Ποσό"), QStringLiteral("Ενοίκιο|5,00"), 0,
                    0, true);
    engine.EndDoc();
    const Page &page = *engine.document().page(1);
    EXPECT_EQ(cell(page, 0, 1)->align, Align::Center);
    EXPECT_EQ(cell(page, 1, 1)->align, Align::Left);
    EXPECT_EQ(cell(page, 1, 2)->align, Align::Right);
}

TEST(Table, NewTableCellHandlerMayChangeTheCell)
{
    Engine engine;
    QObject::connect(&engine, &Engine::NewTableCell, &engine, [](int row, int column, QString &text) {
        if (row == 1 && column == 2)
            text = QStringLiteral("αλλαγμένο");
    });
    engine.StartDoc();
    engine.AddTable(QStringLiteral("3000|3000"), QStringLiteral("α|β"), QStringLiteral("ένα|δύο"));
    engine.EndDoc();
    EXPECT_NE(engine.document().page(1)->findText(QStringLiteral("αλλαγμένο")), nullptr);
    EXPECT_EQ(engine.document().page(1)->findText(QStringLiteral("δύο")), nullptr);
}

TEST(Table, TableBorderNoneDrawsNoLines)
{
    Engine engine;
    engine.setTableBorder(tableborder::None);
    engine.StartDoc();
    engine.AddTable(QStringLiteral("1000|1000"), QStringLiteral("α|β"), QStringLiteral("1|2"));
    engine.EndDoc();
    EXPECT_TRUE(engine.document().page(1)->itemsWithRole(ItemRole::TableBorder).empty());
}

}  // namespace
