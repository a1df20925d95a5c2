#include "platform/db/Database.h"
#include "platform/db/ServerConnection.h"
#include "platform/db/Transaction.h"
#include "support/PgTestServer.h"

#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <thread>

using db::Database;
using db::DbError;

// The same statements, written once for the file engine, on both engines.
namespace {

enum class Engine { File, Server };

class BothEngines : public ::testing::TestWithParam<Engine>
{
protected:
    std::unique_ptr<Database> newDatabase(const QString &name = QStringLiteral("book"))
    {
        if (GetParam() == Engine::File)
            return Database::create(m_dir.filePath(name + QStringLiteral(".mdb")), QStringLiteral("k"));
        if (m_server.isEmpty())
            m_server = PgTestServer::instance().createDatabase();
        return Database::createOnServer(m_server, name);
    }

    QTemporaryDir m_dir;
    QString m_server;
};

std::string engineName(const ::testing::TestParamInfo<Engine> &info)
{
    return info.param == Engine::File ? "File" : "Server";
}

// Names as people type them: accents, final sigma, capitals, diaeresis, Latin.
const QStringList Names{
    QStringLiteral("Σωκράτης"), QStringLiteral("ΣΩΚΡΑΤΗΣ"), QStringLiteral("σωκρατησ"), QStringLiteral("Οδυσσέας"),
    QStringLiteral("ΟΔΥΣΣΕΑΣ"), QStringLiteral("Άλφα"), QStringLiteral("αλφα"), QStringLiteral("Ωμέγα"),
    QStringLiteral("ρολόι"), QStringLiteral("ΡΟΛΟΪ"), QStringLiteral("Ελένη"), QStringLiteral("ελενη"),
    QStringLiteral("Έλενα"), QStringLiteral("Χρήστος"), QStringLiteral("admin"), QStringLiteral("ADMIN"),
    QStringLiteral("Zoë"), QStringLiteral("zoe"), QStringLiteral("Βήτα"), QStringLiteral("βητα "),
    QStringLiteral("ΐ"), QStringLiteral("ι"), QStringLiteral("μ"), QStringLiteral("µ")};

// For each name: how many stored names equal it, and the whole folded order.
struct CollationAnswers
{
    std::vector<qint64> equalCounts;
    QStringList order;
};

CollationAnswers collationAnswers(Database &db)
{
    db.executeScript(QStringLiteral("CREATE TABLE n (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT);"));
    for (const QString &name : Names)
        db.execute(QStringLiteral("INSERT INTO n (name) VALUES (?1)"), name);
    CollationAnswers a;
    for (const QString &name : Names)
        a.equalCounts.push_back(
            db.scalar(QStringLiteral("SELECT count(*) FROM n WHERE name = ?1 COLLATE GREEKCI"), name).toLongLong());
    db::Statement st = db.prepare(QStringLiteral("SELECT name FROM n ORDER BY name COLLATE GREEKCI, id"));
    while (st.next())
        a.order << st.text(0);
    return a;
}

// A book on the private server with the numbered table k, for the cases of
// the server engine alone.
std::unique_ptr<Database> serverBookWithK(const QString &connection)
{
    auto book = Database::createOnServer(connection, QStringLiteral("book"));
    book->executeScript(QStringLiteral("CREATE TABLE k (aa INTEGER PRIMARY KEY AUTOINCREMENT, x INTEGER);"));
    return book;
}

} // namespace

TEST(GreekFolding, SameAnswersOnBothEngines)
{
    QTemporaryDir dir;
    const auto file = Database::create(dir.filePath(QStringLiteral("n.mdb")), QStringLiteral("k"));
    const auto server = Database::createOnServer(PgTestServer::instance().createDatabase(), QStringLiteral("book"));
    const CollationAnswers onFile = collationAnswers(*file);
    const CollationAnswers onServer = collationAnswers(*server);
    // What the file engine answers is known by hand for the telling names.
    ASSERT_EQ(onFile.equalCounts[0], 3);  // Σωκράτης = ΣΩΚΡΑΤΗΣ = σωκρατησ (final sigma)
    ASSERT_EQ(onFile.equalCounts[8], 2);  // ρολόι = ΡΟΛΟΪ
    ASSERT_EQ(onFile.equalCounts[14], 2); // admin = ADMIN
    ASSERT_EQ(onFile.equalCounts[18], 1); // βητα with a trailing blank is another name
    ASSERT_EQ(onFile.equalCounts[22], 2); // micro sign folds to mu
    for (int i = 0; i < Names.size(); ++i)
        EXPECT_EQ(onServer.equalCounts[size_t(i)], onFile.equalCounts[size_t(i)]) << Names[i].toStdString();
    EXPECT_EQ(onServer.order, onFile.order);
}

