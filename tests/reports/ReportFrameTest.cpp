#include "platform/db/Database.h"
#include "platform/pages/engine.h"
#include "reports/PageFrame.h"
#include "reports/ReportCatalog.h"
#include "reports/ReportList.h"
#include "reports/ReportRunner.h"
#include "reports/TableWriter.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

using namespace reports;

namespace {

QColor shadeColor(pages::ColorRef c) { return QColor(int(c & 0xff), int((c >> 8) & 0xff), int((c >> 16) & 0xff)); }

// The fills of the body-row shades of table 1, in row order.
std::vector<QRgb> bodyShades(const pages::Document &doc)
{
    std::vector<std::pair<int, QRgb>> rows;
    for (const pages::Page &page : doc.pages)
        for (const pages::PageItem &item : page.items)
            if (item.role == pages::ItemRole::TableShade && item.row > 0)
                rows.emplace_back(item.row, item.fill);
    std::vector<QRgb> fills;
    for (const auto &[row, fill] : rows)
        fills.push_back(fill);
    return fills;
}

TEST(TableWriterTest, EachRowIsAppendedWithTheToggledShadeAndTheHeadingStaysTheTables)
{
    pages::Engine engine;
    applyPageFrame(engine);
    engine.StartDoc();
    TableWriter table(engine);
    table.open(QStringLiteral("^1100|<4000|>1500"), QStringLiteral("α/α|Περιγραφή|Ποσό"), QStringLiteral(" | |"),
               pages::rgb(255, 255, 0));
    table.setShades(RowShade, pages::rgb(10, 20, 30));
    for (int i = 1; i <= 4; ++i)
        table.appendShaded({alignRight(QString::number(i), 4), QStringLiteral("Γραμμή %1").arg(i), money(Money::fromCents(i * 100050))});
    engine.EndDoc();

    const pages::Document &doc = engine.document();
    ASSERT_EQ(doc.tableCount(), 1);
    EXPECT_EQ(doc.tableHeading(1), (QStringList{QStringLiteral("α/α"), QStringLiteral("Περιγραφή"), QStringLiteral("Ποσό")}));
    const auto rows = doc.tableRows(1);
    ASSERT_EQ(rows.size(), 4u); // the blank opening row writes nothing
    EXPECT_EQ(rows[2][2], QStringLiteral("3.001,50"));
    EXPECT_EQ(table.rowCount(), 4);
    // The first row takes the shade for "toggle off", then they alternate.
    const auto fills = bodyShades(doc);
    ASSERT_EQ(fills.size(), 4u);
    EXPECT_EQ(QColor(fills[0]), shadeColor(RowShade));
    EXPECT_EQ(QColor(fills[1]), shadeColor(pages::rgb(10, 20, 30)));
    EXPECT_EQ(QColor(fills[2]), shadeColor(RowShade));
}

TEST(TableWriterTest, TextsOfCells)
{
    struct Case { QString got, want; };
    const Case cases[] = {
        {money(Money::fromCents(123456750)), QStringLiteral("1.234.567,50")},
        {money(Money()), QStringLiteral("0,00")},
        {moneyOrZero(Money()), QStringLiteral("0")},
        {moneyOrZero(Money::fromCents(-5)), QStringLiteral("-0,05")},
        {date(QDate(2005, 12, 5)), QStringLiteral("05-12-2005")},
        {alignRight(QStringLiteral(" 7 "), 5), QStringLiteral("    7")},
        {alignRight(QStringLiteral("123456"), 4), QStringLiteral("123456")},  // a serial never loses digits
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.got, c.want);
}

TEST(ReportListTest, TheNineEntriesStayAsTheyWereAndTheChartsFollow)
{
    const QStringList nine = {
        QStringLiteral("  1 Ταμείο ημέρας"),
        QStringLiteral("  2 Κωδικοί κίνησης "),
        QStringLiteral("  3 Συνοπτικό ταμείο από ... εως"),
        QStringLiteral("  4 Σύνολο ανα κωδικό"),
        QStringLiteral("  5 Συνολο ανα ομάδα"),
        QStringLiteral("  6 Κατάσταση"),
        QStringLiteral("  7 Επιταγές"),
        QStringLiteral("  8 Ανάλυση ταμείου ημέρας "),
        QStringLiteral("  9 Ταμεία που δεν έχουν κλήσει !"),
    };
    const auto entries = reportEntries();
    ASSERT_EQ(entries.size(), 10);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(entries[i].text, nine[i]);
        EXPECT_EQ(entries[i].number, i + 1);
    }
    EXPECT_EQ(reportTitle(entries[0].text), QStringLiteral(" Ταμείο ημέρας"));
    // The tenth keeps the column of the numbers, so its title starts as the others do.
    EXPECT_EQ(entries[9].number, 10);
    EXPECT_EQ(entries[9].text, QStringLiteral(" 10 Διαγράμματα ταμείου από ... έως"));
    EXPECT_EQ(reportTitle(entries[9].text), QStringLiteral(" Διαγράμματα ταμείου από ... έως"));
    for (const ReportEntry &e : entries)
        EXPECT_NE(reportBuilder(e.number), nullptr) << e.number;
}

