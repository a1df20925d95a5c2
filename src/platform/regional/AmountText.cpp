#include "AmountText.h"

#include "GreekFormats.h"

#include <QRegularExpression>

namespace regional {
namespace {

AmountCheck refuse(const QString &why)
{
    return {std::nullopt, why};
}

bool allDigits(const QString &s)
{
    for (const QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

bool groupedInThrees(const QString &whole)
{
    static const QRegularExpression grouped(QStringLiteral("^[0-9]{1,3}(\\.[0-9]{3})+$"));
    return grouped.match(whole).hasMatch();
}

} // namespace

AmountCheck checkAmountText(const QString &text, AmountSign sign)
{
    QString body = text.trimmed();
    if (body.isEmpty())
        return {Money(), {}};

    bool negative = false;
    if (body.startsWith(QLatin1Char('-')) || body.startsWith(QLatin1Char('+'))) {
        negative = body.startsWith(QLatin1Char('-'));
        body = body.mid(1).trimmed();
    }
    if (negative && sign == AmountSign::NotNegative)
        return refuse(QStringLiteral("Το ποσό δεν μπορεί να είναι αρνητικό."));

    for (const QChar c : body)
        if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char('.') && c != QLatin1Char(','))
            return refuse(QStringLiteral("Το ποσό γράφεται μόνο με ψηφία, τελείες για τις χιλιάδες "
                                         "και κόμμα για τα δεκαδικά (π.χ. 1.234,56)."));
    if (body.count(QLatin1Char(',')) > 1)
        return refuse(QStringLiteral("Το ποσό έχει περισσότερα από ένα δεκαδικά κόμματα."));

    QString whole = body.section(QLatin1Char(','), 0, 0);
    QString fraction = body.contains(QLatin1Char(',')) ? body.section(QLatin1Char(','), 1) : QString();
    if (!body.contains(QLatin1Char(',')) && whole.count(QLatin1Char('.')) == 1) {
        const QString after = whole.section(QLatin1Char('.'), 1);
        if (after.size() == 3)
            return refuse(QStringLiteral("Δεν είναι σαφές αν η τελεία χωρίζει τις χιλιάδες ή τα δεκαδικά: "
                                         "γράψτε το ποσό με κόμμα, π.χ. 1.234,00 ή 1,23."));
        if (!after.isEmpty() && after.size() < 3) { // the keypad's decimal key
            fraction = after;
            whole = whole.section(QLatin1Char('.'), 0, 0);
        }
    }
    if (whole.contains(QLatin1Char('.'))) {
        if (!groupedInThrees(whole))
            return refuse(QStringLiteral("Οι τελείες χωρίζουν τις χιλιάδες ανά τρία ψηφία (π.χ. 1.234.567,89)."));
        whole.remove(QLatin1Char('.'));
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return refuse(QStringLiteral("Δεν δόθηκε κανένα ψηφίο."));
    if (!allDigits(fraction) || fraction.size() > 2)
        return refuse(QStringLiteral("Το ποσό έχει περισσότερα από δύο δεκαδικά ψηφία: τα λεπτά γράφονται με δύο."));

    const QString tooLarge = QStringLiteral("Το ποσό είναι μεγαλύτερο από το ανώτατο ") + formatMoney(MaxAmount)
        + QLatin1Char('.');
    while (whole.size() > 1 && whole.startsWith(QLatin1Char('0')))
        whole.remove(0, 1);
    if (whole.size() > 9) // also keeps the conversion below far from overflowing
        return refuse(tooLarge);
    const qint64 cents = whole.toLongLong() * 100 + fraction.leftJustified(2, QLatin1Char('0')).toLongLong();
    const Money amount = Money::fromCents(negative ? -cents : cents);
    if (amount > MaxAmount || amount < -MaxAmount)
        return refuse(tooLarge);
    return {amount, {}};
}

} // namespace regional
