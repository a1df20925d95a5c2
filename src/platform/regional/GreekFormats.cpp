#include "GreekFormats.h"

#include "Clock.h"

#include <QLocale>
#include <QRegularExpression>

namespace regional {
namespace {

QString groupThousands(const QString &digits)
{
    QString out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char('.');
        out += digits[i];
    }
    return out;
}

// A two-digit year is read in the century that puts it within a window that
// slides with today: from 80 years back to 19 years ahead (in 2030 "30" is
// 2030, in 2026 "75" is 1975 and "45" is 2045).
int expandYear(int year, int digits, int thisYear)
{
    if (digits > 2)
        return year;
    const int first = thisYear - 80;
    return first + (((year - first) % 100) + 100) % 100;
}

} // namespace

QString formatMoney(Money amount)
{
    const qint64 cents = amount.roundedCents();
    const qint64 absCents = cents < 0 ? -cents : cents;
    const QString whole = QString::number(absCents / 100);
    const QString frac = QStringLiteral("%1").arg(absCents % 100, 2, 10, QLatin1Char('0'));
    return (cents < 0 ? QStringLiteral("-") : QString()) + groupThousands(whole) + QLatin1Char(',') + frac;
}

std::optional<Money> parseMoney(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([+-]?)\\s*([0-9][0-9.]*|)(?:,([0-9]*))?$"));
    const QString t = text.trimmed();
    const auto m = pattern.match(t);
    if (!m.hasMatch())
        return std::nullopt;
    QString whole = m.captured(2);
    whole.remove(QLatin1Char('.'));
    const QString frac = m.captured(3);
    if (whole.isEmpty() && frac.isEmpty())
        return std::nullopt;
    if (whole.size() > 14)
        return std::nullopt; // beyond what the currency type holds
    qint64 units = whole.isEmpty() ? 0 : whole.toLongLong() * Money::Scale;
    QString f = frac.left(4);
    while (f.size() < 4)
        f += QLatin1Char('0');
    units += f.toLongLong();
    if (frac.size() > 4 && frac[4] >= QLatin1Char('5'))
        units += 1;
    if (m.captured(1) == QLatin1String("-"))
        units = -units;
    return Money::fromUnits(units);
}

bool isNumeric(const QString &text)
{
    return parseMoney(text).has_value();
}

QString formatDate(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd-MM-yyyy")) : QString();
}

std::optional<QDate> parseDate(const QString &text, const QDate &today)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,2})[-/., ]+(\\d{1,2})(?:[-/., ]+(\\d{2}|\\d{4}))?$"));
    const auto m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const int day = m.captured(1).toInt();
    const int month = m.captured(2).toInt();
    const int year = m.captured(3).isEmpty()
        ? today.year()
        : expandYear(m.captured(3).toInt(), int(m.captured(3).size()), today.year());
    const QDate d(year, month, day);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

std::optional<QDate> parseDate(const QString &text)
{
    return parseDate(text, Clock::today());
}

bool isDate(const QString &text)
{
    return parseDate(text).has_value();
}

QString weekdayName(const QDate &date, WeekdaySpelling spelling)
{
    // Sunday first, as the week is counted here.
    static const char16_t *const names[] = {u"Κυριακή", u"Δευτέρα",   u"Τρίτη",  u"Τετάρτη",
                                            u"Πέμπτη",  u"Παρασκευή", u"Σάββατο"};
    if (!date.isValid())
        return QString();
    if (spelling == WeekdaySpelling::CashSheet && date.dayOfWeek() == Qt::Saturday)
        return QStringLiteral("Σαββάτο");
    return QString::fromUtf16(names[date.dayOfWeek() % 7]);
}

QString foldForComparison(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        out += c;
    }
    return out.toCaseFolded();
}

int compareFolded(const QString &a, const QString &b)
{
    return foldForComparison(a).compare(foldForComparison(b));
}

namespace {

constexpr char16_t Diaeresis = 0x0308;

bool isGreekVowel(QChar c)
{
    return QStringLiteral("αεηιουωΑΕΗΙΟΥΩ").contains(c);
}

// The first letter of a Greek diphthong and the second that it takes (αι, ει,
// οι, υι; αυ, ευ, ηυ, ου). An accent on the first letter means the two are
// said apart, which capitals show with a diaeresis on the second ("ρολόι" ->
// "ΡΟΛΟΪ").
bool formsDiphthong(QChar first, QChar second)
{
    const QChar a = first.toLower();
    const QChar b = second.toLower();
    if (b == QChar(0x03B9)) // ι
        return QStringLiteral("αεου").contains(a);
    if (b == QChar(0x03C5)) // υ
        return QStringLiteral("αεηο").contains(a);
    return false;
}

} // namespace

QString toUpperGreek(const QString &text)
{
    // Letter by letter: base letter, whether it had an accent, whether it had
    // a diaeresis. Greek capitals drop the accents and keep the diaeresis.
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    bool previousAccented = false;
    QChar previousBase;
    for (qsizetype i = 0; i < decomposed.size(); ++i) {
        const QChar c = decomposed[i];
        if (c.script() != QChar::Script_Greek || !c.isLetter()) {
            // A mark after a Greek letter was handled with it; other text is
            // upper-cased as it is.
            if (c.category() == QChar::Mark_NonSpacing && !out.isEmpty() && previousBase.script() == QChar::Script_Greek)
                continue;
            out += c.toUpper();
            previousBase = c;
            previousAccented = false;
            continue;
        }
        bool accented = false;
        bool diaeresis = false;
        qsizetype j = i + 1;
        for (; j < decomposed.size() && decomposed[j].category() == QChar::Mark_NonSpacing; ++j) {
            if (decomposed[j] == QChar(Diaeresis))
                diaeresis = true;
            else
                accented = true;
        }
        if (!diaeresis && previousAccented && !accented && isGreekVowel(c) && formsDiphthong(previousBase, c))
            diaeresis = true;
        out += c.toUpper();
        if (diaeresis)
            out += QChar(Diaeresis);
        previousBase = c;
        previousAccented = accented && isGreekVowel(c);
        i = j - 1;
    }
    return out.normalized(QString::NormalizationForm_C);
}

} // namespace regional
