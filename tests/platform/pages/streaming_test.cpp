// Long documents: pages read while the document is still being written equal
// the pages after, pages are kept packed and read back exactly, and table
// values kept in blocks read back row for row.

#include "platform/pages/engine.h"
#include "platform/pages/pagecodec.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace pages;

namespace {

void writeRows(Engine &engine, int rows)
{
    engine.StartDoc();
    for (int i = 1; i <= rows; ++i)
        engine.AddTable(QStringLiteral(">900|3000|>1600"), QStringLiteral("α/α|Περιγραφή|Ποσό"),
                        QStringLiteral("%1|ΚΙΝΗΣΗ %1 ΤΗΣ ΗΜΕΡΑΣ|%2,00").arg(i).arg(i * 7), i % 2 ? 0xdcffff : 0, 0, i > 1);
}

TEST(Streaming, PagesReadWhileBuildingEqualThePagesAfter)
{
    Engine engine;
    std::vector<Page> seen;
    std::vector<int> counts;
    QObject::connect(&engine, &Engine::pagesGrew, &engine, [&](int finished) {
        counts.push_back(finished);
        seen.push_back(engine.document().pages[size_t(finished - 1)]);
        // Reading earlier pages meanwhile unpacks them; it must not disturb the pages after.
        if (finished > 3) {
            EXPECT_EQ(engine.document().pages[0].number, 1);
        }
    });
    writeRows(engine, 3000);
    engine.EndDoc();
    const Document &doc = engine.document();
    ASSERT_GT(doc.pageCount(), int(PageList::KeptWhole) + int(PageList::CachedPages));
    ASSERT_EQ(int(seen.size()), doc.pageCount());
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(counts[i], int(i) + 1);
        EXPECT_TRUE(seen[i] == doc.pages[i]) << "page " << i + 1;
    }
    // Every body row is on the pages once, in order, across all of them.
    const auto rows = doc.tableRows(1);
    ASSERT_EQ(rows.size(), 3000u);
    EXPECT_EQ(rows.back().value(0), QStringLiteral("3000"));
    EXPECT_EQ(rows.back().value(2), QStringLiteral("21000,00"));
}

TEST(Streaming, ALongDocumentKeepsItsPagesPacked)
{
    Engine engine;
    writeRows(engine, 3000);
    engine.EndDoc();
    const Document &doc = engine.document();
    qint64 whole = 0;
    for (const Page &page : doc.pages)
        whole += qint64(page.items.size() * sizeof(PageItem));
    // Packed, the pages take a small part of what their items take unpacked.
    EXPECT_LT(doc.pages.packedBytes() * 8, whole);
    // A copy of the document reads the same.
    const Document copy = doc;
    EXPECT_TRUE(copy == doc);
    EXPECT_EQ(copy.pages.back().texts(), doc.pages.back().texts());
}

TEST(Streaming, APackedPageUnpacksExactly)
{
    Page page;
    page.number = 7;
    page.size = QSize(16838, 11906);
    PageItem text;
    text.rect = QRect(1000, 2000, 1500, 240);
    text.baseline = 2190;
    text.text = QStringLiteral("1.234.567,89 Ελληνικά");
    text.font = FontSpec{QStringLiteral("Arial greek"), 9.5, true, false, true, false};
    text.align = Align::Right;
    text.role = ItemRole::TableCell;
    text.table = 2;
    text.row = 300;
    text.column = 5;
    text.angle = -450;
    text.color = 0xff0000ff;
    page.items.push_back(text);
    PageItem shade;
    shade.kind = ItemKind::Rect;
    shade.role = ItemRole::TableShade;
    shade.rect = QRect(-20, 15000, 9000, 300);
    shade.fill = 0xffdcffff;
    shade.radiusX = 40;
    shade.radiusY = 60;
    page.items.push_back(shade);
    PageItem arc;
    arc.kind = ItemKind::Ellipse;
    arc.role = ItemRole::Drawing;
    arc.rect = QRect(100, 100, 800, 600);
    arc.startAngle = 720;
    arc.spanAngle = -1440;
    arc.pie = true;
    arc.penWidth = 30;
    arc.penStyle = 2;
    arc.brushStyle = 5;
    page.items.push_back(arc);
    PageItem poly;
    poly.kind = ItemKind::Polygon;
    poly.points = QPolygon({QPoint(1, 2), QPoint(-300, 4000), QPoint(70000, 5)});
    page.items.push_back(poly);
    PageItem picture;
    picture.kind = ItemKind::Picture;
    picture.rect = QRect(0, 0, 300, 200);
    picture.picture = QImage(5, 3, QImage::Format_ARGB32);
    picture.picture.fill(QColor(10, 20, 30, 40));
    picture.picture.setPixel(4, 2, 0x12345678);
    page.items.push_back(picture);

    const Page back = unpackPage(packPage(page));
    ASSERT_EQ(back.items.size(), page.items.size());
    for (size_t i = 0; i < page.items.size(); ++i)
        EXPECT_TRUE(back.items[i] == page.items[i]) << "item " << i;
    EXPECT_TRUE(back == page);
}

TEST(Streaming, TableValuesKeptInBlocksReadBackRowForRow)
{
    TableContent table;
    table.heading = {QStringLiteral("α/α"), QStringLiteral("Ποσό")};
    const qsizetype rows = 3 * TableContent::RowsPerBlock + 17;
    for (qsizetype i = 0; i < rows; ++i)
        table.addRow({QString::number(i), i % 3 ? QStringLiteral("%1,50").arg(i) : QString()});
    ASSERT_EQ(table.rowCount(), rows);
    // Out of order too: a block read after another is unpacked again.
    for (qsizetype i : {qsizetype(0), rows - 1, TableContent::RowsPerBlock, qsizetype(5), 2 * TableContent::RowsPerBlock - 1})
        EXPECT_EQ(table.row(i), (QStringList{QString::number(i), i % 3 ? QStringLiteral("%1,50").arg(i) : QString()}));
    TableContent other = table;
    EXPECT_TRUE(other == table);
    other.addRow({QStringLiteral("x")});
    EXPECT_FALSE(other == table);
}

}  // namespace
