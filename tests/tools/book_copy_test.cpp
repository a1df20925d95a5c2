#include "data/AppGlobals.h"
#include "data/ServerBook.h"
#include "data/Store.h"
#include "support/PgTestServer.h"
#include "support/TestDataFolder.h"
#include "tools/BookCopy.h"

#include <gtest/gtest.h>

// A folder's book copied onto a server, checked before it is called done.
namespace {

struct Movement
{
    QString day;
    int code;
    qint64 in;
    qint64 out;
};

const QList<Movement> Movements{
    {QStringLiteral("2005-12-05"), 10, 1'500'000, 0},     {QStringLiteral("2005-12-05"), 20, 0, 250'000},
    {QStringLiteral("2005-12-06"), 10, 99'999'999'999, 0}, {QStringLiteral("2005-12-07"), 20, 0, 1},
    {QStringLiteral("2005-12-07"), 10, 7, 3},
};

// A small book with movements, its days' chain, a closed day and users.
void fill(TestDataFolder &folder)
{
    folder.addCode(10, QStringLiteral("Εισπράξεις"), true);
    folder.addCode(20, QStringLiteral("Πληρωμές"), false);
    for (const Movement &m : Movements)
        folder.main().execute(QStringLiteral("INSERT INTO kinhseis (kvdikos, hmeromhnia, perigrafh, esoda, ejoda) "
                                             "VALUES (?1, ?2, ?3, ?4, ?5)"),
                              m.code, m.day, QStringLiteral("κίνηση"), m.in, m.out);
    qint64 balance = 0;
    for (const QString &day : {QStringLiteral("2005-12-05"), QStringLiteral("2005-12-06"), QStringLiteral("2005-12-07")}) {
        qint64 in = 0, out = 0;
        for (const Movement &m : Movements)
            if (m.day == day) {
                in += m.in;
                out += m.out;
            }
        balance += in - out;
        folder.main().execute(QStringLiteral("INSERT INTO tameio (hmeromhnia, esoda_hmeras, ejoda_hmeras, ypoloipo) "
                                             "VALUES (?1, ?2, ?3, ?4)"),
                              day, in, out, balance);
    }
    folder.closeDay(QDate(2005, 12, 5));
    folder.addUser(QStringLiteral("Μαρία"), QStringLiteral("μέλι"), true, false, true);
}

} // namespace

TEST(BookCopy, EveryRowArrivesAndTheServerBookCarriesOn)
{
    TestDataFolder folder;
    fill(folder);
    const QString connection = PgTestServer::instance().createDatabase();
    bookcopy::copyToServer(folder.path(), globals().DbPassword, connection);

    Store copy(connection, globals().DbPassword);
    EXPECT_NO_THROW(copy.checkTables());
    qint64 in = 0;
    for (const Movement &m : Movements)
        in += m.in;
    EXPECT_EQ(copy.main().scalar(QStringLiteral("SELECT count(*) FROM kinhseis")).toLongLong(), Movements.size());
    EXPECT_EQ(copy.main().scalar(QStringLiteral("SELECT sum(esoda) FROM kinhseis")).toLongLong(), in);
    EXPECT_EQ(copy.main().scalar(QStringLiteral("SELECT ypoloipo FROM tameio WHERE hmeromhnia = '2005-12-07'"))
                  .toLongLong(),
              1'500'000 - 250'000 + 99'999'999'999 - 1 + 7 - 3);
    EXPECT_EQ(copy.users().scalar(QStringLiteral("SELECT count(*) FROM codes WHERE uname = ?1"), QStringLiteral("Μαρία"))
                  .toLongLong(),
              1);
    EXPECT_EQ(copy.users().scalar(QStringLiteral("SELECT count(*) FROM KlhsimoTameioy")).toLongLong(), 1);
    // The counters go on after the copied numbers.
    const qint64 highest = copy.main().scalar(QStringLiteral("SELECT max(aa) FROM kinhseis")).toLongLong();
    copy.main().execute(QStringLiteral("INSERT INTO kinhseis (kvdikos, hmeromhnia) VALUES (10, '2005-12-08')"));
    EXPECT_EQ(copy.main().lastInsertId(), highest + 1);
}

TEST(BookCopy, OneMovementThatDiffersLeavesNoBookOnTheServer)
{
    TestDataFolder folder;
    fill(folder);
    const QString connection = PgTestServer::instance().createDatabase();
    try {
        bookcopy::copyToServer(folder.path(), globals().DbPassword, connection, [](db::Database &server) {
            server.execute(QStringLiteral("UPDATE kinhseis SET esoda = esoda + 1 WHERE aa = 3"));
        });
        ADD_FAILURE() << "a copy that differs was called done";
    } catch (const db::DbError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("movements per day"))) << e.message().toStdString();
    }
    EXPECT_EQ(serverbook::probe(connection), serverbook::Reach::NoBook);
    // Nothing half-made stands in the way of a copy done again.
    EXPECT_NO_THROW(bookcopy::copyToServer(folder.path(), globals().DbPassword, connection));
}