TEST_P(BothEngines, ValuesTravelExactly)
{
    auto db = newDatabase();
    db->executeScript(QStringLiteral("CREATE TABLE m (aa INTEGER PRIMARY KEY AUTOINCREMENT, day TEXT, "
                                     "amount INTEGER DEFAULT 0, yes INTEGER DEFAULT 0, note TEXT);"));
    const Money big = Money::fromUnits(9'000'000'000'000'001LL); // beyond any double's exactness
    const QString hostile = QStringLiteral("O'Brien; DROP TABLE m; -- ?1 $1");
    db->execute(QStringLiteral("INSERT INTO m (day, amount, yes, note) VALUES (?1, ?2, ?3, ?4)"),
                QDate(2005, 12, 5), big, true, hostile);
    EXPECT_EQ(db->lastInsertId(), 1);
    db->execute(QStringLiteral("INSERT INTO m (day, amount, yes, note) VALUES (?, ?, ?, NULL)"), QDate(2005, 12, 6),
                Money::fromUnits(-25), false);
    EXPECT_EQ(db->lastInsertId(), 2);

    db::Statement st = db->prepare(QStringLiteral("SELECT aa, day, amount, yes, note FROM m ORDER BY aa"));
    ASSERT_TRUE(st.next());
    EXPECT_EQ(st.money(QStringLiteral("amount")), big);
    EXPECT_EQ(st.date(QStringLiteral("day")), QDate(2005, 12, 5));
    EXPECT_TRUE(st.flag(QStringLiteral("yes")));
    EXPECT_EQ(st.integer(3), -1);
    EXPECT_EQ(st.text(QStringLiteral("note")), hostile);
    ASSERT_TRUE(st.next());
    EXPECT_EQ(st.money(2), Money::fromUnits(-25));
    EXPECT_FALSE(st.flag(3));
    EXPECT_TRUE(st.isNull(4));
    EXPECT_FALSE(st.next());

    // Sums stay integers of ten-thousandths; the functions the reports use.
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT IFNULL(SUM(amount), 0) FROM m WHERE +day >= ?1"), QDate(2005, 12, 5))
                  .toLongLong(),
              9'000'000'000'000'001LL - 25);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT IFNULL(SUM(amount), 0) FROM m WHERE day > ?1"), QDate(2006, 1, 1))
                  .toLongLong(),
              0);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT max(2, 7, 3)")).toLongLong(), 7);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT instr(?1, ',' || aa || ',') FROM m WHERE aa = 2"), QStringLiteral(",1,2,"))
                  .toLongLong(),
              3);
    EXPECT_EQ(db->execute(QStringLiteral("UPDATE m SET yes = ?1"), true), 2);
}

TEST_P(BothEngines, ConversionsReadGreekTextAndFailTheStatementOnBadText)
{
    auto db = newDatabase();
    db::Statement st = db->prepare(QStringLiteral("SELECT csng(?1), cdate(?2)"));
    st.bindAll(QStringLiteral("1.234,5"), QStringLiteral("05-12-2005"));
    ASSERT_TRUE(st.next());
    EXPECT_EQ(st.money(0), Money::fromUnits(12'345'000));
    EXPECT_EQ(st.date(1), QDate(2005, 12, 5));

    db->executeScript(QStringLiteral("CREATE TABLE t (d TEXT);"));
    try {
        db->execute(QStringLiteral("INSERT INTO t (d) VALUES (cdate(?1))"), QStringLiteral("32-13-2005"));
        ADD_FAILURE() << "a bad date was written";
    } catch (const DbError &e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Conversion);
    }
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM t")).toLongLong(), 0);
}

