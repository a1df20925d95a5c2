// Text as users paste it: what a one-line box keeps, how a stored text is shown
// in a fixed-pitch column or a report cell, cuts at whole characters, Greek
// capitals, and the years of short dates.
#include "platform/regional/Clock.h"
#include "platform/regional/GreekFormats.h"
#include "platform/regional/SafeText.h"
#include "platform/regional/TextPad.h"

#include <gtest/gtest.h>

using namespace regional;

namespace {

const QString Hebrew = QString::fromUtf8("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d"); // שלום
const QString Euro = QString::fromUtf8("\xf0\x9f\x92\xb6");                  // 💶, two UTF-16 halves
const QChar Override(0x202E);
const QChar ZeroWidthSpace(0x200B);
const QChar FirstStrongIsolate(0x2068);
const QChar PopIsolate(0x2069);

std::string show(const QString &s)
{
    return s.toStdString();
}

} // namespace

TEST(OneLineText, KeepsNoBreakTabOverrideOrZeroWidthCharacter)
{
    const QString pasted = QStringLiteral("ΚΑΦΕΣ\nΓΑΛΑ\tΖΑΧΑΡΗ ") + Override + QStringLiteral("abc") + ZeroWidthSpace
        + QStringLiteral(" ") + Hebrew + QChar(0x2066) + QChar(0x2069) + QChar(0x00AD) + QChar(0x7F) + QChar(0x85);
    EXPECT_EQ(show(oneLineText(pasted)), show(QStringLiteral("ΚΑΦΕΣ ΓΑΛΑ ΖΑΧΑΡΗ abc ") + Hebrew));
    EXPECT_EQ(show(oneLineText(QStringLiteral("a\r\nb\n\n\tc"))), "a b c");
    EXPECT_EQ(show(oneLineText(QStringLiteral("\nαρχή "))), show(QStringLiteral("αρχή ")));
    // What is visible stays as it is: emoji, accents, Hebrew, quotes.
    const QString visible = QStringLiteral("Ο'Μπράιεν ") + Euro + QStringLiteral(" e\u0301 ") + Hebrew;
    EXPECT_EQ(show(oneLineText(visible)), show(visible));
}

TEST(OneLineText, StoredInvisibleCharactersAreShownOneMarkEach)
{
    const QString stored = QStringLiteral("Α\nΒ\tΓ") + Override + QStringLiteral("Δ") + ZeroWidthSpace + QStringLiteral("Ε\r");
    EXPECT_EQ(show(markInvisible(stored)), show(QStringLiteral("Α¶Β→Γ□Δ□Ε¶")));
    EXPECT_EQ(characterCount(markInvisible(stored)), int(stored.size()));
    EXPECT_EQ(show(markInvisible(QStringLiteral("καθαρό"))), show(QStringLiteral("καθαρό")));
}

TEST(SafeText, AColumnIsIsolatedMarkedAndExactlyItsWidth)
{
    // Right-to-left text: inside isolates, the blanks outside, 22 visible characters.
    const QString col = columnText(Hebrew + QStringLiteral(" 12"), 22);
    EXPECT_TRUE(col.startsWith(FirstStrongIsolate));
    const qsizetype pdi = col.indexOf(PopIsolate);
    ASSERT_GT(pdi, 0);
    EXPECT_EQ(show(col.mid(1, pdi - 1)), show(Hebrew + QStringLiteral(" 12")));
    EXPECT_EQ(col.mid(pdi + 1), QString(22 - 7, QLatin1Char(' ')));

    // Left-to-right text is left as the plain column it always was.
    EXPECT_EQ(show(columnText(QStringLiteral("  ΕΝΟΙΚΙΟ "), 10)), show(QStringLiteral("ΕΝΟΙΚΙΟ   ")));
    // A stored line break becomes a mark, never a new line.
    const QString broken = columnText(QStringLiteral("ΓΡΑΜΜΗ\nΔΕΥΤΕΡΗ"), 22);
    EXPECT_FALSE(broken.contains(QLatin1Char('\n')));
    EXPECT_EQ(characterCount(broken), 22);
    // A cut lands between whole characters: no emoji half, no accent without its letter.
    const QString cut = columnText(QStringLiteral("ΚΑΦΕΣ") + Euro + Euro, 6);
    EXPECT_EQ(show(cut), show(QStringLiteral("ΚΑΦΕΣ") + Euro));
    EXPECT_EQ(show(columnText(QStringLiteral("cafe\u0301s"), 4)), show(QStringLiteral("cafe\u0301")));
}

