#include "platform/regional/GreekFormats.h"
#include "platform/regional/TextPad.h"

#include <gtest/gtest.h>

using namespace regional;

TEST(GreekFormats, MoneyIsShownWithDotGroupsAndDecimalComma)
{
    struct Case { qint64 units; const char16_t *grouped; const char16_t *plain; };
    const Case cases[] = {
        {0, u"0,00", u"0,00"},
        {3000, u"0,30", u"0,30"},
        {12345675000, u"1.234.567,50", u"1234567,50"},
        {-1000000, u"-100,00", u"-100,00"},
        {1677721700, u"167.772,17", u"167772,17"},   // beyond single precision, still exact
        {1249, u"0,12", u"0,12"},
        {1250, u"0,13", u"0,13"},                    // halves away from zero
        {-1250, u"-0,13", u"-0,13"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(formatMoney(Money::fromUnits(c.units)), QString::fromUtf16(c.grouped)) << c.units;
        EXPECT_EQ(formatMoneyPlain(Money::fromUnits(c.units)), QString::fromUtf16(c.plain)) << c.units;
    }
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

TEST(GreekFormats, DatesAreReadDayFirstAndShownWithDashes)
{
    const QDate today(2026, 12, 8);
    struct Case { const char16_t *text; QDate expected; };
    const Case cases[] = {
        {u"5-12-2005", QDate(2005, 12, 5)}, {u"05/12/2005", QDate(2005, 12, 5)},
        {u"5.12.2005", QDate(2005, 12, 5)}, {u"1-3-05", QDate(2005, 3, 1)},
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