TEST_P(BothEngines, SchemaWalkCountersAndInsertOrIgnore)
{
    auto db = newDatabase();
    db->executeScript(QStringLiteral("CREATE TABLE KlhsimoTameioy (Hmeraklhsimatos TEXT);"
                                     "CREATE UNIQUE INDEX hmeraklhsimatos ON KlhsimoTameioy (Hmeraklhsimatos);"
                                     "CREATE TABLE codes (uname TEXT, upass TEXT, dikaivma INTEGER DEFAULT 0);"));
    EXPECT_TRUE(db->tableExists(QStringLiteral("klhsimotameioy")));
    EXPECT_FALSE(db->tableExists(QStringLiteral("kinhseis")));
    QStringList columns;
    for (const QString &c : db->columnNames(QStringLiteral("codes")))
        columns << c.toLower();
    EXPECT_EQ(columns, (QStringList{QStringLiteral("uname"), QStringLiteral("upass"), QStringLiteral("dikaivma")}));
    EXPECT_THROW(db->columnNames(QStringLiteral("nothere")), DbError);

    EXPECT_EQ(db->scalar(QStringLiteral("PRAGMA user_version")).toLongLong(), 0);
    db->executeScript(QStringLiteral("PRAGMA user_version = 3;"));
    EXPECT_EQ(db->scalar(QStringLiteral("PRAGMA user_version")).toLongLong(), 3);

    for (int i = 0; i < 2; ++i)
        db->execute(QStringLiteral("INSERT OR IGNORE INTO KlhsimoTameioy (Hmeraklhsimatos) VALUES (?1)"),
                    QDate(2005, 1, 3));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM KlhsimoTameioy")).toLongLong(), 1);

    // Rows of a table without a key are told apart by their row number.
    db->execute(QStringLiteral("INSERT INTO codes (uname) VALUES (?1)"), QStringLiteral("α"));
    db->execute(QStringLiteral("INSERT INTO codes (uname) VALUES (?1)"), QStringLiteral("β"));
    const qint64 second = db->lastInsertId();
    EXPECT_EQ(db->execute(QStringLiteral("UPDATE codes SET upass = ?1 WHERE rowid = ?2"), QStringLiteral("x"), second), 1);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT uname FROM codes WHERE upass = 'x'")).toString(), QStringLiteral("β"));
}

TEST_P(BothEngines, TransactionKeepsAllOrNothingAcrossTheAttachedFile)
{
    auto main = newDatabase(QStringLiteral("book"));
    auto users = newDatabase(QStringLiteral("users"));
    users->executeScript(QStringLiteral("CREATE TABLE codes (uname TEXT);"));
    main->executeScript(QStringLiteral("CREATE TABLE k (aa INTEGER PRIMARY KEY AUTOINCREMENT, x INTEGER);"));
    users.reset();
    const QString second = GetParam() == Engine::File ? m_dir.filePath(QStringLiteral("users.mdb")) : QStringLiteral("users");
    main->attach(second, QStringLiteral("k"), QStringLiteral("xrhstes"));
    {
        db::Transaction t(*main);
        main->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 1);
        main->execute(QStringLiteral("INSERT INTO xrhstes.codes (uname) VALUES (?1)"), QStringLiteral("a"));
        EXPECT_TRUE(main->inTransaction());
        // left without commit: nothing stays
    }
    EXPECT_FALSE(main->inTransaction());
    EXPECT_EQ(main->scalar(QStringLiteral("SELECT count(*) FROM k")).toLongLong(), 0);
    EXPECT_EQ(main->scalar(QStringLiteral("SELECT count(*) FROM xrhstes.codes")).toLongLong(), 0);
    {
        db::Transaction t(*main);
        main->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 1);
        main->execute(QStringLiteral("INSERT INTO xrhstes.codes (uname) VALUES (?1)"), QStringLiteral("a"));
        t.commit();
    }
    EXPECT_EQ(main->scalar(QStringLiteral("SELECT count(*) FROM k")).toLongLong(), 1);
    EXPECT_EQ(main->scalar(QStringLiteral("SELECT count(*) FROM xrhstes.codes")).toLongLong(), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, BothEngines, ::testing::Values(Engine::File, Engine::Server), engineName);

