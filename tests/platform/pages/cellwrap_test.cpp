// What a table cell does with a text wider than its column: figures stay
// whole, words break only between them, a word too long is shortened with a
// visible mark, and the document keeps every cell as it was built.

#include "platform/pages/cellwrap.h"
#include "platform/pages/engine.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace pages;

namespace {

// The text items of one cell, top to bottom.
std::vector<const PageItem *> cellLines(const Document &doc, int table, int row, int column)
{
    std::vector<const PageItem *> lines;
    for (const Page &page : doc.pages)
        for (const PageItem &item : page.items)
            if (item.kind == ItemKind::Text && item.table == table && item.row == row && item.column == column)
                lines.push_back(&item);
    return lines;
}

Document oneRow(const QString &format, const QString &row)
{
    Engine engine;
    engine.StartDoc();
    engine.AddTable(format, QStringLiteral("α|β"), row);
    engine.EndDoc();
    return engine.document();
}

TEST(CellWrap, AFigureWiderThanItsColumnStaysWholeOnOneLine)
{
    // 600 twips hold about four digits of Arial 10: each of these would have
    // been broken inside ("3.065.521,5" over "5", "10719" over "3").
    for (const QString &figure : {QStringLiteral("3.065.521,55"), QStringLiteral("107193"),
                                  QStringLiteral("-999.999.999.999,99"), QStringLiteral("02-03-2026")}) {
        const Document doc = oneRow(QStringLiteral(">600|3000"), figure + QStringLiteral("|κείμενο"));
        const auto lines = cellLines(doc, 1, 1, 1);
        ASSERT_EQ(lines.size(), 1u) << figure.toStdString();
        EXPECT_EQ(lines[0]->text, figure);
        // Drawn smaller so that it keeps inside its cell.
        EXPECT_LT(lines[0]->font.size, 10.0);
        EXPECT_LE(lines[0]->rect.right(), 720 + 600);
        EXPECT_EQ(doc.tableRows(1)[0][0], figure);
    }
    // A figure that fits keeps the body font.
    const Document fits = oneRow(QStringLiteral(">1500|3000"), QStringLiteral("1.234,56|x"));
    EXPECT_EQ(cellLines(fits, 1, 1, 1)[0]->font.size, 10.0);
}

TEST(CellWrap, TextBreaksBetweenWordsAndALongWordIsShortenedWithAMark)
{
    const Document doc = oneRow(QStringLiteral("<1200|3000"),
                                QStringLiteral("ΑΓΟΡΑ ΕΜΠΟΡΕΥΜΑΤΩΝ ΚΑΤΑΣΤΗΜΑΤΟΣ ΑΘΗΝΩΝ|x"));
    const auto lines = cellLines(doc, 1, 1, 1);
    ASSERT_GE(lines.size(), 3u);
    const QStringList words = {QStringLiteral("ΑΓΟΡΑ"), QStringLiteral("ΕΜΠΟΡΕΥΜΑΤΩΝ"), QStringLiteral("ΚΑΤΑΣΤΗΜΑΤΟΣ"),
                               QStringLiteral("ΑΘΗΝΩΝ")};
    for (const PageItem *line : lines) {
        EXPECT_LE(line->rect.right(), 720 + 1200) << line->text.toStdString();
        // Every line is whole words, or the start of one word ending in the mark.
        for (const QString &piece : line->text.split(QLatin1Char(' '))) {
            if (piece.endsWith(ElisionMark)) {
                const QString start = piece.chopped(1);
                EXPECT_FALSE(start.isEmpty());
                EXPECT_TRUE(std::any_of(words.begin(), words.end(), [&](const QString &w) { return w.startsWith(start); }))
                    << piece.toStdString();
            } else {
                EXPECT_TRUE(words.contains(piece)) << "a piece of a word: " << piece.toStdString();
            }
        }
    }
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const PageItem *l) { return l->text.endsWith(ElisionMark); }));
}

TEST(CellWrap, TheDocumentKeepsEachCellAsBuilt)
{
    Engine engine;
    engine.StartDoc();
    engine.AddTable(QStringLiteral(">700|<1000"), QStringLiteral("Ποσό|Περιγραφή"), QStringLiteral("|"));
    const QStringList row = {QStringLiteral("3.065.521,55"), QStringLiteral("ΠΡΟΜΗΘΕΥΤΗΣ ΕΜΠΟΡΕΥΜΑΤΩΝ ΚΑΤΑΣΤΗΜΑΤΟΣ")};
    engine.AddTable(QStringLiteral(">700|<1000"), QStringLiteral("Ποσό|Περιγραφή"), row.join(QLatin1Char('|')), 0, 0,
                    true);
    engine.EndDoc();
    const Document &doc = engine.document();
    ASSERT_EQ(doc.tables.size(), 1u);
    EXPECT_EQ(doc.tables[0].heading, (QStringList{QStringLiteral("Ποσό"), QStringLiteral("Περιγραφή")}));
    ASSERT_EQ(doc.tables[0].rowCount(), 1);
    EXPECT_EQ(doc.tables[0].row(0), row);
    // The pages hold the laid-out lines, which differ.
    EXPECT_NE(doc.tableRows(1)[0][1], row[1]);
}

TEST(CellWrap, NumbersAreDigitsWithTheirSigns)
{
    for (const char *yes : {"1.234,56", "-0,50", "107193", "02-03-2026", "12%", "(5)"})
        EXPECT_TRUE(isNumberWord(QString::fromUtf8(yes))) << yes;
    for (const char *no : {"", "ΚΩΔ.", "-", "1α", "Σελίδα"})
        EXPECT_FALSE(isNumberWord(QString::fromUtf8(no))) << no;
}

} // namespace
