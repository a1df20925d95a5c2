#include "data/UsersFileUpgrade.h"
#include "platform/db/DbError.h"
#include "shell/login/LoginGate.h"
#include "shell/login/LoginSearch.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

namespace {

// mapcodes.mdb as files from before had it: passwords in clear, no version.
class OldUsersFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db::Database &u = data.users();
        u.executeScript(QStringLiteral("DROP TABLE diaxeirisths; DROP TABLE katagrafh; DELETE FROM codes;"
                                       "PRAGMA user_version = 0;"));
        for (const auto &[name, password] : users)
            u.execute(QStringLiteral("INSERT INTO codes (uname, upass, dikaivma_eggrafes) VALUES (?1, ?2, -1)"), name,
                      password);
    }

    QStringList storedPasswords()
    {
        QStringList out;
        db::Statement st = data.users().prepare(QStringLiteral("SELECT upass FROM codes ORDER BY rowid"));
        while (st.next())
            out << st.text(0);
        return out;
    }

    const QList<std::pair<QString, QString>> users = {{QStringLiteral("μαρία"), QStringLiteral("Κλειδί")},
                                                      {QStringLiteral("nikos"), QStringLiteral("Pass Word")},
                                                      {QStringLiteral("eleni"), QStringLiteral("")}};
    TestDataFolder data;
};

} // namespace

TEST_F(OldUsersFile, EveryPlainPasswordIsHashedAndStillLogsIn)
{
    ASSERT_EQ(usersupgrade::upgradeUsersFile(data.users()), 1);
    const QStringList stored = storedPasswords();
    ASSERT_EQ(stored.size(), 3);
    for (qsizetype i = 0; i < stored.size(); ++i) {
        EXPECT_TRUE(stored[i].startsWith(QStringLiteral("pbkdf2-sha256$"))) << stored[i].toStdString();
        if (!users[i].second.isEmpty()) {
            EXPECT_FALSE(stored[i].contains(users[i].second, Qt::CaseInsensitive));
        }
    }
    EXPECT_TRUE(data.users().tableExists(QStringLiteral("diaxeirisths")));
    EXPECT_TRUE(data.users().tableExists(QStringLiteral("katagrafh")));

    for (const auto &[name, password] : users) {
        EXPECT_TRUE(login::findUser(data.users(), name, password)) << name.toStdString();
        EXPECT_TRUE(login::findUser(data.users(), name, password.toUpper())) << name.toStdString();
        EXPECT_TRUE(login::findUser(data.users(), name, password.toLower())) << name.toStdString();
    }
    // Accents count: "ΚΛΕΙΔΙ" is not "Κλειδί".
    EXPECT_FALSE(login::findUser(data.users(), QStringLiteral("μαρία"), QStringLiteral("ΚΛΕΙΔΙ")));
    EXPECT_FALSE(login::findUser(data.users(), QStringLiteral("μαρία"), QStringLiteral("κλειδι")));
    EXPECT_EQ(storedPasswords(), stored); // logging in hashed nothing again

    // A second start leaves the file alone.
    EXPECT_EQ(usersupgrade::upgradeUsersFile(data.users()), 1);
    EXPECT_EQ(storedPasswords(), stored);
}

TEST_F(OldUsersFile, AFailingRowLeavesEveryPasswordInClear)
{
    // The second user's row refuses to change: the step must not half-happen.
    data.users().executeScript(QStringLiteral(
        "CREATE TRIGGER refuse BEFORE UPDATE OF upass ON codes WHEN old.uname = 'nikos' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END;"));
    EXPECT_THROW(usersupgrade::upgradeUsersFile(data.users()), db::DbError);
    QStringList plain;
    for (const auto &u : users)
        plain << u.second;
    EXPECT_EQ(storedPasswords(), plain);
    EXPECT_EQ(usersupgrade::usersVersion(data.users()), 0);
    EXPECT_FALSE(data.users().tableExists(QStringLiteral("katagrafh")));
}

// The start-up step upgrades the file; should it fail, the start goes on and
// the log-in still works (the clear password is hashed at its log-in).
TEST_F(OldUsersFile, StartStepUpgradesAndAFailureDoesNotStopTheLogIn)
{
    data.users().executeScript(
        QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF upass ON codes WHEN old.uname = 'nikos' "
                       "BEGIN SELECT RAISE(ABORT, 'refused'); END;"));
    usersupgrade::upgradeAtStart(data.store()); // reported on the console only
    EXPECT_EQ(usersupgrade::usersVersion(data.users()), 0);
    LoginGate gate(data.users(), QStringLiteral("desk1"));
    EXPECT_EQ(gate.attempt(QStringLiteral("μαρία"), QStringLiteral("κλειδί")).result, LoginGate::Result::LoggedIn);

    data.users().executeScript(QStringLiteral("DROP TRIGGER refuse;"));
    usersupgrade::upgradeAtStart(data.store());
    EXPECT_EQ(usersupgrade::usersVersion(data.users()), 1);
    for (const QString &stored : storedPasswords())
        EXPECT_TRUE(stored.startsWith(QStringLiteral("pbkdf2-sha256$")));
    EXPECT_EQ(gate.attempt(QStringLiteral("NIKOS"), QStringLiteral("pass word")).result, LoginGate::Result::LoggedIn);
}