TEST(ServerEngine, NoBookAndNoServerAreToldApart)
{
    const QString connection = PgTestServer::instance().createDatabase();
    try {
        Database::openOnServer(connection, QStringLiteral("book"));
        ADD_FAILURE() << "opened a book that is not there";
    } catch (const DbError &e) {
        EXPECT_EQ(e.kind(), DbError::Kind::MissingFile);
    }
    QTemporaryDir empty;
    try {
        Database::openOnServer(QStringLiteral("host=%1 port=5432 dbname=x").arg(empty.path()), QStringLiteral("book"));
        ADD_FAILURE() << "reached a server that is not there";
    } catch (const DbError &e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Unreachable);
    }
    try {
        Database::openOnServer(connection + QStringLiteral(" user=nobody_here"), QStringLiteral("book"));
        ADD_FAILURE() << "logged in as an unknown role";
    } catch (const DbError &e) {
        EXPECT_EQ(e.kind(), DbError::Kind::LoginRefused);
    }
}

TEST(ServerEngine, ASecondWriterWaitsForTheFirstAndIsToldWhenTheWaitIsTooLong)
{
    const QString connection = PgTestServer::instance().createDatabase();
    auto first = serverBookWithK(connection);
    auto second = Database::openOnServer(connection, QStringLiteral("book"));
    second->setBusyTimeout(300);

    db::Transaction writing(*first);
    first->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 1);
    try {
        db::Transaction t(*second);
        ADD_FAILURE() << "two writers at once";
    } catch (const DbError &e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Busy);
    }
    writing.commit();
    db::Transaction t(*second);
    second->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 2);
    t.commit();
    EXPECT_EQ(first->scalar(QStringLiteral("SELECT sum(x) FROM k")).toLongLong(), 3);
}

TEST(ServerEngine, ASessionLostInTheMiddleOfAWriteLeavesTheBookWhole)
{
    const QString connection = PgTestServer::instance().createDatabase();
    auto book = serverBookWithK(connection);
    book->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 1);
    auto other = Database::openOnServer(connection, QStringLiteral("book"));
    const qint64 pid = book->scalar(QStringLiteral("SELECT pg_backend_pid()")).toLongLong();
    try {
        db::Transaction t(*book);
        book->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 2);
        book->execute(QStringLiteral("UPDATE k SET x = x + 100"));
        // The network or the server goes away before the commit.
        other->scalar(QStringLiteral("SELECT pg_terminate_backend(?1)"), pid);
        book->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 3);
        t.commit();
        ADD_FAILURE() << "a lost session reported its write as done";
    } catch (const DbError &e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Unreachable);
    }
    EXPECT_EQ(other->scalar(QStringLiteral("SELECT count(*) FROM k")).toLongLong(), 1);
    EXPECT_EQ(other->scalar(QStringLiteral("SELECT sum(x) FROM k")).toLongLong(), 1);
}

TEST(ServerEngine, AServerThatStopsInTheMiddleOfAWriteIsToldAsGoneAndKeepsTheBookWhole)
{
    const QString connection = PgTestServer::instance().createDatabase();
    auto book = serverBookWithK(connection);
    book->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 1);
    auto idle = Database::openOnServer(connection, QStringLiteral("book"));
    const auto toldGone = [](const std::function<void()> &work) {
        try {
            work();
        } catch (const DbError &e) {
            EXPECT_EQ(e.kind(), DbError::Kind::Unreachable) << e.message().toStdString();
            EXPECT_FALSE(e.outcomeUnknown()); // the commit was never sent: nothing was kept
            return true;
        }
        return false;
    };
    EXPECT_TRUE(toldGone([&] {
        db::Transaction t(*book);
        book->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 2);
        // The server's machine stops before the commit.
        PgTestServer::instance().stopNow();
        book->execute(QStringLiteral("UPDATE k SET x = x + 100"));
        t.commit();
    }));
    // A session that was idle meets the stopped server at its next statement.
    EXPECT_TRUE(toldGone([&] { idle->scalar(QStringLiteral("SELECT count(*) FROM k")); }));
    PgTestServer::instance().startAgain();
    auto after = Database::openOnServer(connection, QStringLiteral("book"));
    EXPECT_EQ(after->scalar(QStringLiteral("SELECT count(*) FROM k")).toLongLong(), 1);
    EXPECT_EQ(after->scalar(QStringLiteral("SELECT sum(x) FROM k")).toLongLong(), 1);
}

