#include "platform/security/PasswordHash.h"

#include <QStringList>
#include <gtest/gtest.h>

using passwordhash::hash;
using passwordhash::isHash;
using passwordhash::verify;

TEST(PasswordHash, VerifiesTheTextItWasMadeFromOnly)
{
    const QString stored = hash(QStringLiteral("κλειδί"), 1000);
    EXPECT_TRUE(isHash(stored));
    EXPECT_FALSE(stored.contains(QStringLiteral("κλειδί")));
    EXPECT_TRUE(verify(QStringLiteral("κλειδί"), stored));
    for (const QString &other : {QStringLiteral("κλειδι"), QStringLiteral("ΚΛΕΙΔΊ"), QStringLiteral("κλειδί "),
                                 QString()})
        EXPECT_FALSE(verify(other, stored)) << other.toStdString();
}

TEST(PasswordHash, SaltIsFreshForEveryHash)
{
    const QString a = hash(QStringLiteral("same"), 1000);
    const QString b = hash(QStringLiteral("same"), 1000);
    EXPECT_NE(a, b);
    EXPECT_NE(a.section(QLatin1Char('$'), 2, 2), b.section(QLatin1Char('$'), 2, 2));
    EXPECT_TRUE(verify(QStringLiteral("same"), a));
    EXPECT_TRUE(verify(QStringLiteral("same"), b));
}

TEST(PasswordHash, CarriesItsIterationCountSoTheCostCanBeRaised)
{
    const int before = passwordhash::iterations();
    const QString older = hash(QStringLiteral("pw"), 1500);
    EXPECT_EQ(older.section(QLatin1Char('$'), 0, 1), QStringLiteral("pbkdf2-sha256$1500"));
    passwordhash::setIterations(2500);
    EXPECT_EQ(hash(QStringLiteral("pw")).section(QLatin1Char('$'), 1, 1), QStringLiteral("2500"));
    EXPECT_TRUE(verify(QStringLiteral("pw"), older));
    passwordhash::setIterations(before);
}

// Whatever single character of a stored hash is changed, it no longer verifies.
TEST(PasswordHash, AnyOneCharacterChangedRefuses)
{
    const QString stored = hash(QStringLiteral("secret"), 200);
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=$-");
    for (qsizetype i = 0; i < stored.size(); ++i) {
        for (QChar c : {alphabet[i % alphabet.size()], alphabet[(i + 7) % alphabet.size()]}) {
            if (c == stored[i])
                continue;
            QString changed = stored;
            changed[i] = c;
            EXPECT_FALSE(verify(QStringLiteral("secret"), changed)) << "position " << i;
        }
    }
}

TEST(PasswordHash, UnreadableStoredTextNeverMatches)
{
    const QString good = hash(QStringLiteral("x"), 100);
    const QStringList parts = good.split(QLatin1Char('$'));
    const QString bad[] = {
        QString(),
        QStringLiteral("x"),
        QStringLiteral("pbkdf2-sha256$"),
        parts[0] + QStringLiteral("$0$") + parts[2] + QLatin1Char('$') + parts[3],
        parts[0] + QStringLiteral("$-5$") + parts[2] + QLatin1Char('$') + parts[3],
        parts[0] + QStringLiteral("$999999999$") + parts[2] + QLatin1Char('$') + parts[3], // would hang the log-in
        parts[0] + QStringLiteral("$0100$") + parts[2] + QLatin1Char('$') + parts[3],
        parts[0] + QLatin1Char('$') + parts[1] + QStringLiteral("$$") + parts[3],
        parts[0] + QLatin1Char('$') + parts[1] + QLatin1Char('$') + parts[2] + QStringLiteral("$AAAA"),
        good + QStringLiteral("$extra"),
    };
    for (const QString &stored : bad)
        EXPECT_FALSE(verify(QStringLiteral("x"), stored)) << stored.toStdString();
    EXPECT_FALSE(isHash(QStringLiteral("pbkdf2-sha256")));
    EXPECT_FALSE(isHash(QStringLiteral("plain password")));
}

// Current guidance for PBKDF2-HMAC-SHA256 asks for at least 600.000 iterations.
// Tests lower the count to save time; the program never does.
TEST(PasswordHash, ProgramCostMeetsTodaysGuidance)
{
    static_assert(passwordhash::DefaultIterations >= 600'000);
    if (qEnvironmentVariableIsEmpty("KELVORA_TEST_FAST_KDF")) {
        EXPECT_EQ(passwordhash::iterations(), passwordhash::DefaultIterations);
    }
}

TEST(PasswordHash, BelowCurrentCostOnlyForReadableHashesUnderTheCount)
{
    const int before = passwordhash::iterations();
    passwordhash::setIterations(300);
    EXPECT_TRUE(passwordhash::belowCurrentCost(hash(QStringLiteral("pw"), 299)));
    EXPECT_FALSE(passwordhash::belowCurrentCost(hash(QStringLiteral("pw"), 300)));
    EXPECT_FALSE(passwordhash::belowCurrentCost(hash(QStringLiteral("pw"), 301)));
    EXPECT_FALSE(passwordhash::belowCurrentCost(QStringLiteral("pw"))); // clear text: hashed by another rule
    EXPECT_FALSE(passwordhash::belowCurrentCost(QStringLiteral("pbkdf2-sha256$1$x$y")));
    passwordhash::setIterations(before);
}
