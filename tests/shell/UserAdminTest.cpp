#include "shell/login/UserAdmin.h"
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
};

TEST_F(UserAdmin, BlankNameOrPasswordIsRefusedAndNothingWritten)
{
    const login::UserRow blanks[] = {
        values(QString(), QStringLiteral("p")), values(QStringLiteral("   "), QStringLiteral("p")),
        values(QStringLiteral("anna"), QString()), values(QStringLiteral("anna"), QStringLiteral(" \t"))};
    const qint64 admin = login::listUsers(data.users()).first().rowId;
    for (const login::UserRow &row : blanks) {
        boxes.clear();
        EXPECT_FALSE(login::addUser(data.users(), row));
        EXPECT_FALSE(login::changeUser(data.users(), admin, row));
        ASSERT_EQ(boxes.count(), 2);
        EXPECT_EQ(boxes.last().title, QStringLiteral("Προσοχή"));
        EXPECT_EQ(boxes.last().text, QStringLiteral("Δεν έχετε δώσει το Ονομα του χρήστη ή το κωδικό του"));
    }
    EXPECT_EQ(names(data.users()), QStringList{QStringLiteral("admin")});
}

TEST_F(UserAdmin, AddStoresTrimmedValuesAndAcceptsDuplicates)
{
    ASSERT_TRUE(
        login::addUser(data.users(), values(QStringLiteral("  Άννα "), QStringLiteral(" 12 "), true, false, true)));
    ASSERT_TRUE(login::addUser(data.users(), values(QStringLiteral("Άννα"), QStringLiteral("34"))));
    const QList<login::UserRow> rows = login::listUsers(data.users());
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[1].name, QStringLiteral("Άννα"));
    EXPECT_EQ(rows[1].password, QStringLiteral("12"));
    EXPECT_TRUE(rows[1].changeRecords);
    EXPECT_FALSE(rows[1].closeCash);
    EXPECT_TRUE(rows[1].groupsCodes);
    EXPECT_EQ(rows[2].name, QStringLiteral("Άννα"));
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(UserAdmin, ChangeEditsOnlyTheChosenRowEvenAmongDuplicates)
{
    login::addUser(data.users(), values(QStringLiteral("anna"), QStringLiteral("1")));
    login::addUser(data.users(), values(QStringLiteral("anna"), QStringLiteral("2")));
    const qint64 second = login::listUsers(data.users()).at(2).rowId;
    ASSERT_TRUE(login::changeUser(data.users(), second,
                                  values(QStringLiteral("anna b"), QStringLiteral("9"), false, true, false)));
    const QList<login::UserRow> rows = login::listUsers(data.users());
    EXPECT_EQ(rows[1].name, QStringLiteral("anna"));
    EXPECT_EQ(rows[1].password, QStringLiteral("1"));
    EXPECT_EQ(rows[2].name, QStringLiteral("anna b"));
    EXPECT_EQ(rows[2].password, QStringLiteral("9"));
    EXPECT_TRUE(rows[2].closeCash);
}

TEST_F(UserAdmin, DeleteAsksAndCancelKeepsTheUser)
{
    login::addUser(data.users(), values(QStringLiteral("anna"), QStringLiteral("1")));
    const qint64 anna = login::listUsers(data.users()).at(1).rowId;

    boxes.answerNext(msg::Answer::Cancel);
    EXPECT_FALSE(login::deleteUser(data.users(), anna));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("Διαγραφή χρήστη"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Να γίνει η διαγραφή του χρήστη; "));
    EXPECT_EQ(boxes.last().buttons, msg::Buttons::OkCancel);
    EXPECT_EQ(names(data.users()).size(), 2);

    boxes.answerNext(msg::Answer::Ok);
    EXPECT_TRUE(login::deleteUser(data.users(), anna));
    EXPECT_EQ(names(data.users()), QStringList{QStringLiteral("admin")});
}