// The server stops while it works on a COMMIT it was sent: the program
// cannot know whether the work was kept, and must not say it was not.
TEST(ServerEngine, ACommitWhoseAnswerIsLostIsToldAsOfUnknownOutcome)
{
    const QString connection = PgTestServer::instance().createDatabase();
    auto book = serverBookWithK(connection);
    // A deferred trigger holds the COMMIT open for a while (set up past the
    // layer, which carries no such form).
    PGconn *raw = PQconnectdb(connection.toUtf8().constData());
    ASSERT_EQ(PQstatus(raw), CONNECTION_OK) << PQerrorMessage(raw);
    PGresult *schema = PQexec(raw, "SELECT table_schema FROM information_schema.tables WHERE table_name = 'k'");
    ASSERT_EQ(PQntuples(schema), 1);
    const QByteArray k = QByteArray(PQgetvalue(schema, 0, 0)) + ".k";
    PQclear(schema);
    PGresult *made = PQexec(raw, ("CREATE FUNCTION slow_commit() RETURNS trigger LANGUAGE plpgsql AS "
                                  "$$ BEGIN PERFORM pg_sleep(3); RETURN NULL; END $$; "
                                  "CREATE CONSTRAINT TRIGGER slow AFTER INSERT ON " + k
                                  + " DEFERRABLE INITIALLY DEFERRED FOR EACH ROW EXECUTE FUNCTION slow_commit()")
                                     .constData());
    ASSERT_EQ(PQresultStatus(made), PGRES_COMMAND_OK) << PQresultErrorMessage(made);
    PQclear(made);
    PQfinish(raw);

    bool toldUnknown = false;
    std::thread stopper([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        PgTestServer::instance().stopNow();
    });
    try {
        db::Transaction t(*book);
        book->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 1);
        t.commit();
        ADD_FAILURE() << "the commit was answered although the server stopped";
    } catch (const DbError &e) {
        EXPECT_EQ(e.kind(), DbError::Kind::Unreachable) << e.message().toStdString();
        toldUnknown = e.outcomeUnknown();
    }
    stopper.join();
    PgTestServer::instance().startAgain();
    EXPECT_TRUE(toldUnknown);
}

TEST_P(BothEngines, ATransactionInWhichAStatementFailedIsNotCommitted)
{
    auto db = newDatabase();
    db->executeScript(QStringLiteral("CREATE TABLE k (aa INTEGER PRIMARY KEY AUTOINCREMENT, x INTEGER, d TEXT);"
                                     "CREATE UNIQUE INDEX kx ON k (x);"));
    db->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 1);
    const auto count = [&] { return db->scalar(QStringLiteral("SELECT count(*) FROM k")).toLongLong(); };

    // The caller catches the failure and goes on, as if the statement were allowed to fail.
    const auto caughtInside = [&](const std::function<void()> &failing) {
        db::Transaction t(*db);
        db->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 2);
        EXPECT_THROW(failing(), DbError);
        try {
            t.commit();
            ADD_FAILURE() << "a transaction with a failed statement was reported committed";
        } catch (const DbError &e) {
            EXPECT_TRUE(e.message().contains(QLatin1String("not committed"))) << e.message().toStdString();
        }
        EXPECT_FALSE(db->inTransaction());
        EXPECT_EQ(count(), 1); // the row before the failure is gone too
    };
    caughtInside([&] { db->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 1); });
    caughtInside([&] { db->execute(QStringLiteral("UPDATE k SET d = cdate(?1)"), QStringLiteral("32-13-2005")); });
    caughtInside([&] { db->scalar(QStringLiteral("SELECT nothere FROM k")); });

    // The next transaction starts clean.
    {
        db::Transaction t(*db);
        db->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 3);
        t.commit();
    }
    EXPECT_EQ(count(), 2);
    // Outside a transaction a failure touches nothing else.
    EXPECT_THROW(db->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 3), DbError);
    db->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 4);
    EXPECT_EQ(count(), 3);
}

