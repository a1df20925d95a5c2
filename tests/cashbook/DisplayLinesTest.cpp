#include "cashbook/DisplayLines.h"

#include "QStringPrinter.h"
#include "platform/regional/GreekFormats.h"

#include <gtest/gtest.h>

using namespace cashbook;

namespace {

Movement movement(int code, const QString &text, qint64 incomeCents, qint64 expenseCents, qint64 memoCents = 0,
                  bool cheque = false)
{
    Movement m;
    m.kvdikos = code;
    m.perigrafh = text;
    m.esoda = Money::fromCents(incomeCents);
    m.ejoda = Money::fromCents(expenseCents);
    m.L_tajeos = Money::fromCents(memoCents);
    m.epitagh = cheque;
    return m;
}

} // namespace

TEST(DisplayLines, HeaderWordsStandOverTheirColumns)
{
    const QString h = lines::listHeader();
    EXPECT_EQ(h.indexOf(QStringLiteral("Κωδ.")), 6);
    EXPECT_EQ(h.indexOf(QStringLiteral("Περιγραφή")), 13);
    // The amount headings end where the figures of their columns end.
    const QString line = lines::movementLine(1, movement(1, QStringLiteral("Α"), 100, 200));
    EXPECT_EQ(h.indexOf(QStringLiteral("Έσοδα")) + 5, line.indexOf(QStringLiteral("1,00")) + 4);
    EXPECT_EQ(h.indexOf(QStringLiteral("Εξοδα")) + 5, line.indexOf(QStringLiteral("2,00")) + 4);
    EXPECT_EQ(h.size(), line.size() - 1);
}

struct LineCase
{
    const char *name;
    int number;
    Movement m;
    const char16_t *expected;
};

class MovementLineLayout : public ::testing::TestWithParam<LineCase>
{};

TEST_P(MovementLineLayout, ColumnByColumn)
{
    EXPECT_EQ(lines::movementLine(GetParam().number, GetParam().m), QString::fromUtf16(GetParam().expected));
}

// Columns: number 4, blank, code 5, blank, description 22, memo 15, income 15, expense 15, cheque mark.
INSTANTIATE_TEST_SUITE_P(
    DayList, MovementLineLayout,
    ::testing::Values(
        LineCase{"income_without_memo", 1, movement(10, QStringLiteral("ΕΙΣΠΡΑΞΗ"), 10000, 0),
                 u"   1    10 ΕΙΣΠΡΑΞΗ                                      100,00              0 "},
        LineCase{"expense_with_memo_and_cheque", 12, movement(20, QStringLiteral(" ΑΓΟΡΑ "), 0, 123450, 5025, true),
                 u"  12    20 ΑΓΟΡΑ                           50,25              0       1.234,50 §"},
        LineCase{"long_description_cut_on_the_right", 3,
                 movement(12345, QStringLiteral("ΠΟΛΥ ΜΑΚΡΙΑ ΠΕΡΙΓΡΑΦΗ ΠΟΥ ΚΟΒΕΤΑΙ"), 1, 0),
                 u"   3 12345 ΠΟΛΥ ΜΑΚΡΙΑ ΠΕΡΙΓΡΑΦΗ                           0,01              0 "}),
    [](const auto &info) { return std::string(info.param.name); });

// Every amount a movement may hold is shown whole, with a blank before it,
// in every column of the list line and of the stored line.
TEST(DisplayLines, TheLargestAmountsStayWholeAndApart)
{
    const qint64 largest = 99999999999; // 999.999.999,99
    for (const qint64 cents : {qint64(123456789), largest}) {
        const QString text = regional::formatMoney(Money::fromCents(cents));
        const QString line = lines::movementLine(9999, movement(99999, QStringLiteral("ΠΕΡΙΓΡΑΦΗ ΠΟΥ ΓΕΜΙΖΕΙ ΟΛΗ"),
                                                                cents, cents, cents, true));
        EXPECT_EQ(line.count(QLatin1Char(' ') + text), 3) << line.toStdString();
        const QStringList figures = line.mid(33).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        EXPECT_EQ(figures, (QStringList{text, text, text, QStringLiteral("§")})) << line.toStdString();

        const QString stored = lines::storedLine(99999, QStringLiteral("ΠΕΡΙΓΡΑΦΗ ΠΟΥ ΓΕΜΙΖΕΙ ΟΛΗ ΤΗ ΣΤΗΛΗ"), text, text, false);
        EXPECT_EQ(stored.mid(32).split(QLatin1Char(' '), Qt::SkipEmptyParts), (QStringList{text, text}))
            << stored.toStdString();
    }
    EXPECT_EQ(regional::formatMoney(Money::fromCents(largest)), QStringLiteral("999.999.999,99"));
}

TEST(DisplayLines, FirstLineNamesThePreviousDayOrZero)
{
    DayView none;
    EXPECT_EQ(lines::carriedBalanceLine(none), QStringLiteral("Υπόλοιπο από την προηγούμενη 0"));
    DayView carried;
    carried.previousDay = QDate(2005, 12, 2);
    carried.carried = Money::fromCents(5000);
    EXPECT_EQ(lines::carriedBalanceLine(carried), QStringLiteral("Υπόλοιπο για την 02-12-2005    50,00"));
    // A row whose balance came to exactly 0 reads like no row at all.
    carried.carried = Money();
    EXPECT_EQ(lines::carriedBalanceLine(carried), QStringLiteral("Υπόλοιπο από την προηγούμενη 0"));
}

TEST(DisplayLines, StoredLineUsesTheBoxTextsAsTheyStand)
{
    EXPECT_EQ(lines::storedLine(10, QStringLiteral(" ΕΝΟΙΚΙΟ "), QStringLiteral("1.234,50"), QStringLiteral("0"), true),
              QStringLiteral("   10 ΕΝΟΙΚΙΟ                          1.234,50              0 §"));
    EXPECT_EQ(lines::storedLine(7, QStringLiteral("Χ"), QStringLiteral("0"), QStringLiteral("5,00"), false).size(),
              5 + 1 + 26 + 15 + 15 + 1);
}

TEST(DisplayLines, AmountBoxes)
{
    EXPECT_EQ(lines::formatAmountBox(QString()), QStringLiteral("0"));
    EXPECT_EQ(lines::formatAmountBox(QStringLiteral("1234,5")), QStringLiteral("1.234,50"));
    EXPECT_EQ(lines::formatAmountBox(QStringLiteral("0")), QStringLiteral("0,00"));
    EXPECT_EQ(lines::moneyOrZero(Money()), QStringLiteral("0"));
    EXPECT_EQ(lines::moneyOrZero(Money::fromCents(12000)), QStringLiteral("120,00"));
    EXPECT_EQ(lines::formatAmountBox(QStringLiteral("12.5")), QStringLiteral("12,50")); // the keypad's dot
    // Text that is no clear amount is never rounded into one.
    EXPECT_EQ(lines::formatAmountBox(QStringLiteral("0,305")), QStringLiteral("0,305"));
    EXPECT_EQ(lines::formatAmountBox(QStringLiteral("-50")), QStringLiteral("-50"));
}
