#include "data/DataFolder.h"
#include "data/Schema.h"
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

// The read index `name` dropped, then made again by the walk of a start, as
// a book from before it gets it.
void expectMadeAtStart(db::Database &db, const QString &name)
{
    const QString exists = QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name = ?1");
    db.execute(QStringLiteral("DROP INDEX IF EXISTS ") + name);
    ASSERT_EQ(db.scalar(exists, name).toInt(), 0);
    // A file already at the current version: nothing to walk, the index is still made.
    EXPECT_EQ(schemaupgrade::UpgradeSchema(db, answering(std::nullopt)), schema::CurrentVersion);
    EXPECT_EQ(db.scalar(exists, name).toInt(), 1);
}

// The steps of the engine's plan for `sql`, one a line.
QString queryPlan(db::Database &db, const QString &sql)
{
    db::Statement st = db.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
    QString steps;
    while (st.next())
        steps += st.text(3) + QLatin1Char('\n');
    return steps;
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

TEST(SchemaUpgrade, EmptyVersionTableReachesTheCurrentVersionInOneStartAskingOnce)
{
    TestDataFolder folder(TestDataFolder::Schema::Fresh);
    auto &db = folder.main();
    db.execute(QStringLiteral("INSERT INTO kinhseis (kvdikos, hmeromhnia) VALUES (1, '2005-12-01')"));
    addDay(db, "2005-11-30", 100);
    addDay(db, "2005-12-05", 200);
    addDay(db, "2005-12-06", 300);

    EXPECT_EQ(schemaupgrade::UpgradeSchema(db, answering(OpeningBalance{QStringLiteral("05-12-2005"),
                                                                         QStringLiteral("1.500,25")})),
              schema::CurrentVersion);
    EXPECT_EQ(countAsks, 1);
    EXPECT_EQ(schemaupgrade::currentVersion(db), schema::CurrentVersion);
    EXPECT_TRUE(db.tableExists(QStringLiteral("allages")));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT L_tajeos FROM kinhseis")).toLongLong(), 0);
    // The amount becomes the balance of its day, kept as that day's opening;
    // later days move with it and keep what they held above it; earlier days
    // are untouched.
    auto st = db.prepare(QStringLiteral("SELECT ypoloipo, arxiko FROM tameio ORDER BY hmeromhnia"));
    QList<qint64> balances, openings;
    while (st.next()) {
        balances << st.money(0).units();
        openings << st.money(1).units();
    }
    EXPECT_EQ(balances, (QList<qint64>{10000, 15002500, 15012500}));
    EXPECT_EQ(openings, (QList<qint64>{0, 15002500 - 10000, 0}));

    EXPECT_EQ(schemaupgrade::UpgradeSchema(db, answering(std::nullopt)), schema::CurrentVersion);
    EXPECT_EQ(countAsks, 0); // past version 3 nothing is asked again
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
    // The book is still shown and booked on while the question waits.
    EXPECT_EQ(db.columnNames(QStringLiteral("tameio")).count(QStringLiteral("arxiko")), 1);

    EXPECT_EQ(schemaupgrade::UpgradeSchema(db, answering(OpeningBalance{QStringLiteral("01-01-2000"),
                                                                         QStringLiteral("0")})),
              schema::CurrentVersion);
    EXPECT_EQ(countAsks, 1);
}

TEST(SchemaUpgrade, EmptyTameioStillNeedsAnAnswer)
{
    TestDataFolder folder(TestDataFolder::Schema::Fresh);
    EXPECT_EQ(schemaupgrade::UpgradeSchema(folder.main(), answering(OpeningBalance{QString(), QString()})), 2);
}

namespace {

// Every row of every table, as text, in a fixed order.
QStringList dump(db::Database &db, const QStringList &tables)
{
    QStringList out;
    for (const QString &t : tables) {
        auto st = db.prepare(QStringLiteral("SELECT * FROM ") + t + QStringLiteral(" ORDER BY 1"));
        while (st.next()) {
            QStringList fields;
            for (int i = 0; i < st.columnCount(); ++i)
                fields << st.value(i).toString();
            out << t + QLatin1Char(':') + fields.join(u'|');
        }
    }
    return out;
}

} // namespace

// Versions 3 to 7 add the change log, the opening column (0 on every day),
// the words of the descriptions and the sums per year, and leave every other
// row and column of version 3 as it was, without asking anything.
TEST(SchemaUpgrade, FromThreeOnlyTheChangeLogAndTheOpeningColumnAreAdded)
{
    TestDataFolder folder(TestDataFolder::Schema::Fresh);
    auto &db = folder.main();
    db.executeScript(QStringLiteral(
        "INSERT INTO taytothta (ariumos) VALUES (3);"
        "ALTER TABLE kinhseis ADD COLUMN L_tajeos INTEGER DEFAULT 0;"
        "INSERT INTO omades (perigrafh, sxolio) VALUES ('ΓΕΝΙΚΑ', 'σχόλιο');"
        "INSERT INTO kvdikoi (kvdikos, perigrafh, omada, aa_omadas, lista, esodo, energos) "
        "  VALUES (10, 'ΕΙΣΠΡΑΞΕΙΣ', 'ΓΕΝΙΚΑ', 1, '   10 ΕΙΣΠΡΑΞΕΙΣ', -1, -1);"
        "INSERT INTO kinhseis (kvdikos, hmeromhnia, perigrafh, esoda, ejoda, aa_omada, grammh, epitagh, L_tajeos) "
        "  VALUES (10, '2005-12-01', 'ΠΩΛΗΣΕΙΣ', 1234500, 0, 1, 'γραμμή', -1, 5000);"
        "INSERT INTO tameio (hmeromhnia, esoda_hmeras, ejoda_hmeras, ypoloipo) VALUES ('2005-12-01', 1234500, 0, 9876500);"));
    const QStringList tables = {QStringLiteral("taytothta"), QStringLiteral("omades"), QStringLiteral("kvdikoi"),
                                QStringLiteral("kinhseis"), QStringLiteral("tameio")};
    QStringList before = dump(db, tables);
    const QStringList movementColumns = db.columnNames(QStringLiteral("kinhseis"));

    EXPECT_EQ(schemaupgrade::UpgradeSchema(db, answering(std::nullopt)), 7);
    EXPECT_EQ(countAsks, 0);
    EXPECT_TRUE(db.tableExists(QStringLiteral("allages")));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM allages")).toInt(), 0);
    before.replace(0, QStringLiteral("taytothta:7"));
    before.last() += QStringLiteral("|0"); // the tameio row, with its opening
    EXPECT_EQ(dump(db, tables), before);
    EXPECT_EQ(db.columnNames(QStringLiteral("kinhseis")), movementColumns);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT lejh FROM kinhseis_lejeis WHERE aa = 1")).toString(),
              QStringLiteral("πωλησεισ"));
    EXPECT_EQ(dump(db, {QStringLiteral("synola_etoys")}),
              QStringList{QStringLiteral("synola_etoys:1|10|2005|1|1234500|1234500|0|0|5000|5000")});
}

