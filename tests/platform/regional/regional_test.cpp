#include "platform/regional/AmountText.h"
#include "platform/regional/GreekFormats.h"
#include "platform/regional/TextPad.h"

#include <gtest/gtest.h>
#include <limits>

using namespace regional;

TEST(GreekFormats, MoneyIsShownWithDotGroupsAndDecimalComma)
{
    struct Case { qint64 units; const char16_t *grouped; };
    const Case cases[] = {
        {0, u"0,00"},
        {3000, u"0,30"},
        {12345675000, u"1.234.567,50"},
        {-1000000, u"-100,00"},
        {1677721700, u"167.772,17"},   // beyond single precision, still exact
        {1249, u"0,12"},
        {1250, u"0,13"},               // halves away from zero
        {-1250, u"-0,13"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formatMoney(Money::fromUnits(c.units)), QString::fromUtf16(c.grouped)) << c.units;
}

TEST(GreekFormats, AmountsAreReadWithTheDecimalComma)
{
    struct Case { const char16_t *text; std::optional<qint64> units; };
    const Case cases[] = {
        {u"12,50", 125000},     {u"1.234,5", 12345000}, {u"-3", -30000},   {u" 7 ", 70000},
        {u",30", 3000},         {u"0,00005", 1},        {u"100", 1000000}, {u"", std::nullopt},
        {u"   ", std::nullopt}, {u"abc", std::nullopt}, {u"1,2,3", std::nullopt},
        {u"12.50", 12500000},  // the dot groups thousands here, as the regional conversion reads it
    };
    for (const auto &c : cases) {
        const auto m = parseMoney(QString::fromUtf16(c.text));
        ASSERT_EQ(m.has_value(), c.units.has_value()) << QString::fromUtf16(c.text).toStdString();
        if (m) {
            EXPECT_EQ(m->units(), *c.units) << QString::fromUtf16(c.text).toStdString();
        }
    }
}

// What users type or paste into an amount box: the display form, the keypad's
// decimal dot, and everything that is not a clear amount, refused with its reason.
TEST(AmountText, ClearAmountsAreTakenExactlyOthersRefusedWithTheReason)
{
    struct Case { const char16_t *text; std::optional<qint64> cents; const char16_t *reason; };
    const Case cases[] = {
        {u"1.234,56", 123456, nullptr},        {u"12.5", 1250, nullptr},          {u"12.50", 1250, nullptr},
        {u"12,5", 1250, nullptr},              {u",30", 30, nullptr},             {u"", 0, nullptr},
        {u"  7 ", 700, nullptr},               {u"1.234.567,89", 123456789, nullptr},
        {u"999.999.999,99", 99999999999, nullptr}, // the largest, as it is shown
        {u"999999999,99", 99999999999, nullptr},
        {u"-50", std::nullopt, u"αρνητικό"},   {u"-5", std::nullopt, u"αρνητικό"},
        {u"1,23456", std::nullopt, u"δύο δεκαδικά"}, {u"1,234", std::nullopt, u"δύο δεκαδικά"},
        {u"1.000.000.000,00", std::nullopt, u"ανώτατο 999.999.999,99"},
        {u"99999999999999", std::nullopt, u"ανώτατο"},
        {u"1.234", std::nullopt, u"σαφές"},    // thousands or decimals: not clear
        {u"12.34.5", std::nullopt, u"ανά τρία"}, {u"1.2345,00", std::nullopt, u"ανά τρία"},
        {u"1,2,3", std::nullopt, u"κόμματα"},  {u"12 €", std::nullopt, u"ψηφία"},
        {u"12a", std::nullopt, u"ψηφία"},      {u",", std::nullopt, u"ψηφίο"},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        const AmountCheck check = checkAmountText(text);
        ASSERT_EQ(check.accepted(), c.cents.has_value()) << text.toStdString();
        if (c.cents)
            EXPECT_EQ(*check.amount, Money::fromCents(*c.cents)) << text.toStdString();
        else
            EXPECT_TRUE(check.refusal.contains(QString::fromUtf16(c.reason))) << check.refusal.toStdString();
    }
}

TEST(AmountText, LargestAmountIsReenterableAndNegativeOnlyWhereAllowed)
{
    EXPECT_EQ(checkAmountText(formatMoney(MaxAmount)).amount, MaxAmount);
    EXPECT_FALSE(checkAmountText(formatMoney(MaxAmount + Money::fromCents(1))).accepted());
    EXPECT_EQ(checkAmountText(QStringLiteral("-1.500,00"), AmountSign::MayBeNegative).amount,
              Money::fromCents(-150000));
    EXPECT_EQ(checkAmountText(formatMoney(-MaxAmount), AmountSign::MayBeNegative).amount, -MaxAmount);
}

// Sums never wrap around: they throw instead of becoming a wrong figure.
TEST(MoneyArithmetic, OverflowThrowsInsteadOfWrapping)
{
    const Money top = Money::fromUnits(std::numeric_limits<qint64>::max());
    const Money bottom = Money::fromUnits(std::numeric_limits<qint64>::min());
    EXPECT_THROW(top + Money::fromUnits(1), MoneyOverflow);
    EXPECT_THROW(bottom - Money::fromUnits(1), MoneyOverflow);
    EXPECT_THROW(-bottom, MoneyOverflow);
    Money sum = top;
    EXPECT_THROW(sum += MaxAmount, MoneyOverflow);
    EXPECT_EQ(sum, top); // unchanged after the refused addition
    EXPECT_EQ(top - MaxAmount + MaxAmount, top);
}

TEST(GreekFormats, DatesAreReadDayFirstAndShownWithDashes)
{
    const QDate today(2026, 12, 8);
    struct Case { const char16_t *text; QDate expected; };
    const Case cases[] = {
        {u"5-12-2005", QDate(2005, 12, 5)}, {u"05/12/2005", QDate(2005, 12, 5)},
        {u"5.12.2005", QDate(2005, 12, 5)}, {u"1-3-05", QDate(2005, 3, 1)},
        {u"5,12,2005", QDate(2005, 12, 5)}, // the date filter lets the comma through
        {u"1-3-75", QDate(1975, 3, 1)},     {u"24-12", QDate(2026, 12, 24)},
        {u"31-02-2005", QDate()},           {u"", QDate()},
        {u"2005-12-05", QDate()},           {u"5-12-2005x", QDate()},
    };
    for (const auto &c : cases) {
        const auto d = parseDate(QString::fromUtf16(c.text), today);
        EXPECT_EQ(d.value_or(QDate()), c.expected) << QString::fromUtf16(c.text).toStdString();
    }
    EXPECT_EQ(formatDate(QDate(2005, 12, 5)), QStringLiteral("05-12-2005"));
    EXPECT_EQ(weekdayName(QDate(2005, 12, 5)), QStringLiteral("Δευτέρα"));
    // One table: Saturday as the language spells it, and as the cash sheet has always shown it.
    EXPECT_EQ(weekdayName(QDate(2005, 12, 10)), QStringLiteral("Σάββατο"));
    EXPECT_EQ(weekdayName(QDate(2005, 12, 10), WeekdaySpelling::CashSheet), QStringLiteral("Σαββάτο"));
    EXPECT_EQ(weekdayName(QDate(2005, 12, 11), WeekdaySpelling::CashSheet), QStringLiteral("Κυριακή"));
}

TEST(GreekFormats, ComparisonIgnoresCaseAndAccents)
{
    EXPECT_EQ(compareFolded(QStringLiteral("μαρία"), QStringLiteral("ΜΑΡΙΑ")), 0);
    EXPECT_EQ(compareFolded(QStringLiteral("Ενοίκιο"), QStringLiteral("ΕΝΟΊΚΙΟ")), 0);
    EXPECT_EQ(compareFolded(QStringLiteral("Admin"), QStringLiteral("admin")), 0);
    EXPECT_NE(compareFolded(QStringLiteral("admin"), QStringLiteral("admin ")), 0);
    EXPECT_NE(compareFolded(QStringLiteral("Ενοίκιο"), QStringLiteral("Ενοίκια")), 0);
    EXPECT_EQ(toUpperGreek(QStringLiteral("ενοικια")), QStringLiteral("ΕΝΟΙΚΙΑ"));
    EXPECT_EQ(toUpperGreek(QStringLiteral("λογαριασμός")), QStringLiteral("ΛΟΓΑΡΙΑΣΜΟΣ"));
}

TEST(TextPad, PadsAndCutsOnTheGivenSide)
{
    EXPECT_EQ(PadLeft(QStringLiteral(" 7 "), 5), QStringLiteral("    7"));
    EXPECT_EQ(PadLeft(QStringLiteral("1234567"), 5), QStringLiteral("34567"));
    EXPECT_EQ(PadRight(QStringLiteral(" ab "), 4), QStringLiteral("ab  "));
    EXPECT_EQ(PadRight(QStringLiteral("abcdef"), 4), QStringLiteral("abcd"));
}
