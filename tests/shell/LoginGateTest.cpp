#include "shell/login/LoginGate.h"
#include "data/AdministratorCode.h"
#include "data/AuditLog.h"
#include "platform/security/PasswordHash.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

TEST(LoginThrottle, DelayGrowsAfterFiveFailuresUpToThirtySeconds)
{
    const std::pair<int, int> cases[] = {{0, 0}, {4, 0}, {5, 1}, {6, 2}, {7, 4}, {8, 8},
                                         {9, 16}, {10, 30}, {11, 30}, {40, 30}};
    for (const auto &[failures, seconds] : cases)
        EXPECT_EQ(LoginThrottle::delayAfter(failures), seconds) << failures;
}

TEST(LoginThrottle, WaitRunsOnTheGivenClockAndSuccessResets)
{
    qint64 now = 1'000'000;
    LoginThrottle t([&now] { return now; });
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(t.secondsToWait(), 0);
        t.failed();
    }
    EXPECT_EQ(t.secondsToWait(), 1);
    now += 999;
    EXPECT_EQ(t.secondsToWait(), 1);
    now += 1;
    EXPECT_EQ(t.secondsToWait(), 0);
    t.failed();
    EXPECT_EQ(t.secondsToWait(), 2);
    now += 1500;
    EXPECT_EQ(t.secondsToWait(), 1); // rounded up: never shows 0 while waiting
    t.succeeded();
    EXPECT_EQ(t.secondsToWait(), 0);
    t.failed();
    EXPECT_EQ(t.secondsToWait(), 0);
}

namespace {

struct LogRow
{
    QString user, workstation, what;
    bool operator==(const LogRow &) const = default;
};

class Gate : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The users file of an older installation: the fixed code still opens it.
        data.makeUsersFileFromBefore();
        data.addUser(QStringLiteral("μαρία"), QStringLiteral("Κλειδί"), true, false, true);
        data.users().execute(QStringLiteral("DELETE FROM katagrafh"));
    }

    QList<LogRow> logRows()
    {
        QList<LogRow> rows;
        db::Statement st = data.users().prepare(
            QStringLiteral("SELECT xrhsths, stathmos, energeia, xronos FROM katagrafh ORDER BY aa"));
        while (st.next()) {
            rows << LogRow{st.text(0), st.text(1), st.text(2)};
            EXPECT_TRUE(QDateTime::fromString(st.text(3), Qt::ISODate).isValid());
        }
        return rows;
    }

    // No column of any log row holds one of the typed passwords.
    void expectNoPasswordLogged(const QStringList &typed)
    {
        db::Statement st = data.users().prepare(
            QStringLiteral("SELECT xronos || '|' || xrhsths || '|' || stathmos || '|' || energeia FROM katagrafh"));
        while (st.next())
            for (const QString &p : typed)
                EXPECT_FALSE(st.text(0).contains(p, Qt::CaseInsensitive)) << st.text(0).toStdString();
    }

    TestDataFolder data;
    qint64 now = 5'000'000;
    LoginGate gate{data.users(), QStringLiteral("desk1"), [this] { return now; }};
};

} // namespace

TEST_F(Gate, FiveFailuresThenEveryTryWaitsEvenWithTheRightPassword)
{
    for (int i = 1; i <= 5; ++i) {
        const auto o = gate.attempt(QStringLiteral("μαρία"), QStringLiteral("λάθος%1").arg(i));
        EXPECT_EQ(o.result, LoginGate::Result::Wrong);
        EXPECT_EQ(o.waitSeconds, i < 5 ? 0 : 1);
    }
    const int rowsBefore = int(logRows().size());
    auto o = gate.attempt(QStringLiteral("μαρία"), QStringLiteral("κλειδί"));
    EXPECT_EQ(o.result, LoginGate::Result::MustWait);
    EXPECT_EQ(o.waitSeconds, 1);
    EXPECT_EQ(logRows().size(), rowsBefore); // not checked, not logged

    now += 1000;
    o = gate.attempt(QStringLiteral("μαρία"), QStringLiteral("wrong"));
    EXPECT_EQ(o.result, LoginGate::Result::Wrong);
    EXPECT_EQ(o.waitSeconds, 2);
    now += 1999;
    EXPECT_EQ(gate.attempt(QStringLiteral("μαρία"), QStringLiteral("κλειδί")).result, LoginGate::Result::MustWait);
    now += 1;
    o = gate.attempt(QStringLiteral("ΜΑΡΙΑ"), QStringLiteral("ΚΛΕΙΔΊ"));
    ASSERT_EQ(o.result, LoginGate::Result::LoggedIn);
    EXPECT_EQ(o.user->name, QStringLiteral("μαρία"));
    EXPECT_EQ(gate.secondsToWait(), 0);
}

TEST_F(Gate, AdministratorEntryCountsTheSame)
{
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(gate.attempt(QStringLiteral("ROOTDESK"), QStringLiteral("1111")).result, LoginGate::Result::Wrong);
    EXPECT_EQ(gate.attempt(QStringLiteral("rootdesk"), admincode::fixedCode()).result, LoginGate::Result::MustWait);
    now += 1000;
    EXPECT_EQ(gate.attempt(QStringLiteral("rootdesk"), admincode::fixedCode()).result,
              LoginGate::Result::Administrator);
    EXPECT_EQ(logRows().last(), (LogRow{QStringLiteral("rootdesk"), QStringLiteral("desk1"),
                                        auditlog::action::AdministratorEntry}));
    EXPECT_EQ(logRows().first().what, auditlog::action::FailedAdministratorEntry);
}

