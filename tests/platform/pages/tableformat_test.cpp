#include "platform/pages/tableformat.h"

#include <gtest/gtest.h>

using pages::Align;
using pages::ColumnFormat;

namespace {

TEST(TableFormat, MarksAndWidthsOfEveryColumn)
{
    const auto columns = pages::parseTableFormat(QStringLiteral("^1100|^1000|<4000|>1500|>1500"));
    const std::vector<ColumnFormat> expected = {{1100, Align::Center, Align::Center},
                                                {1000, Align::Center, Align::Center},
                                                {4000, Align::Left, Align::Left},
                                                {1500, Align::Right, Align::Right},
                                                {1500, Align::Right, Align::Right}};
    EXPECT_EQ(columns, expected);
}

TEST(TableFormat, ColumnWithoutMarkIsLeftAligned)
{
    const auto columns = pages::parseTableFormat(QStringLiteral("3500|>1900"));
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0], (ColumnFormat{3500, Align::Left, Align::Left}));
    EXPECT_EQ(columns[1], (ColumnFormat{1900, Align::Right, Align::Right}));
}

TEST(TableFormat, TwoMarksAlignBodyThenHeading)
{
    // Right-aligned amounts under a centred heading.
    const auto columns = pages::parseTableFormat(QStringLiteral("^3500|>^1800"));
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[1].width, 1800);
    EXPECT_EQ(columns[1].body, Align::Right);
    EXPECT_EQ(columns[1].header, Align::Center);
}

TEST(TableFormat, RowsAndCells)
{
    EXPECT_EQ(pages::splitRows(QStringLiteral("a|b\rc|d\r"), QLatin1Char('\r')),
              (QStringList{QStringLiteral("a|b"), QStringLiteral("c|d")}));
    EXPECT_EQ(pages::splitRows(QStringLiteral("a\r\nb\nc"), QLatin1Char('\r')).size(), 3);
    EXPECT_EQ(pages::splitCells(QStringLiteral("x|y"), QLatin1Char('|'), 4).size(), 4);
    EXPECT_TRUE(pages::isBlankRow(QStringLiteral(" |  | | |"), QLatin1Char('|')));
    EXPECT_FALSE(pages::isBlankRow(QStringLiteral(" | 1 | |"), QLatin1Char('|')));
}

}  // namespace