TEST(SafeText, AReportCellStaysOneCellOfOneRow)
{
    EXPECT_EQ(show(cellText(QStringLiteral("ΑΛΦΑ\nΒΗΤΑ|1,00"))), show(QStringLiteral("ΑΛΦΑ¶ΒΗΤΑ¦1,00")));
    EXPECT_EQ(show(cellText(QStringLiteral("1.234,56"))), "1.234,56");
    EXPECT_EQ(show(cellText(Hebrew)), show(FirstStrongIsolate + Hebrew + PopIsolate));
    EXPECT_EQ(show(cellText(Override + QStringLiteral("65,432.1"))), show(QStringLiteral("□65,432.1")));
}

TEST(TextPad, CutsAndPadsWholeCharacters)
{
    const QString text = QStringLiteral("ΚΑΦΕΣ ") + Euro + QString::fromUtf8("\xf0\x9f\xa7\xbe");
    EXPECT_EQ(characterCount(text), 8);
    EXPECT_EQ(show(PadRight(text, 7)), show(QStringLiteral("ΚΑΦΕΣ ") + Euro));
    EXPECT_EQ(show(PadLeft(text, 1)), show(QString::fromUtf8("\xf0\x9f\xa7\xbe")));
    EXPECT_EQ(show(PadRight(QStringLiteral("e\u0301"), 3)), show(QStringLiteral("e\u0301  ")));
    EXPECT_EQ(show(PadLeft(QStringLiteral("e\u0301"), 3)), show(QStringLiteral("  e\u0301")));
    EXPECT_FALSE(PadRight(text, 7).contains(QChar(0xFFFD)));
    EXPECT_FALSE(PadRight(text, 7).back().isHighSurrogate());
}

TEST(GreekCapitals, KeepTheDiaeresisAndDropTheAccent)
{
    EXPECT_EQ(show(toUpperGreek(QStringLiteral("ΰ"))), show(QStringLiteral("Ϋ")));
    EXPECT_EQ(show(toUpperGreek(QStringLiteral("ΐ"))), show(QStringLiteral("Ϊ")));
    EXPECT_EQ(show(toUpperGreek(QStringLiteral("ϊϋ"))), show(QStringLiteral("ΪΫ")));
    EXPECT_EQ(show(toUpperGreek(QStringLiteral("Μαΐου"))), show(QStringLiteral("ΜΑΪΟΥ")));
    // An accent that keeps two vowels apart turns into a diaeresis on the second.
    EXPECT_EQ(show(toUpperGreek(QStringLiteral("ρολόι"))), show(QStringLiteral("ΡΟΛΟΪ")));
    EXPECT_EQ(show(toUpperGreek(QStringLiteral("άυλος"))), show(QStringLiteral("ΑΫΛΟΣ")));
    EXPECT_EQ(show(toUpperGreek(QStringLiteral("λογαριασμός είναι"))), show(QStringLiteral("ΛΟΓΑΡΙΑΣΜΟΣ ΕΙΝΑΙ")));
    EXPECT_EQ(show(toUpperGreek(QStringLiteral("café ok"))), show(QStringLiteral("CAFÉ OK")));
}

TEST(ShortYears, AreReadInAWindowThatSlidesWithToday)
{
    EXPECT_EQ(parseDate(QStringLiteral("5-1-30"), QDate(2030, 6, 1)), QDate(2030, 1, 5));
    EXPECT_EQ(parseDate(QStringLiteral("5-1-50"), QDate(2060, 6, 1)), QDate(2050, 1, 5));
    EXPECT_EQ(parseDate(QStringLiteral("1-1-45"), QDate(2026, 12, 8)), QDate(2045, 1, 1));
    EXPECT_EQ(parseDate(QStringLiteral("1-1-46"), QDate(2026, 12, 8)), QDate(1946, 1, 1));
    EXPECT_EQ(parseDate(QStringLiteral("31-12-99"), QDate(2101, 1, 1)), QDate(2099, 12, 31));
    EXPECT_EQ(parseDate(QStringLiteral("1-1-0001"), QDate(2026, 12, 8)), QDate(1, 1, 1)); // four digits as written

    // Without a day given, "today" is the program's clock, which tests set.
    Clock::setToday(QDate(2031, 2, 3));
    EXPECT_EQ(parseDate(QStringLiteral("24-12")), QDate(2031, 12, 24));
    EXPECT_EQ(parseDate(QStringLiteral("5-1-50")), QDate(2050, 1, 5));
    Clock::setToday(QDate());
}