TEST_F(Gate, FixedAdministratorCodeOnlyUntilTheInstallationHasItsOwn)
{
    EXPECT_FALSE(admincode::isSet(data.users()));
    EXPECT_EQ(gate.attempt(QStringLiteral("rootdesk"), QStringLiteral("38627")).result,
              LoginGate::Result::Administrator);
    EXPECT_EQ(gate.attempt(QStringLiteral("rootdesk"), QStringLiteral("38627 ")).result, LoginGate::Result::Wrong);

    admincode::set(data.users(), QStringLiteral("Γάτα-2026"));
    EXPECT_TRUE(admincode::isSet(data.users()));
    const QString stored = data.users().scalar(QStringLiteral("SELECT kvdikos FROM diaxeirisths")).toString();
    EXPECT_FALSE(stored.contains(QStringLiteral("Γάτα")));
    EXPECT_EQ(gate.attempt(QStringLiteral("rootdesk"), QStringLiteral("38627")).result, LoginGate::Result::Wrong);
    EXPECT_EQ(gate.attempt(QStringLiteral("rootdesk"), QStringLiteral("γάτα-2026")).result, LoginGate::Result::Wrong);
    EXPECT_EQ(gate.attempt(QStringLiteral("RootDesk"), QStringLiteral("Γάτα-2026")).result,
              LoginGate::Result::Administrator);

    // Setting it again replaces it.
    admincode::set(data.users(), QStringLiteral("another-one"));
    EXPECT_EQ(data.users().scalar(QStringLiteral("SELECT count(*) FROM diaxeirisths")).toInt(), 1);
    EXPECT_EQ(gate.attempt(QStringLiteral("rootdesk"), QStringLiteral("Γάτα-2026")).result, LoginGate::Result::Wrong);
    EXPECT_EQ(gate.attempt(QStringLiteral("rootdesk"), QStringLiteral("another-one")).result,
              LoginGate::Result::Administrator);
}

TEST_F(Gate, AdministratorCodeBelowTheCurrentCostIsRemadeAtTheNextEntry)
{
    const int current = passwordhash::iterations();
    const QString older = passwordhash::hash(QStringLiteral("kodikos-9"), current - 1);
    data.users().execute(QStringLiteral("INSERT INTO diaxeirisths (kvdikos) VALUES (?1)"), older);
    const auto stored = [&] {
        return data.users().scalar(QStringLiteral("SELECT kvdikos FROM diaxeirisths")).toString();
    };

    EXPECT_EQ(gate.attempt(QStringLiteral("rootdesk"), QStringLiteral("kodikos-8")).result, LoginGate::Result::Wrong);
    EXPECT_EQ(stored(), older);
    EXPECT_EQ(gate.attempt(QStringLiteral("rootdesk"), QStringLiteral("kodikos-9")).result,
              LoginGate::Result::Administrator);
    EXPECT_NE(stored(), older);
    EXPECT_EQ(stored().section(QLatin1Char('$'), 1, 1).toInt(), current);
    EXPECT_EQ(data.users().scalar(QStringLiteral("SELECT count(*) FROM diaxeirisths")).toInt(), 1);
    EXPECT_EQ(gate.attempt(QStringLiteral("rootdesk"), QStringLiteral("kodikos-9")).result,
              LoginGate::Result::Administrator);
}

TEST(AdministratorCode, RefusesMismatchShortAndTheFixedCode)
{
    EXPECT_TRUE(admincode::refusal(QStringLiteral("abcdef"), QStringLiteral("abcdef")).isEmpty());
    EXPECT_FALSE(admincode::refusal(QStringLiteral("abcdef"), QStringLiteral("abcdeg")).isEmpty());
    EXPECT_FALSE(admincode::refusal(QStringLiteral("abcde"), QStringLiteral("abcde")).isEmpty());
    EXPECT_FALSE(admincode::refusal(QString(), QString()).isEmpty());
    EXPECT_FALSE(admincode::refusal(QStringLiteral("38627"), QStringLiteral("38627")).isEmpty());
}

TEST_F(Gate, EachTryIsLoggedWithoutAPassword)
{
    gate.attempt(QStringLiteral("Μαρία"), QStringLiteral("κλειδί"));
    gate.attempt(QStringLiteral("μαρία"), QStringLiteral("Λάθος-Ένα"));
    gate.attempt(QStringLiteral("Secret-Typed-As-Name"), QStringLiteral("x"));
    gate.attempt(QStringLiteral("rootdesk"), QStringLiteral("999999"));
    gate.attempt(QStringLiteral("rootdesk"), QStringLiteral("38627"));
    gate.log(QString(), auditlog::action::Unlock);

    const QList<LogRow> expected = {
        {QStringLiteral("μαρία"), QStringLiteral("desk1"), auditlog::action::Login},
        {QStringLiteral("μαρία"), QStringLiteral("desk1"), auditlog::action::FailedLogin},
        {QString(), QStringLiteral("desk1"), auditlog::action::FailedLogin}, // an unknown name is not written down
        {QStringLiteral("rootdesk"), QStringLiteral("desk1"), auditlog::action::FailedAdministratorEntry},
        {QStringLiteral("rootdesk"), QStringLiteral("desk1"), auditlog::action::AdministratorEntry},
        {QString(), QStringLiteral("desk1"), auditlog::action::Unlock}};
    EXPECT_EQ(logRows(), expected);
    expectNoPasswordLogged({QStringLiteral("κλειδί"), QStringLiteral("Λάθος-Ένα"), QStringLiteral("Secret-Typed"),
                            QStringLiteral("999999"), QStringLiteral("38627")});

    const QList<auditlog::Entry> recent = auditlog::recent(data.users(), 2);
    ASSERT_EQ(recent.size(), 2);
    EXPECT_EQ(recent[0].what, auditlog::action::Unlock); // newest first
    EXPECT_EQ(recent[1].what, auditlog::action::AdministratorEntry);
}