TEST_P(BothEngines, RowsOfOneStatementAreReadWhileOthersRun)
{
    auto db = newDatabase();
    db->executeScript(QStringLiteral("CREATE TABLE src (aa INTEGER PRIMARY KEY AUTOINCREMENT, x INTEGER);"
                                     "CREATE TABLE dst (aa INTEGER PRIMARY KEY AUTOINCREMENT, x INTEGER);"));
    {
        db::Transaction t(*db);
        db::Statement insert = db->prepare(QStringLiteral("INSERT INTO src (x) VALUES (?1)"));
        for (int i = 1; i <= 3000; ++i) {
            insert.reset();
            insert.bind(1, i);
            insert.run();
        }
        t.commit();
    }
    // Each row read is copied while the reading goes on, as the schema walk does.
    db::Statement rows = db->prepare(QStringLiteral("SELECT x FROM src ORDER BY x"));
    qint64 expected = 0, copied = 0;
    db::Transaction t(*db);
    while (rows.next()) {
        ++expected;
        EXPECT_EQ(rows.integer(0), expected);
        if (expected % 1000 == 1)
            copied += db->execute(QStringLiteral("INSERT INTO dst (x) VALUES (?1)"), rows.integer(0));
    }
    t.commit();
    EXPECT_EQ(expected, 3000);
    EXPECT_EQ(copied, 3);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT sum(x) FROM dst")).toLongLong(), 1 + 1001 + 2001);

    // A statement left half read leaves the connection usable.
    {
        db::Statement half = db->prepare(QStringLiteral("SELECT x FROM src ORDER BY x"));
        ASSERT_TRUE(half.next());
    }
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM src")).toLongLong(), 3000);
}

TEST(ServerEngine, AStatementIsPreparedOnceAndTheSessionKeepsABoundedNumber)
{
    auto db = serverBookWithK(PgTestServer::instance().createDatabase());
    const auto onServer = [&] {
        return db->scalar(QStringLiteral("SELECT count(*) FROM pg_prepared_statements")).toLongLong();
    };
    const qint64 before = onServer();
    for (int i = 0; i < 20; ++i)
        db->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), i);
    EXPECT_EQ(onServer(), before + 1);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT sum(x) FROM k")).toLongLong(), 190);

    const int limit = db::server::ServerConnection::PreparedLimit;
    for (int i = 0; i < limit + 40; ++i)
        EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) + %1 FROM k").arg(i)).toLongLong(), 20 + i);
    EXPECT_LE(db->serverConnection()->preparedCount(), limit);
    EXPECT_LE(onServer(), limit + 1); // the ones let go are released on the server too
}

TEST(ServerEngine, APreparedStatementWhoseTableChangedShapeIsPreparedAgain)
{
    const QString connection = PgTestServer::instance().createDatabase();
    auto db = serverBookWithK(connection);
    db->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 5);
    auto other = Database::openOnServer(connection, QStringLiteral("book"));
    const QString all = QStringLiteral("SELECT * FROM k WHERE aa > ?1");
    const auto columns = [&] {
        db::Statement st = db->prepare(all);
        st.bind(1, 0);
        EXPECT_TRUE(st.next());
        return st.columnCount();
    };
    EXPECT_EQ(columns(), 2);

    // Another workstation's schema walk adds a field: outside a transaction the
    // statement is prepared again and sees it.
    other->executeScript(QStringLiteral("ALTER TABLE k ADD COLUMN y INTEGER DEFAULT 7;"));
    EXPECT_EQ(columns(), 3);
    // A session that lost what it had prepared (reset by a pool, say) prepares it again.
    db->executeScript(QStringLiteral("DEALLOCATE ALL;"));
    EXPECT_EQ(columns(), 3);

    // Inside a transaction the server has already failed it: the transaction
    // cannot go on, and says so; the next one prepares afresh.
    other->executeScript(QStringLiteral("ALTER TABLE k ADD COLUMN z INTEGER DEFAULT 8;"));
    {
        db::Transaction t(*db);
        EXPECT_THROW(columns(), DbError);
        EXPECT_THROW(t.commit(), DbError);
    }
    EXPECT_EQ(columns(), 4);

    // The session's own change of a table, inside its transaction, needs no retry.
    {
        db::Transaction t(*db);
        EXPECT_EQ(columns(), 4);
        db->executeScript(QStringLiteral("ALTER TABLE k ADD COLUMN w INTEGER DEFAULT 9;"));
        EXPECT_EQ(columns(), 5);
        db->execute(QStringLiteral("ALTER TABLE k ADD COLUMN v INTEGER DEFAULT 10"));
        EXPECT_EQ(columns(), 6);
        t.commit();
    }
    // A table dropped and made again is found by its name.
    other->executeScript(QStringLiteral("DROP TABLE k; CREATE TABLE k (aa INTEGER PRIMARY KEY AUTOINCREMENT, x INTEGER);"));
    other->execute(QStringLiteral("INSERT INTO k (x) VALUES (?1)"), 6);
    EXPECT_EQ(columns(), 2);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT x FROM k WHERE aa > ?1"), 0).toLongLong(), 6);
}

