#include "shell/login/UserAdmin.h"
#include "data/AuditLog.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

namespace {

login::UserRow values(const QString &name, const QString &password, bool a = false, bool b = false, bool c = false)
{
    login::UserRow row;
    row.name = name;
    row.password = password;
    row.changeRecords = a;
    row.closeCash = b;
    row.groupsCodes = c;
    return row;
}

QStringList names(db::Database &users)
{
    QStringList out;
    for (const login::UserRow &r : login::listUsers(users))
        out << r.name;
    return out;
}

} // namespace

class UserAdmin : public ::testing::Test
{
protected:
    TestDataFolder data; // holds admin/admin
    ScriptedMessages boxes;
    const auditlog::Author by{QStringLiteral("rootdesk"), QStringLiteral("desk1")};
};

TEST_F(UserAdmin, BlankNameOrPasswordIsRefusedAndNothingWritten)
{
    // Adding needs both; changing needs the name (an empty password keeps the old one).
    struct Case
    {
        login::UserRow row;
        bool changeRefused;
    };
    const Case blanks[] = {{values(QString(), QStringLiteral("p")), true},
                           {values(QStringLiteral("   "), QStringLiteral("p")), true},
                           {values(QStringLiteral("admin"), QString()), false},
                           {values(QStringLiteral("admin"), QStringLiteral(" \t")), false}};
    const qint64 admin = login::listUsers(data.users()).first().rowId;
    for (const Case &c : blanks) {
        boxes.clear();
        EXPECT_FALSE(login::addUser(data.users(), c.row, by));
        EXPECT_NE(login::changeUser(data.users(), admin, c.row, by), c.changeRefused);
        ASSERT_EQ(boxes.count(), c.changeRefused ? 2 : 1);
        EXPECT_EQ(boxes.last().title, QStringLiteral("Προσοχή"));
        EXPECT_EQ(boxes.last().text, QStringLiteral("Δεν έχετε δώσει το Ονομα του χρήστη ή το κωδικό του"));
    }
    EXPECT_EQ(names(data.users()), QStringList{QStringLiteral("admin")});
}

TEST_F(UserAdmin, AddStoresTrimmedValuesAndAcceptsDuplicates)
{
    ASSERT_TRUE(
        login::addUser(data.users(), values(QStringLiteral("  Άννα "), QStringLiteral(" 12 "), true, false, true), by));
    ASSERT_TRUE(login::addUser(data.users(), values(QStringLiteral("Άννα"), QStringLiteral("34")), by));
    const QList<login::UserRow> rows = login::listUsers(data.users());
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[1].name, QStringLiteral("Άννα"));
    EXPECT_TRUE(rows[1].password.isEmpty()); // never read back
    EXPECT_TRUE(login::findUser(data.users(), QStringLiteral("άννα"), QStringLiteral("12")));
    EXPECT_EQ(data.users().scalar(QStringLiteral("SELECT count(*) FROM codes WHERE upass LIKE '%12%' "
                                                 "AND upass NOT LIKE 'pbkdf2-sha256$%'"))
                  .toInt(),
              0);
    EXPECT_TRUE(rows[1].changeRecords);
    EXPECT_FALSE(rows[1].closeCash);
    EXPECT_TRUE(rows[1].groupsCodes);
    EXPECT_EQ(rows[2].name, QStringLiteral("Άννα"));
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(UserAdmin, ChangeEditsOnlyTheChosenRowEvenAmongDuplicates)
{
    login::addUser(data.users(), values(QStringLiteral("anna"), QStringLiteral("1")), by);
    login::addUser(data.users(), values(QStringLiteral("anna"), QStringLiteral("2")), by);
    const qint64 second = login::listUsers(data.users()).at(2).rowId;
    ASSERT_TRUE(login::changeUser(data.users(), second,
                                  values(QStringLiteral("anna b"), QStringLiteral("9"), false, true, false), by));
    const QList<login::UserRow> rows = login::listUsers(data.users());
    EXPECT_EQ(rows[1].name, QStringLiteral("anna"));
    EXPECT_EQ(rows[2].name, QStringLiteral("anna b"));
    EXPECT_TRUE(rows[2].closeCash);
    EXPECT_TRUE(login::findUser(data.users(), QStringLiteral("anna"), QStringLiteral("1")));
    EXPECT_TRUE(login::findUser(data.users(), QStringLiteral("anna b"), QStringLiteral("9")));
    EXPECT_FALSE(login::findUser(data.users(), QStringLiteral("anna b"), QStringLiteral("2")));
}

