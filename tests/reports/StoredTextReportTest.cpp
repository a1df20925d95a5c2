// A description stored before one-line boxes kept control characters out:
// printed on the day sheet, it stays one cell of one row, its invisible
// characters are marked, and the amounts beside it stay whole in their column.
#include "ReportBook.h"
#include "support/LineAsSeen.h"

#include <gtest/gtest.h>

namespace {

const QString Hebrew = QString::fromUtf8("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d"); // שלום

} // namespace

TEST(StoredTextInReports, ADescriptionWithBreaksAndOverridesStaysOneRowWithItsAmountWhole)
{
    ReportBook book;
    book.folder.addCode(10, QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), true);
    const QString stored = QStringLiteral("ΚΑΦΕΣ\nΓΑΛΑ\t") + QChar(0x202E) + QStringLiteral("1,00|ΤΕΛΟΣ ") + Hebrew
        + QChar(0x200B);
    book.add({10, ReportBook::day(3), stored, 123456, 0});
    book.add({10, ReportBook::day(3), QStringLiteral("ΑΠΛΟ"), 100, 0});
    ASSERT_TRUE(book.run(1, ReportBook::day(3), ReportBook::day(3)).complete());

    const QStringList heading = book.doc().tableHeading(1);
    const auto rows = book.doc().tableRows(1);
    ASSERT_EQ(rows.size(), 3u); // the two movements and the totals, no row split off
    for (const QStringList &row : rows)
        EXPECT_EQ(row.size(), heading.size());
    EXPECT_EQ(rows[0][0].trimmed(), QStringLiteral("1"));
    EXPECT_EQ(rows[0][1], QStringLiteral("10"));
    EXPECT_EQ(rows[0][3], QStringLiteral("1.234,56"));
    EXPECT_EQ(rows[0][4], QStringLiteral("0"));
    EXPECT_EQ(rows[1][3], QStringLiteral("1,00"));

    // The description: one cell, every invisible character a mark, the separator shown as "¦".
    const QString description = rows[0][2];
    for (const QChar gone : {QChar(u'\n'), QChar(u'\t'), QChar(0x202E), QChar(0x200B), QChar(u'|')})
        EXPECT_FALSE(description.contains(gone)) << int(gone.unicode());
    EXPECT_TRUE(description.contains(QStringLiteral("ΚΑΦΕΣ¶ΓΑΛΑ→□1,00¦ΤΕΛΟΣ")));

    // On the page: both amounts right-aligned in one column, read left to right.
    const pages::Page &page = book.doc().pages.front();
    const pages::PageItem *big = page.findText(QStringLiteral("1.234,56"));
    const pages::PageItem *small = page.findText(QStringLiteral("1,00"));
    ASSERT_TRUE(big && small);
    EXPECT_EQ(big->rect.right(), small->rect.right());
    EXPECT_GT(big->rect.top(), 0);
    const LineAsSeen seen(big->text, QFont());
    EXPECT_TRUE(seen.readsLeftToRight(0, big->text.size()));
}
