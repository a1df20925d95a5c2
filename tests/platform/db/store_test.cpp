#include "platform/db/Database.h"
#include "platform/db/Transaction.h"
#include "support/TestDataFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

using db::Database;
using db::DbError;

namespace {

const QString Key = QStringLiteral("VentoKeeper");

DbError::Kind openFailure(const QString &path, const QString &key)
{
    try {
        Database::open(path, key);
    } catch (const DbError &e) {
        return e.kind();
    }
    ADD_FAILURE() << "open succeeded: " << path.toStdString();
    return DbError::Kind::Sql;
}

} // namespace

TEST(Store, RefusesFilesThatAreNotOurs)
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.mdb"));
    Database::create(good, Key)->execute(QStringLiteral("CREATE TABLE t (x)"));

    EXPECT_EQ(openFailure(dir.filePath(QStringLiteral("missing.mdb")), Key), DbError::Kind::MissingFile);
    EXPECT_EQ(openFailure(good, QStringLiteral("other")), DbError::Kind::WrongKey);

    // A plain SQLite file made with the engine but no key.
    const QString plain = dir.filePath(QStringLiteral("plain.mdb"));
    sqlite3 *raw = nullptr;
    sqlite3_open(plain.toUtf8().constData(), &raw);
    sqlite3_exec(raw, "CREATE TABLE t (x)", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    EXPECT_EQ(openFailure(plain, Key), DbError::Kind::NotEncrypted);

    const QString junk = dir.filePath(QStringLiteral("junk.mdb"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    EXPECT_EQ(openFailure(junk, Key), DbError::Kind::WrongKey);

    EXPECT_THROW(Database::create(good, Key), DbError); // never overwritten
    auto db = Database::open(good, Key);
    try {
        db->requireTable(QStringLiteral("kinhseis"));
        FAIL();
    } catch (const DbError &e) {
        EXPECT_EQ(e.kind(), DbError::Kind::MissingTable);
    }
    try {
        db->execute(QStringLiteral("SELECT * FROM nothere"));
        FAIL();
    } catch (const DbError &e) {
        EXPECT_EQ(e.kind(), DbError::Kind::MissingTable);
    }
}

TEST(Store, OpensAFileMadeAtTheRealKeyCost)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("real.mdb"));
    Database::setKdfIterations(0);
    {
        auto db = Database::create(path, Key);
        db->execute(QStringLiteral("CREATE TABLE t (x)"));
        db->execute(QStringLiteral("INSERT INTO t VALUES (?1)"), 42);
    }
    EXPECT_EQ(Database::open(path, Key)->scalar(QStringLiteral("SELECT x FROM t")).toInt(), 42);
    Database::setKdfIterations(64);
    // Opened at a different cost the key no longer fits: the cost is part of the format.
    EXPECT_EQ(openFailure(path, Key), DbError::Kind::WrongKey);
}

TEST(Store, TypedTextTravelsAsBoundValuesUnchanged)
{
    TestDataFolder folder;
    auto &db = folder.main();
    const QString tricky[] = {QStringLiteral("Ο'ΝΙΛ"), QStringLiteral("' or '1'='1"), QStringLiteral("Ενοίκιο \"Μάιος\""),
                              QStringLiteral("a;DROP TABLE kinhseis;--")};
    for (const QString &t : tricky)
        db.execute(QStringLiteral("INSERT INTO omades (perigrafh) VALUES (?1)"), t);
    for (const QString &t : tricky)
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT perigrafh FROM omades WHERE perigrafh = ?1"), t).toString(), t);
    EXPECT_TRUE(db.tableExists(QStringLiteral("kinhseis")));
}