TEST_F(UserAdmin, EmptyPasswordOnChangeKeepsTheOldOne)
{
    login::addUser(data.users(), values(QStringLiteral("anna"), QStringLiteral("old")), by);
    const qint64 anna = login::listUsers(data.users()).at(1).rowId;
    const auto stored = [&] {
        return data.users().scalar(QStringLiteral("SELECT upass FROM codes WHERE rowid = ?1"), anna).toString();
    };
    const QString before = stored();

    for (const QString &blank : {QString(), QStringLiteral("   ")}) {
        ASSERT_TRUE(login::changeUser(data.users(), anna, values(QStringLiteral("anna k"), blank, true), by));
        EXPECT_EQ(stored(), before);
    }
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_TRUE(login::findUser(data.users(), QStringLiteral("anna k"), QStringLiteral("OLD")));
    EXPECT_TRUE(login::listUsers(data.users()).at(1).changeRecords);

    ASSERT_TRUE(login::changeUser(data.users(), anna, values(QStringLiteral("anna k"), QStringLiteral(" new ")), by));
    EXPECT_FALSE(login::findUser(data.users(), QStringLiteral("anna k"), QStringLiteral("old")));
    EXPECT_TRUE(login::findUser(data.users(), QStringLiteral("anna k"), QStringLiteral("new")));
}

TEST_F(UserAdmin, DeleteAsksAndCancelKeepsTheUser)
{
    login::addUser(data.users(), values(QStringLiteral("anna"), QStringLiteral("1")), by);
    const qint64 anna = login::listUsers(data.users()).at(1).rowId;

    boxes.answerNext(msg::Answer::Cancel);
    EXPECT_FALSE(login::deleteUser(data.users(), anna, by));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("Διαγραφή χρήστη"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Να γίνει η διαγραφή του χρήστη; "));
    EXPECT_EQ(boxes.last().buttons, msg::Buttons::OkCancel);
    EXPECT_EQ(names(data.users()).size(), 2);

    boxes.answerNext(msg::Answer::Ok);
    EXPECT_TRUE(login::deleteUser(data.users(), anna, by));
    EXPECT_EQ(names(data.users()), QStringList{QStringLiteral("admin")});
}

// Every change of a user leaves a row: who, where, the user and what changed.
// Refused and cancelled changes leave none, and no row holds a password.
TEST_F(UserAdmin, EveryChangeOfAUserIsLoggedWithoutThePassword)
{
    data.users().execute(QStringLiteral("DELETE FROM katagrafh"));
    const auto rows = [&] {
        QStringList out;
        db::Statement st = data.users().prepare(
            QStringLiteral("SELECT xrhsths || '|' || stathmos || '|' || energeia FROM katagrafh ORDER BY aa"));
        while (st.next())
            out << st.text(0);
        return out;
    };
    ASSERT_TRUE(login::addUser(data.users(),
                               values(QStringLiteral(" Άννα "), QStringLiteral("Μυστικό-1"), true, false, true), by));
    EXPECT_FALSE(login::addUser(data.users(), values(QStringLiteral("Νίκος"), QStringLiteral("  ")), by)); // refused
    const qint64 anna = login::listUsers(data.users()).at(1).rowId;
    ASSERT_TRUE(
        login::changeUser(data.users(), anna, values(QStringLiteral("Άννα Κ"), QString(), true, true, true), by));
    ASSERT_TRUE(login::changeUser(data.users(), anna,
                                  values(QStringLiteral("Άννα Κ"), QStringLiteral("Μυστικό-2"), true, true, true), by));
    ASSERT_TRUE(
        login::changeUser(data.users(), anna, values(QStringLiteral("Άννα Κ"), QString(), true, true, true), by));
    boxes.answerNext(msg::Answer::Cancel);
    EXPECT_FALSE(login::deleteUser(data.users(), anna, by));
    boxes.answerNext(msg::Answer::Ok);
    ASSERT_TRUE(login::deleteUser(data.users(), anna, by));

    const QString who = QStringLiteral("rootdesk|desk1|");
    EXPECT_EQ(rows(),
              (QStringList{
                  who + QStringLiteral("Νέος χρήστης «Άννα»: εγγραφές ταμείου ναι, κλείσιμο ταμείου όχι, "
                                       "ομάδες και κωδικοί ναι"),
                  who + QStringLiteral("Μεταβολή χρήστη «Άννα»: όνομα «Άννα Κ», κλείσιμο ταμείου ναι (ήταν όχι)"),
                  who + QStringLiteral("Μεταβολή χρήστη «Άννα Κ»: νέος κωδικός"),
                  who + QStringLiteral("Μεταβολή χρήστη «Άννα Κ»: καμία αλλαγή"),
                  who + QStringLiteral("Διαγραφή χρήστη «Άννα Κ»"),
              }));
    for (const QString &row : rows())
        EXPECT_FALSE(row.contains(QStringLiteral("μυστικό"), Qt::CaseInsensitive)) << row.toStdString();
}

// The row is written in the change's own transaction: when it cannot be
// written, the change is not made either.
TEST_F(UserAdmin, AChangeWhoseLogRowFailsIsNotMade)
{
    data.users().execute(QStringLiteral("DROP TABLE katagrafh"));
    EXPECT_THROW(login::addUser(data.users(), values(QStringLiteral("anna"), QStringLiteral("1")), by), db::DbError);
    EXPECT_EQ(names(data.users()), QStringList{QStringLiteral("admin")});
}