// A long result comes row by row: while the caller is at its first rows the
// server is still sending (its session is busy), so the client never holds it all.
TEST(ServerEngine, ALongResultArrivesRowByRow)
{
    const QString connection = PgTestServer::instance().createDatabase();
    auto db = Database::createOnServer(connection, QStringLiteral("book"));
    db->executeScript(QStringLiteral("CREATE TABLE k (aa INTEGER PRIMARY KEY AUTOINCREMENT, x INTEGER, t TEXT);"
                                     "INSERT INTO k (x, t) SELECT g, repeat('α', 60) FROM generate_series(1, 200000) g;"));
    auto watcher = Database::openOnServer(connection, QStringLiteral("book"));
    const qint64 pid = db->scalar(QStringLiteral("SELECT pg_backend_pid()")).toLongLong();
    const auto state = [&] {
        return watcher->scalar(QStringLiteral("SELECT state FROM pg_stat_activity WHERE pid = ?1"), pid).toString();
    };

    db::Statement rows = db->prepare(QStringLiteral("SELECT x, t FROM k ORDER BY x"));
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(state(), QStringLiteral("active"));
    qint64 n = 1, sum = rows.integer(0);
    while (rows.next()) {
        ++n;
        sum += rows.integer(0);
        if (n == 100) { // another statement meanwhile: the rest waits in memory, in order
            EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM k")).toLongLong(), 200000);
        }
    }
    EXPECT_EQ(n, 200000);
    EXPECT_EQ(sum, 200000LL * 200001 / 2);
    EXPECT_EQ(state(), QStringLiteral("idle"));

    // A failure after some rows reaches the caller after those rows, also when
    // the rest had to be read ahead for another statement.
    // (no order: the rows come as they lie, in the order they were made)
    db::Statement failing = db->prepare(QStringLiteral("SELECT 10 / (1000 - x) FROM k WHERE x < 2000"));
    int read = 0;
    try {
        while (failing.next())
            if (++read == 10)
                db->scalar(QStringLiteral("SELECT 1"));
        ADD_FAILURE() << "the division by zero was not reported";
    } catch (const DbError &) {
        EXPECT_EQ(read, 999);
    }
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM k WHERE x <= ?1"), 10).toLongLong(), 10);
}

// The balance of every later day moves with each booking: with room left in
// its pages the server writes each new version beside the old one and leaves
// the indexes alone ("heap-only" updates), instead of a new index entry per row.
TEST(ServerEngine, ATableLeftRoomForUpdatesRewritesItsRowsInTheirPages)
{
    auto db = Database::createOnServer(PgTestServer::instance().createDatabase(), QStringLiteral("book"));
    db->executeScript(QStringLiteral("CREATE TABLE t (aa INTEGER PRIMARY KEY AUTOINCREMENT, d TEXT, b INTEGER);"
                                     "CREATE UNIQUE INDEX td ON t (d);"));
    db->leaveRoomForUpdates(QStringLiteral("t"));
    db->leaveRoomForUpdates(QStringLiteral("t")); // once set, left as it is
    EXPECT_THROW(db->leaveRoomForUpdates(QStringLiteral("nothere")), DbError);
    db->executeScript(QStringLiteral("INSERT INTO t (d, b) SELECT lpad(g::text, 6, '0'), 0 FROM generate_series(1, 2000) g;"));

    db::Transaction t(*db);
    EXPECT_EQ(db->execute(QStringLiteral("UPDATE t SET b = b + ?1 WHERE d > ?2"), 5, QStringLiteral("000001")), 1999);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT n_tup_hot_upd FROM pg_stat_xact_user_tables "
                                        "WHERE schemaname = 'book' AND relname = 't'"))
                  .toLongLong(),
              1999);
    t.commit();
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT sum(b) FROM t")).toLongLong(), 5 * 1999);
}