TEST(ReportStartTest, SelectionFirstThenBothDatesForEveryReport)
{
    struct Case { bool selected; QString from, to; QString message; };
    const Case cases[] = {
        {false, QStringLiteral("xx"), QStringLiteral("01-01-2026"), QStringLiteral("Δεν έχετε επιλέξει την εκτύπωση")},
        {true, QStringLiteral("31-02-2026"), QStringLiteral("01-03-2026"), QStringLiteral("Η ημερομηνία είναι λάθος")},
        {true, QStringLiteral("01-03-2026"), QString(), QStringLiteral("Η ημερομηνία είναι λάθος")},
        {true, QStringLiteral("01-03-2026"), QStringLiteral("05-03-2026"), QString()},
    };
    for (const Case &c : cases) {
        ScriptedMessages messages;
        EXPECT_EQ(checkReportStart(c.selected, c.from, c.to), c.message.isEmpty());
        if (c.message.isEmpty()) {
            EXPECT_EQ(messages.count(), 0);
            continue;
        }
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.last().text, c.message);
        EXPECT_EQ(messages.last().title, c.selected ? QStringLiteral("Προσοχ'η στην ημερομηνία") : QStringLiteral("Προσοχή"));
        EXPECT_EQ(messages.last().icon, msg::Icon::Information);
    }
}

TEST(ReportRunnerTest, NumbersOutsideTheListBuildNothing)
{
    TestDataFolder folder;
    pages::Engine engine;
    ReportInput input;
    EXPECT_EQ(runReport(0, engine, folder.store(), input).outcome, ReportResult::Outcome::Nothing);
    EXPECT_EQ(runReport(11, engine, folder.store(), input).outcome, ReportResult::Outcome::Nothing);
    EXPECT_EQ(engine.PageCount(), 0);
}

// A book file opens with the searches' large cache; a report is built with a
// small one, and the large one is back afterwards, also after a report the
// store failed. (A server keeps its own cache: the file engine only.)
TEST(ReportRunnerTest, AReportIsBuiltWithASmallCacheAndGivesTheLargeOneBack)
{
    TestDataFolder folder;
    db::Database &main = folder.main();
    const int opened = main.cacheKilobytes();
    EXPECT_GT(opened, ReportCacheKib);
    pages::Engine engine;
    ReportInput input;
    ScriptedMessages messages;
    int whileBuilt = -1;
    EXPECT_TRUE(runReport([&](pages::Engine &, Store &store, const ReportInput &) {
                    whileBuilt = store.main().cacheKilobytes();
                }, engine, folder.store(), input).complete());
    EXPECT_EQ(whileBuilt, ReportCacheKib);
    EXPECT_EQ(main.cacheKilobytes(), opened);
    EXPECT_EQ(runReport([](pages::Engine &, Store &store, const ReportInput &) {
                  store.main().execute(QStringLiteral("SELECT * FROM no_such_table"));
              }, engine, folder.store(), input).outcome,
              ReportResult::Outcome::Failed);
    EXPECT_EQ(main.cacheKilobytes(), opened);
}

} // namespace
