// Rows stored before one-line boxes kept invisible characters out, on the day
// list's line; and the days a movement may be booked on.
#include "CashBookFixture.h"
#include "cashbook/BookingDay.h"
#include "cashbook/DisplayLines.h"
#include "platform/regional/Clock.h"
#include "platform/regional/TextPad.h"

#include <gtest/gtest.h>

using namespace cashbook;

namespace {

Movement income(const QString &text, qint64 cents)
{
    Movement m;
    m.kvdikos = 10;
    m.perigrafh = text;
    m.esoda = Money::fromCents(cents);
    return m;
}

// The columns as the eye counts them: isolate marks take no room.
QString columns(QString line)
{
    line.remove(QChar(0x2068));
    line.remove(QChar(0x2069));
    return line;
}

} // namespace

TEST(StoredTextLines, InvisibleCharactersAreMarkedAndTheAmountKeepsItsColumn)
{
    const QString plain = lines::movementLine(1, income(QStringLiteral("ΑΠΛΟ"), 123456));
    const QString stored = QStringLiteral("Α\nΒ\tΓ") + QChar(0x202E) + QStringLiteral("Δ") + QChar(0x200B)
        + QStringLiteral("Ε") + QString::fromUtf8("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d");
    const QString line = lines::movementLine(1, income(stored, 123456));
    for (const QChar gone : {QChar(u'\n'), QChar(u'\t'), QChar(0x202E), QChar(0x200B)})
        EXPECT_FALSE(line.contains(gone)) << int(gone.unicode());
    EXPECT_TRUE(line.contains(QStringLiteral("Α¶Β→Γ□Δ□Ε")));
    EXPECT_EQ(regional::characterCount(columns(line)), regional::characterCount(plain));
    EXPECT_EQ(columns(line).indexOf(QStringLiteral("1.234,56")), plain.indexOf(QStringLiteral("1.234,56")));
}

TEST(StoredTextLines, AnEmojiAtTheColumnEdgeIsCutWhole)
{
    const QString euro = QString::fromUtf8("\xf0\x9f\x92\xb6");
    const QString text = QString(21, QChar(0x0391)) + euro + euro; // the 22nd character is an emoji
    const QString line = lines::movementLine(1, income(text, 100));
    EXPECT_TRUE(line.contains(QString(21, QChar(0x0391)) + euro + QStringLiteral(" ")));
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i].isHighSurrogate()) {
            EXPECT_TRUE(i + 1 < line.size() && line[i + 1].isLowSurrogate()) << i;
        }
    }
    const QString grammh = lines::storedLine(10, QString(25, QChar(0x0391)) + euro + euro, QStringLiteral("1,00"),
                                             QStringLiteral("0"), false);
    // The amount right-aligned in its column after the whole emoji.
    EXPECT_TRUE(grammh.contains(QString(25, QChar(0x0391)) + euro + QStringLiteral(" ")));
    EXPECT_TRUE(grammh.simplified().contains(euro + QStringLiteral(" 1,00")));
}

class BookingDays : public CashBookFixture
{
protected:
    BookingDays() { Clock::setToday(QDate(2030, 6, 1)); }
    ~BookingDays() override { Clock::setToday(QDate()); }

    std::optional<qint64> insertTyped(const QString &dateText)
    {
        cashbook::MovementEntry e = entry(day(1), 10, QStringLiteral("1,00"), QStringLiteral("0"));
        e.dateText = dateText;
        return ops.InsertMovement(e);
    }
};

TEST_F(BookingDays, AShortYearIsReadNearTodayAndAFarDayIsRefused)
{
    const auto near = insertTyped(QStringLiteral("5-1-30"));
    ASSERT_TRUE(near.has_value());
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM kinhseis WHERE hmeromhnia = '2030-01-05'")), 1);

    for (const char *far : {"1-1-0001", "31-12-1899", "31-12-9999", "2-6-2031"}) {
        SCOPED_TRACE(far);
        messages.clear();
        EXPECT_FALSE(insertTyped(QString::fromLatin1(far)).has_value());
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.last().title, QStringLiteral("Λάθος στην ημερομηνία"));
        EXPECT_TRUE(messages.last().text.endsWith(QStringLiteral("Δεκτές είναι από 01-01-1900 έως 01-06-2031.")))
            << messages.last().text.toStdString();
    }
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM kinhseis")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM tameio")), 1); // no balance moved by a far day

    // The edges themselves are booking days.
    EXPECT_TRUE(insertTyped(QStringLiteral("01-01-1900")).has_value());
    EXPECT_TRUE(insertTyped(QStringLiteral("01-06-2031")).has_value());
    EXPECT_EQ(bookingDayRefusal(QDate(2031, 6, 2), QDate(2030, 6, 1)),
              QStringLiteral("Η ημερομηνία 02-06-2031 είναι έξω από τις ημέρες του ταμείου.\n"
                             "Δεκτές είναι από 01-01-1900 έως 01-06-2031."));
}
