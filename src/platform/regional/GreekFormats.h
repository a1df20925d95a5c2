#pragma once

#include "Money.h"

#include <QDate>
#include <QString>
#include <optional>

// The Greek regional conventions every text of the program follows: the
// decimal comma, the dot between thousands, dates as DD-MM-YYYY and Greek
// weekday names. The program never depends on the machine's own locale.
namespace regional {

// "###,###,###,###,##0.00": 1234567.5 -> "1.234.567,50"
QString formatMoney(Money amount);

// Reads an amount the way the regional number conversion does: optional sign,
// dots between thousands ignored, a comma before up to four decimals (more are
// rounded). Blank or malformed text gives no value. For the csng conversion of
// stored texts; what a user types goes through checkAmountText (AmountText.h).
std::optional<Money> parseMoney(const QString &text);
bool isNumeric(const QString &text);

// "DD-MM-YYYY"
QString formatDate(const QDate &date);
// Accepts day-month-year with "-", "/", ".", "," or blanks between the parts, one- or
// two-digit day and month, two- or four-digit year (a two-digit year falls
// between 80 years before and 19 years after `today`); day-month alone takes
// the year of `today`.
std::optional<QDate> parseDate(const QString &text, const QDate &today);
// The same with the program's today (Clock).
std::optional<QDate> parseDate(const QString &text);
bool isDate(const QString &text);

// The full weekday name, "Κυριακή" ... "Σάββατο". The cash sheet has always
// written Saturday "Σαββάτο", and its users know it so; elsewhere the name is
// spelt as the language spells it.
enum class WeekdaySpelling { Standard, CashSheet };
QString weekdayName(const QDate &date, WeekdaySpelling spelling = WeekdaySpelling::Standard);

// Text comparison that ignores letter case and accents the way Greek users
// expect ("μαρία" equals "ΜΑΡΙΑ", "Ενοίκιο" equals "ΕΝΟΙΚΙΟ").
QString foldForComparison(const QString &text);
int compareFolded(const QString &a, const QString &b);

// Capitals as the upper-case edit style gives them: Greek accents dropped, the
// diaeresis kept ("ΰ" -> "Ϋ"), and added where an accent kept two vowels apart
// ("ρολόι" -> "ΡΟΛΟΪ").
QString toUpperGreek(const QString &text);

} // namespace regional
