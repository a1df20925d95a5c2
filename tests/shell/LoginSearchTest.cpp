#include "shell/login/LoginSearch.h"
#include "data/AppGlobals.h"
#include "data/UserPasswords.h"
#include "platform/security/PasswordHash.h"
#include "support/TestDataFolder.h"

#include <QProcess>

#include <gtest/gtest.h>

using login::findUser;

TEST(AdministratorName, ComparedInLowerCase)
{
    for (const QString &name : {QStringLiteral("rootdesk"), QStringLiteral("ROOTDESK"), QStringLiteral("RootDesk")})
        EXPECT_TRUE(login::isAdministratorName(name)) << name.toStdString();
    for (const QString &name : {QStringLiteral("rootdesk "), QStringLiteral(" rootdesk"), QString()})
        EXPECT_FALSE(login::isAdministratorName(name)) << name.toStdString();
}

class LoginSearch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data.addUser(QStringLiteral("μαρία"), QStringLiteral("κλειδί"), true, false, true);
        data.addUser(QStringLiteral("nikos"), QStringLiteral("pw"), false, true, false);
    }
    TestDataFolder data;
};

TEST_F(LoginSearch, GreekNameStoredInLowerCaseMatchesCapitals)
{
    for (const QString &typed : {QStringLiteral("ΜΑΡΙΑ"), QStringLiteral("Μαρία"), QStringLiteral("μαρία")}) {
        const auto user = findUser(data.users(), typed, QStringLiteral("κλειδί"));
        ASSERT_TRUE(user.has_value()) << typed.toStdString();
        EXPECT_EQ(user->name, QStringLiteral("μαρία"));
        EXPECT_TRUE(user->changeRecords);
        EXPECT_FALSE(user->closeCash);
        EXPECT_TRUE(user->groupsCodes);
    }
}

TEST_F(LoginSearch, RightsComeFromTheMatchingRow)
{
    const auto user = findUser(data.users(), QStringLiteral("NIKOS"), QStringLiteral("pw"));
    ASSERT_TRUE(user.has_value());
    EXPECT_FALSE(user->changeRecords);
    EXPECT_TRUE(user->closeCash);
    EXPECT_FALSE(user->groupsCodes);
}

TEST_F(LoginSearch, WrongPairAndQuotedTextDoNotMatch)
{
    EXPECT_FALSE(findUser(data.users(), QStringLiteral("μαρία"), QStringLiteral("λάθος")));
    EXPECT_FALSE(findUser(data.users(), QStringLiteral("nikos"), QStringLiteral("κλειδί")));
    const QString injection = QStringLiteral("' or '1'='1");
    EXPECT_FALSE(findUser(data.users(), injection, injection));
    EXPECT_FALSE(findUser(data.users(), QStringLiteral("nikos' --"), QString()));
    // A name with an apostrophe is just a name.
    data.addUser(QStringLiteral("O'Brien"), QStringLiteral("x'y"), false, false, false);
    EXPECT_TRUE(findUser(data.users(), QStringLiteral("o'brien"), QStringLiteral("x'y")));
}

// Letter case is ignored for the password, accents are not.
TEST_F(LoginSearch, PasswordCaseIgnoredAccentsKept)
{
    struct Case
    {
        const char16_t *typed;
        bool accepted;
    };
    const Case cases[] = {{u"κλειδί", true},  {u"ΚΛΕΙΔΊ", true},  {u"Κλειδί", true}, {u"ΚΛΕΙΔΙ", false},
                          {u"κλειδι", false}, {u"κλεϊδί", false}, {u"κλειδί ", false}};
    for (const Case &c : cases)
        EXPECT_EQ(findUser(data.users(), QStringLiteral("μαρία"), QString::fromUtf16(c.typed)).has_value(), c.accepted)
            << QString::fromUtf16(c.typed).toStdString();
}

TEST_F(LoginSearch, OneCharacterChangedInTheStoredHashRefuses)
{
    const QString stored =
        data.users().scalar(QStringLiteral("SELECT upass FROM codes WHERE uname = 'nikos'")).toString();
    ASSERT_TRUE(findUser(data.users(), QStringLiteral("nikos"), QStringLiteral("pw")));
    QString changed = stored;
    const qsizetype last = changed.size() - 2; // inside the hash part
    changed[last] = changed[last] == QLatin1Char('A') ? QLatin1Char('B') : QLatin1Char('A');
    data.users().execute(QStringLiteral("UPDATE codes SET upass = ?1 WHERE uname = 'nikos'"), changed);
    EXPECT_FALSE(findUser(data.users(), QStringLiteral("nikos"), QStringLiteral("pw")));
}

