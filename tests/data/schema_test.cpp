#include "data/DataFolder.h"
#include "data/SchemaUpgrade.h"
#include "support/TestDataFolder.h"
#include "tools/NewInstallation.h"

#include <gtest/gtest.h>

using schemaupgrade::OpeningBalance;

namespace {

int countAsks = 0;
schemaupgrade::AskOpeningBalance answering(std::optional<OpeningBalance> answer)
{
    countAsks = 0;
    return [answer] {
        ++countAsks;
        return answer;
    };
}

void addDay(db::Database &db, const char *iso, qint64 balanceCents)
{
    db.execute(QStringLiteral("INSERT INTO tameio (hmeromhnia, ypoloipo) VALUES (?1, ?2)"), QString::fromLatin1(iso),
               Money::fromCents(balanceCents));
}

} // namespace

TEST(NewInstallation, TablesHaveTheirFieldsInOrderAndRefuseOverwrite)
{
    TestDataFolder folder(TestDataFolder::Schema::Fresh);
    EXPECT_EQ(folder.main().columnNames(QStringLiteral("kinhseis")),
              (QStringList{QStringLiteral("aa"), QStringLiteral("kvdikos"), QStringLiteral("hmeromhnia"),
                           QStringLiteral("perigrafh"), QStringLiteral("esoda"), QStringLiteral("ejoda"),
                           QStringLiteral("aa_omada"), QStringLiteral("grammh"), QStringLiteral("epitagh")}));
    EXPECT_EQ(folder.main().columnNames(QStringLiteral("kvdikoi")).mid(1, 6),
              (QStringList{QStringLiteral("kvdikos"), QStringLiteral("perigrafh"), QStringLiteral("omada"),
                           QStringLiteral("aa_omadas"), QStringLiteral("lista"), QStringLiteral("esodo")}));
    EXPECT_EQ(folder.main().columnNames(QStringLiteral("tameio")).mid(1),
              (QStringList{QStringLiteral("hmeromhnia"), QStringLiteral("esoda_hmeras"), QStringLiteral("ejoda_hmeras"),
                           QStringLiteral("ypoloipo")}));
    EXPECT_EQ(folder.users().columnNames(QStringLiteral("codes")).first(), QStringLiteral("uname"));
    EXPECT_EQ(schemaupgrade::currentVersion(folder.main()), 0);
    folder.closeDay(QDate(2005, 3, 1));
    EXPECT_THROW(folder.closeDay(QDate(2005, 3, 1)), db::DbError); // one row per closed day
    EXPECT_THROW(newinstall::createDatabases(folder.path(), QStringLiteral("VentoKeeper")), db::DbError);
    EXPECT_NO_THROW(folder.store().checkTables());
}

TEST(SchemaUpgrade, EmptyVersionTableReachesThreeInOneStartAskingOnce)
{
    TestDataFolder folder(TestDataFolder::Schema::Fresh);
    auto &db = folder.main();
    db.execute(QStringLiteral("INSERT INTO kinhseis (kvdikos, hmeromhnia) VALUES (1, '2005-12-01')"));
    addDay(db, "2005-11-30", 100);
    addDay(db, "2005-12-05", 200);
    addDay(db, "2005-12-06", 300);

    EXPECT_EQ(schemaupgrade::UpgradeSchema(db, answering(OpeningBalance{QStringLiteral("05-12-2005"),
                                                                         QStringLiteral("1.500,25")})), 3);
    EXPECT_EQ(countAsks, 1);
    EXPECT_EQ(schemaupgrade::currentVersion(db), 3);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT L_tajeos FROM kinhseis")).toLongLong(), 0);
    // The amount is set (not added) from the date on; earlier days are untouched.
    auto st = db.prepare(QStringLiteral("SELECT ypoloipo FROM tameio ORDER BY hmeromhnia"));
    QList<qint64> balances;
    while (st.next())
        balances << st.money(0).units();
    EXPECT_EQ(balances, (QList<qint64>{10000, 15002500, 15002500}));

    EXPECT_EQ(schemaupgrade::UpgradeSchema(db, answering(std::nullopt)), 3);
    EXPECT_EQ(countAsks, 0); // at version 3 nothing is asked again
}

TEST(SchemaUpgrade, ClosedOrBadDialogLeavesVersionTwoAndAsksNextStart)
{
    TestDataFolder folder(TestDataFolder::Schema::Fresh);
    auto &db = folder.main();
    addDay(db, "2005-12-05", 200);

    EXPECT_EQ(schemaupgrade::UpgradeSchema(db, answering(std::nullopt)), 2);
    EXPECT_EQ(countAsks, 1);
    EXPECT_EQ(schemaupgrade::UpgradeSchema(db, answering(OpeningBalance{QString(), QString()})), 2);
    EXPECT_EQ(schemaupgrade::UpgradeSchema(db, answering(OpeningBalance{QStringLiteral("05-12-2005"),
                                                                         QStringLiteral("12,x")})), 2);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT ypoloipo FROM tameio")).toLongLong(), 20000);
    EXPECT_EQ(db.columnNames(QStringLiteral("kinhseis")).count(QStringLiteral("L_tajeos")), 1);

    EXPECT_EQ(schemaupgrade::UpgradeSchema(db, answering(OpeningBalance{QStringLiteral("01-01-2000"),
                                                                         QStringLiteral("0")})), 3);
    EXPECT_EQ(countAsks, 1);
}

TEST(SchemaUpgrade, EmptyTameioStillNeedsAnAnswer)
{
    TestDataFolder folder(TestDataFolder::Schema::Fresh);
    EXPECT_EQ(schemaupgrade::UpgradeSchema(folder.main(), answering(OpeningBalance{QString(), QString()})), 2);
}

// A version row holding NULL or 0 once made the walk insert rows for ever; an
// unknown version is left as it is.
TEST(SchemaUpgrade, NullOrZeroVersionWalksOnceUnknownIsLeftAlone)
{
    struct Case
    {
        const char *row;
        int reached;
        int asks;
    };
    for (const Case c : {Case{"NULL", 3, 1}, Case{"0", 3, 1}, Case{"7", 7, 0}, Case{"-1", -1, 0}}) {
        SCOPED_TRACE(c.row);
        TestDataFolder folder(TestDataFolder::Schema::Fresh);
        auto &db = folder.main();
        db.executeScript(QStringLiteral("INSERT INTO taytothta (ariumos) VALUES (%1);").arg(QLatin1String(c.row)));
        EXPECT_EQ(schemaupgrade::UpgradeSchema(db, answering(OpeningBalance{QStringLiteral("01-01-2000"),
                                                                             QStringLiteral("0")})), c.reached);
        EXPECT_EQ(countAsks, c.asks);
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM taytothta")).toLongLong(), 1);
    }
}