// The step is one transaction: when it fails the version stays 3 and no table is left.
TEST(SchemaUpgrade, FailedStepToFourLeavesVersionThree)
{
    TestDataFolder folder(TestDataFolder::Schema::Fresh);
    auto &db = folder.main();
    // A trigger makes the version update fail after the table was created.
    db.executeScript(QStringLiteral(
        "INSERT INTO taytothta (ariumos) VALUES (3);"
        "ALTER TABLE kinhseis ADD COLUMN L_tajeos INTEGER DEFAULT 0;"
        "CREATE TRIGGER refuse BEFORE UPDATE ON taytothta BEGIN SELECT RAISE(ABORT, 'refused'); END;"));
    EXPECT_EQ(schemaupgrade::UpgradeSchema(db, answering(std::nullopt)), 3);
    EXPECT_EQ(schemaupgrade::currentVersion(db), 3);
    EXPECT_FALSE(db.tableExists(QStringLiteral("allages")));
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
    for (const Case c : {Case{"NULL", schema::CurrentVersion, 1}, Case{"0", schema::CurrentVersion, 1}, Case{"7", 7, 0}, Case{"-1", -1, 0}}) {
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

TEST(SchemaUpgrade, EveryStartMakesTheMissingReadIndexAndThePeriodSumsUseIt)
{
    TestDataFolder folder;
    auto &db = folder.main();
    expectMadeAtStart(db, QStringLiteral("kinhseis_hmeromhnia_posa"));
    EXPECT_EQ(countAsks, 0);
    EXPECT_EQ(schemaupgrade::UpgradeSchema(db, answering(std::nullopt)), schema::CurrentVersion);  // made once

    const QString steps = queryPlan(db, QStringLiteral(
        "SELECT hmeromhnia, kvdikos, SUM(esoda), SUM(ejoda) FROM kinhseis"
        " WHERE hmeromhnia BETWEEN ?1 AND ?2 GROUP BY hmeromhnia, kvdikos ORDER BY hmeromhnia, kvdikos"));
    EXPECT_TRUE(steps.contains(QStringLiteral("COVERING INDEX kinhseis_hmeromhnia_posa"))) << qPrintable(steps);
    EXPECT_FALSE(steps.contains(QStringLiteral("TEMP B-TREE"))) << qPrintable(steps);
}

TEST(SchemaUpgrade, EveryStartMakesTheGroupAndCodeIndexAndTheMovementReportsSumFromIt)
{
    TestDataFolder folder;
    auto &db = folder.main();
    expectMadeAtStart(db, QStringLiteral("kinhseis_omada_posa"));

    // The next pair of group and code is one seek, and a pair's sums over a
    // range (memo amounts included) are read from the index alone.
    const QString next = queryPlan(db, QStringLiteral(
        "SELECT kvdikos FROM kinhseis WHERE aa_omada = ?1 AND kvdikos > ?2 ORDER BY kvdikos LIMIT 1"));
    EXPECT_TRUE(next.contains(QStringLiteral("COVERING INDEX kinhseis_omada_posa (aa_omada=? AND kvdikos>?)")))
        << qPrintable(next);
    const QString sums = queryPlan(db, QStringLiteral(
        "SELECT COUNT(*), SUM(esoda), SUM(ejoda), SUM(IFNULL(L_tajeos, 0)),"
        " total(abs(esoda)), total(abs(ejoda)), total(abs(IFNULL(L_tajeos, 0))),"
        " MIN(esoda), MIN(ejoda), MIN(IFNULL(L_tajeos, 0)) FROM kinhseis"
        " WHERE aa_omada = ?1 AND kvdikos = ?2 AND hmeromhnia >= ?3 AND hmeromhnia <= ?4"));
    EXPECT_TRUE(sums.contains(QStringLiteral("COVERING INDEX kinhseis_omada_posa (aa_omada=? AND kvdikos=? AND "
                                             "hmeromhnia>? AND hmeromhnia<?)")))
        << qPrintable(sums);
}

TEST(SchemaUpgrade, EveryStartMakesTheChequeIndexAndTheChequeReportsReadAlongIt)
{
    TestDataFolder folder;
    auto &db = folder.main();
    expectMadeAtStart(db, QStringLiteral("kinhseis_epitagh_posa"));

    // The list sorts no more than a day's rows at a time; its totals and the
    // summary's groups, in their order, come from the index alone.
    const QString range = QStringLiteral(" FROM kinhseis WHERE hmeromhnia BETWEEN ?1 AND ?2 AND epitagh = -1");
    const QString onIndex = QStringLiteral("kinhseis_epitagh_posa (epitagh=? AND hmeromhnia>? AND hmeromhnia<?)");
    const QString list = queryPlan(db, QStringLiteral("SELECT hmeromhnia, kvdikos, perigrafh, esoda, ejoda,"
                                                      " IFNULL(L_tajeos, 0)")
                                           + range + QStringLiteral(" ORDER BY hmeromhnia DESC, kvdikos, aa"));
    EXPECT_TRUE(list.contains(QStringLiteral("INDEX ") + onIndex)) << qPrintable(list);
    EXPECT_FALSE(list.contains(QStringLiteral("TEMP B-TREE FOR ORDER BY"))) << qPrintable(list);
    const QString totals =
        queryPlan(db, QStringLiteral("SELECT COUNT(*), SUM(ABS(IFNULL(L_tajeos, 0))), SUM(ABS(esoda)),"
                                     " SUM(ABS(ejoda)), MIN(IFNULL(L_tajeos, 0)), MIN(esoda), MIN(ejoda)")
                          + range);
    EXPECT_TRUE(totals.contains(QStringLiteral("COVERING INDEX ") + onIndex)) << qPrintable(totals);
    const QString summary =
        queryPlan(db, QStringLiteral("SELECT hmeromhnia, SUM(IFNULL(L_tajeos, 0))") + range
                          + QStringLiteral(" GROUP BY hmeromhnia, esoda, ejoda, epitagh"
                                           " ORDER BY hmeromhnia, esoda, ejoda, epitagh"));
    EXPECT_TRUE(summary.contains(QStringLiteral("COVERING INDEX ") + onIndex)) << qPrintable(summary);
    EXPECT_FALSE(summary.contains(QStringLiteral("TEMP B-TREE"))) << qPrintable(summary);
}