// A password written in clear by the database shell (not by this program) is
// accepted once, and hashed at that log-in.
TEST_F(LoginSearch, PlainPasswordFromTheShellLogsInOnceAndIsHashed)
{
    QByteArray script = "PRAGMA key = 'VentoKeeper';\n";
    if (!qEnvironmentVariableIsEmpty("KELVORA_TEST_FAST_KDF"))
        script += "PRAGMA kdf_iter = 64;\n";
    script += QStringLiteral("INSERT INTO codes (uname, upass, dikaivma_eggrafes, dikaivma_klhsimo, dikaivma_kvdikoi) "
                             "VALUES ('άννα', 'Μέλι', -1, 0, 0);\n")
                  .toUtf8();
    QProcess shell;
    shell.start(QStringLiteral("sqlcipher"), {data.path() + QStringLiteral("/mapcodes.mdb")});
    ASSERT_TRUE(shell.waitForStarted());
    shell.write(script);
    shell.closeWriteChannel();
    ASSERT_TRUE(shell.waitForFinished());
    ASSERT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    const auto storedFor = [&] {
        return data.users().scalar(QStringLiteral("SELECT upass FROM codes WHERE uname = 'άννα'")).toString();
    };
    ASSERT_EQ(storedFor(), QStringLiteral("Μέλι"));

    EXPECT_FALSE(findUser(data.users(), QStringLiteral("άννα"), QStringLiteral("ΜΕΛΙ"))); // accent missing
    EXPECT_EQ(storedFor(), QStringLiteral("Μέλι")); // a wrong try hashes nothing

    const auto user = findUser(data.users(), QStringLiteral("ΆΝΝΑ"), QStringLiteral("μέλι"));
    ASSERT_TRUE(user.has_value());
    EXPECT_TRUE(user->changeRecords);
    const QString hashed = storedFor();
    EXPECT_TRUE(hashed.startsWith(QStringLiteral("pbkdf2-sha256$")));
    EXPECT_FALSE(hashed.contains(QStringLiteral("έλι"), Qt::CaseInsensitive));
    EXPECT_TRUE(findUser(data.users(), QStringLiteral("άννα"), QStringLiteral("ΜΈΛΙ")));
    EXPECT_EQ(storedFor(), hashed); // hashed once only
}

// Raising the iteration count reaches stored passwords one log-in at a time:
// a hash below the count is made again from the typed password when it fits,
// and left alone when it does not.
TEST_F(LoginSearch, HashBelowTheCurrentCostIsRemadeAtTheNextLogIn)
{
    const int current = passwordhash::iterations();
    const auto storedFor = [&] {
        return data.users().scalar(QStringLiteral("SELECT upass FROM codes WHERE uname = 'nikos'")).toString();
    };
    const auto iterationsOf = [](const QString &stored) { return stored.section(QLatin1Char('$'), 1, 1).toInt(); };
    const QString older = passwordhash::hash(userpassword::folded(QStringLiteral("pw")), current - 1);
    data.users().execute(QStringLiteral("UPDATE codes SET upass = ?1 WHERE uname = 'nikos'"), older);

    EXPECT_FALSE(findUser(data.users(), QStringLiteral("nikos"), QStringLiteral("wrong")));
    EXPECT_EQ(storedFor(), older); // a wrong try changes nothing

    ASSERT_TRUE(findUser(data.users(), QStringLiteral("NIKOS"), QStringLiteral("PW")));
    const QString remade = storedFor();
    EXPECT_NE(remade, older);
    EXPECT_EQ(iterationsOf(remade), current);
    EXPECT_TRUE(findUser(data.users(), QStringLiteral("nikos"), QStringLiteral("pw")));
    EXPECT_EQ(storedFor(), remade); // at the current cost it stays

    // A hash above the count (made on a faster machine's setting) is not lowered.
    const QString higher = passwordhash::hash(userpassword::folded(QStringLiteral("pw")), current + 1);
    data.users().execute(QStringLiteral("UPDATE codes SET upass = ?1 WHERE uname = 'nikos'"), higher);
    EXPECT_TRUE(findUser(data.users(), QStringLiteral("nikos"), QStringLiteral("pw")));
    EXPECT_EQ(storedFor(), higher);
}

TEST(LoginNames, CutBeforeTheFirstNul)
{
    EXPECT_EQ(login::cutAtNul(QStringLiteral("anna") + QString(3, QChar(u'\0'))), QStringLiteral("anna"));
    EXPECT_EQ(login::cutAtNul(QStringLiteral("pc-01")), QStringLiteral("pc-01"));
    EXPECT_EQ(login::cutAtNul(QString(1, QChar(u'\0')) + QStringLiteral("x")), QString());
}

TEST(LoginNames, AppliedLoginSetsUserRightsAndNames)
{
    AppGlobals g;
    login::applyLogin({7, QStringLiteral("μαρία"), QStringLiteral("κλειδί"), true, false, true},
                      QStringLiteral("maria") + QChar(u'\0') + QStringLiteral("junk"), QStringLiteral("desk1"), g);
    EXPECT_EQ(g.CurrentUserName, QStringLiteral("μαρία"));
    EXPECT_TRUE(g.CurrentUserPassword.isEmpty()); // a password is not kept
    EXPECT_TRUE(g.RightChangeRecords);
    EXPECT_FALSE(g.RightCloseCash);
    EXPECT_TRUE(g.RightGroupsCodes);
    EXPECT_EQ(g.NetUserName, QStringLiteral("maria"));
    EXPECT_EQ(g.MachineName, QStringLiteral("desk1"));
}
