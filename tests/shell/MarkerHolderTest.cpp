#include "shell/mainwindow/MarkerHolder.h"
#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "shell/contracts/MainWindowState.h"
#include "shell/mainwindow/MainWindowRules.h"
#include "support/ScriptedMessages.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString holderTitle = QStringLiteral("Kelvora  -  Η βάση χρησιμοποιήτε από τον (την) babis στον Η/Υ pc2");
}

class Marker : public ::testing::Test
{
protected:
    void SetUp() override
    {
        globals().NetUserName = QStringLiteral("anna");
        globals().MachineName = QStringLiteral("pc1");
    }
    void heldByOther()
    {
        InUseMarker(datafolder::marker(dir.path())).tryTake(QStringLiteral("babis"), QStringLiteral("pc2"));
    }
    InUseMarker::Record record() const { return InUseMarker(datafolder::marker(dir.path())).read(); }

    QTemporaryDir dir;
    MainWindowState state;
    MarkerHolder holder{dir.path(), state};
    ScriptedMessages boxes;
};

TEST_F(Marker, FreeMarkerIsTakenAndGivenBackInOwnNames)
{
    InUseMarker(datafolder::marker(dir.path())).release(QString(), QString());
    holder.takeIfFree();
    EXPECT_TRUE(state.OwnsMarker);
    EXPECT_TRUE(record().isTaken());
    EXPECT_EQ(record().user, QStringLiteral("anna"));
    EXPECT_EQ(holder.title(), QStringLiteral("Kelvora"));
    EXPECT_TRUE(holder.allowsChange());

    holder.releaseIfOwned();
    EXPECT_FALSE(state.OwnsMarker);
    EXPECT_TRUE(record().isFree());
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(Marker, AnotherHolderIsNamedAndRefusesChanges)
{
    InUseMarker(datafolder::marker(dir.path())).release(QString(), QString());
    heldByOther();
    holder.takeIfFree();
    EXPECT_FALSE(state.OwnsMarker);
    EXPECT_EQ(holder.title(), holderTitle);

    EXPECT_FALSE(holder.allowsChange());
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("Αδύνατη η πρόσβαση"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Η βάση χρησιμοποιήτε από τον (την) babis στον Η/Υ pc2"));

    // Not ours: releasing leaves the other workstation's marker alone.
    holder.releaseIfOwned();
    EXPECT_TRUE(record().isTaken());
    EXPECT_EQ(record().user, QStringLiteral("babis"));
}

TEST_F(Marker, EmptyFileIsNeitherTakenNorFree)
{
    holder.takeIfFree(); // a new, empty file: nobody may take it until unlocked
    EXPECT_FALSE(state.OwnsMarker);
    EXPECT_EQ(holder.title(), QStringLiteral("Kelvora"));
    EXPECT_TRUE(holder.allowsChange());
}

TEST(MainWindowRules, MarkerTestOnlyForChangingOperations)
{
    QList<int> tested;
    for (int element = 0; element <= 10; ++element)
        if (mainwindow::needsMarkerTest(element))
            tested << element;
    EXPECT_EQ(tested, (QList<int>{0, 2, 3, 6, 7, 8, 10}));
}

TEST(MainWindowRules, ReportRangeStartsTheMonth)
{
    const mainwindow::DateRange r = mainwindow::reportDateRange(QDate(2026, 3, 17));
    EXPECT_EQ(r.from, QStringLiteral("01-03-2026"));
    EXPECT_EQ(r.to, QStringLiteral("17-03-2026"));
    const mainwindow::DateRange first = mainwindow::reportDateRange(QDate(2026, 12, 1));
    EXPECT_EQ(first.from, QStringLiteral("01-12-2026"));
    EXPECT_EQ(first.to, QStringLiteral("01-12-2026"));
}
