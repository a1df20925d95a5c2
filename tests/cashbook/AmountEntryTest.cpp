#include "CashBookFixture.h"

#include <limits>

using namespace cashbook;

namespace {

struct TypedAmount
{
    const char *name;
    QString income;
    std::optional<qint64> storedCents; // no value: refused, nothing stored
    QString reason;                    // part of the refusal's text
};

class AmountsAsTyped : public CashBookFixture, public ::testing::WithParamInterface<TypedAmount>
{};

} // namespace

// An amount is stored exactly as the user meant it, or refused with a message
// that says why; it is never rounded or reinterpreted in silence.
TEST_P(AmountsAsTyped, StoredExactlyOrRefusedWithTheReason)
{
    const TypedAmount &c = GetParam();
    insert(day(20), 10, QStringLiteral("1,00"), QStringLiteral("0")); // a later day that would move
    messages.clear();
    const auto aa = ops.InsertMovement(entry(day(1), 10, c.income, QStringLiteral("0")));
    if (c.storedCents) {
        ASSERT_TRUE(aa.has_value());
        EXPECT_EQ(book.movement(*aa)->esoda, euros(*c.storedCents));
        EXPECT_EQ(balance(day(20)), euros(*c.storedCents + 100));
        EXPECT_EQ(messages.count(), 0);
        return;
    }
    EXPECT_FALSE(aa.has_value());
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().title, QStringLiteral("Λάθος ποσό"));
    EXPECT_EQ(messages.last().icon, msg::Icon::Information);
    EXPECT_TRUE(messages.last().text.contains(c.reason)) << messages.last().text.toStdString();
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM kinhseis")), 1);
    EXPECT_EQ(balance(day(20)), euros(100));
}

INSTANTIATE_TEST_SUITE_P(
    CashBook, AmountsAsTyped,
    ::testing::Values(
        TypedAmount{"display_form", QStringLiteral("1.234,56"), 123456, {}},
        TypedAmount{"keypad_dot", QStringLiteral("12.5"), 1250, {}},
        TypedAmount{"largest_as_shown", QStringLiteral("999.999.999,99"), 99999999999, {}},
        TypedAmount{"minus", QStringLiteral("-50"), std::nullopt, QStringLiteral("αρνητικό")},
        TypedAmount{"pasted_minus", QStringLiteral("-5"), std::nullopt, QStringLiteral("αρνητικό")},
        TypedAmount{"too_many_decimals", QStringLiteral("1,23456"), std::nullopt, QStringLiteral("δύο δεκαδικά")},
        TypedAmount{"too_large", QStringLiteral("1.000.000.000,00"), std::nullopt,
                    QStringLiteral("999.999.999,99")},
        TypedAmount{"fourteen_digits", QStringLiteral("99999999999999"), std::nullopt, QStringLiteral("ανώτατο")},
        TypedAmount{"two_commas", QStringLiteral("1,234,56"), std::nullopt, QStringLiteral("κόμματα")}),
    [](const auto &info) { return std::string(info.param.name); });

// Day totals and later balances that would not fit are refused, not wrapped
// into negative garbage.
TEST_F(CashBookFixture, SumsThatWouldOverflowAreRefused)
{
    insert(day(20), 10, QStringLiteral("1,00"), QStringLiteral("0"));
    const Money nearTop = Money::fromUnits(std::numeric_limits<qint64>::max() - 10000);
    folder.main().execute(QStringLiteral("UPDATE tameio SET ypoloipo = ?1"), nearTop);
    messages.clear();

    EXPECT_FALSE(ops.InsertMovement(entry(day(1), 10, QStringLiteral("5,00"), QStringLiteral("0"))).has_value());
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().icon, msg::Icon::Critical);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("όριο")));
    EXPECT_EQ(balance(day(20)), nearTop);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM kinhseis")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM tameio WHERE typeof(ypoloipo) <> 'integer'")), 0);

    // A day whose stored movements sum beyond what Money holds is not shown as a wrapped total.
    // Without a group number they stay out of the year sums, which a server book would refuse
    // to take beyond 64 bits.
    for (int i = 0; i < 2; ++i)
        folder.main().execute(QStringLiteral("INSERT INTO kinhseis (kvdikos, hmeromhnia, perigrafh, esoda, ejoda, "
                                             "aa_omada, grammh, epitagh, L_tajeos) VALUES (10, ?1, 'Χ', ?2, 0, NULL, "
                                             "'', 0, 0)"),
                              day(2), nearTop);
    EXPECT_THROW(book.readDay(day(2)), MoneyOverflow);
}
