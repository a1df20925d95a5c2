#include "shell/login/LoginSearch.h"
#include "data/AppGlobals.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

using login::findUser;
using login::isAdministratorEntry;

struct AdminCase
{
    const char16_t *name;
    const char16_t *password;
    bool entered;
};

class AdministratorEntry : public ::testing::TestWithParam<AdminCase>
{
};

TEST_P(AdministratorEntry, NameInAnyCaseCodeExactly)
{
    const AdminCase c = GetParam();
    EXPECT_EQ(isAdministratorEntry(QString::fromUtf16(c.name), QString::fromUtf16(c.password)), c.entered);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AdministratorEntry,
    ::testing::Values(AdminCase{u"rootdesk", u"38627", true}, AdminCase{u"ROOTDESK", u"38627", true},
                      AdminCase{u"RootDesk", u"38627", true}, AdminCase{u"ROOTDESK", u"38627 ", false},
                      AdminCase{u"rootdesk", u" 38627", false}, AdminCase{u"rootdesk ", u"38627", false},
                      AdminCase{u"rootdesk", u"3862", false}, AdminCase{u"", u"", false}));

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
    EXPECT_EQ(g.CurrentUserPassword, QStringLiteral("κλειδί"));
    EXPECT_TRUE(g.RightChangeRecords);
    EXPECT_FALSE(g.RightCloseCash);
    EXPECT_TRUE(g.RightGroupsCodes);
    EXPECT_EQ(g.NetUserName, QStringLiteral("maria"));
    EXPECT_EQ(g.MachineName, QStringLiteral("desk1"));
}