TEST(Store, RowsReadByPositionAndByName)
{
    TestDataFolder folder;
    auto &db = folder.main();
    db.execute(QStringLiteral("INSERT INTO kinhseis (kvdikos, hmeromhnia, perigrafh, esoda, ejoda, epitagh, L_tajeos) "
                              "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)"),
               7, QDate(2005, 12, 5), QStringLiteral("Ενοίκιο"), Money::fromCents(10000), Money(), true,
               Money::fromUnits(1677721700)); // 167.772,17 would not survive single precision
    auto st = db.prepare(QStringLiteral("SELECT * FROM kinhseis"));
    ASSERT_TRUE(st.next());
    EXPECT_EQ(st.integer(1), 7);
    EXPECT_EQ(st.date(2), QDate(2005, 12, 5));
    EXPECT_EQ(st.text(QStringLiteral("PERIGRAFH")), QStringLiteral("Ενοίκιο"));
    EXPECT_EQ(st.money(QStringLiteral("esoda")), Money::fromCents(10000));
    EXPECT_TRUE(st.flag(8));
    EXPECT_EQ(st.money(9).units(), 1677721700);
    EXPECT_THROW(st.text(QStringLiteral("nofield")), DbError);
    EXPECT_FALSE(st.next());
}

TEST(Store, ConversionsFailTheWholeStatementOnBadText)
{
    TestDataFolder folder;
    auto &db = folder.main();
    db.execute(QStringLiteral("INSERT INTO tameio (hmeromhnia, ypoloipo) VALUES ('2005-12-05', 100)"));
    db.execute(QStringLiteral("INSERT INTO tameio (hmeromhnia, ypoloipo) VALUES ('2005-12-06', 200)"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT cdate(?1)"), QStringLiteral("5-12-2005")).toString(),
              QStringLiteral("2005-12-05"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT csng(?1)"), QStringLiteral("1.234,56")).toLongLong(), 12345600);
    for (const QString &bad : {QString(), QStringLiteral("12,ab"), QStringLiteral("x")}) {
        try {
            db.execute(QStringLiteral("UPDATE tameio SET ypoloipo = csng(?1)"), bad);
            FAIL() << bad.toStdString();
        } catch (const DbError &e) {
            EXPECT_EQ(e.kind(), DbError::Kind::Conversion);
        }
        EXPECT_THROW(db.execute(QStringLiteral("UPDATE tameio SET ypoloipo = 1 WHERE hmeromhnia >= cdate(?1)"), bad),
                     DbError);
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT sum(ypoloipo) FROM tameio")).toLongLong(), 300);
}

TEST(Store, GreekCollationIgnoresCaseAndAccents)
{
    TestDataFolder folder;
    folder.addUser(QStringLiteral("μαρία"), QStringLiteral("1"), false, false, false);
    auto &users = folder.users();
    const auto count = [&](const QString &name) {
        return users.scalar(QStringLiteral("SELECT count(*) FROM codes WHERE uname = ?1 COLLATE GREEKCI"), name).toInt();
    };
    EXPECT_EQ(count(QStringLiteral("ΜΑΡΙΑ")), 1);
    EXPECT_EQ(count(QStringLiteral("Μαρία")), 1);
    EXPECT_EQ(count(QStringLiteral("ADMIN")), 1);
    EXPECT_EQ(count(QStringLiteral("ΜΑΡΙΑ ")), 0);
}

TEST(Store, TransactionKeepsAllOrNothing)
{
    TestDataFolder folder;
    auto &db = folder.main();
    try {
        db::Transaction t(db);
        db.execute(QStringLiteral("INSERT INTO omades (perigrafh) VALUES ('Α')"));
        db.execute(QStringLiteral("INSERT INTO nothere VALUES (1)"));
        t.commit();
    } catch (const DbError &) {
    }
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM omades")).toInt(), 0);
    {
        db::Transaction t(db);
        db.execute(QStringLiteral("INSERT INTO omades (perigrafh) VALUES ('Β')"));
        t.commit();
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM omades")).toInt(), 1);
}

TEST(Store, SecondConnectionSeesCommittedWritesAndWaitsForLocks)
{
    TestDataFolder folder;
    auto other = Database::open(folder.main().path(), Key);
    other->setBusyTimeout(50);
    {
        db::Transaction t(folder.main());
        folder.main().execute(QStringLiteral("INSERT INTO omades (perigrafh) VALUES ('Γ')"));
        // While one workstation writes, the other cannot start writing.
        EXPECT_THROW(other->begin(), DbError);
        t.commit();
    }
    EXPECT_EQ(other->scalar(QStringLiteral("SELECT count(*) FROM omades")).toInt(), 1);
    EXPECT_EQ(other->scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("delete"));
}
