#include "DisplayLines.h"

#include "platform/regional/AmountText.h"
#include "platform/regional/GreekFormats.h"
#include "platform/regional/SafeText.h"
#include "platform/regional/TextPad.h"

namespace cashbook::lines {
namespace {

using regional::PadLeft;
using regional::PadRight;

constexpr int NumberWidth = 4;
constexpr int CodeWidth = 5;
constexpr int DescriptionWidth = 22;
// The largest amount a movement may hold, 999.999.999,99, is 14 characters:
// every amount column is one wider, so figures never run together and never
// lose their leading digits.
constexpr int MemoWidth = 15;
constexpr int AmountWidth = 15;
constexpr int StoredDescriptionWidth = 26;

QString amountColumn(Money amount)
{
    return PadLeft(amount.isZero() ? QStringLiteral("0") : regional::formatMoney(amount), AmountWidth);
}

QString chequeMark(bool cheque)
{
    return cheque ? QStringLiteral(" §") : QStringLiteral(" ");
}

} // namespace

QString listHeader()
{
    // The words stand at the columns of the line: the amount headings end
    // where their right-aligned figures end.
    const int incomeEnd = NumberWidth + 1 + CodeWidth + 1 + DescriptionWidth + MemoWidth + AmountWidth;
    const QString left = QStringLiteral("AA    Κωδ.   Περιγραφή");
    return PadRight(left, incomeEnd - 5) + QStringLiteral("Έσοδα") + PadLeft(QStringLiteral("Εξοδα"), AmountWidth);
}

QString carriedBalanceLine(const DayView &day)
{
    if (day.carried.isZero())
        return QStringLiteral("Υπόλοιπο από την προηγούμενη 0");
    return QStringLiteral("Υπόλοιπο για την ") + regional::formatDate(day.previousDay) + QStringLiteral("    ")
        + regional::formatMoney(day.carried);
}

QString movementLine(int lineNumber, const Movement &m)
{
    const QString memo = m.L_tajeos.isZero() ? QString(MemoWidth, QLatin1Char(' '))
                                             : PadLeft(regional::formatMoney(m.L_tajeos), MemoWidth);
    return PadLeft(QString::number(lineNumber), NumberWidth) + QLatin1Char(' ')
        + PadLeft(QString::number(m.kvdikos), CodeWidth) + QLatin1Char(' ')
        + regional::columnText(m.perigrafh, DescriptionWidth) + memo + amountColumn(m.esoda) + amountColumn(m.ejoda)
        + chequeMark(m.epitagh);
}

QStringList dayLines(const DayView &day)
{
    QStringList out;
    out.reserve(day.movements.size() + 1);
    out << carriedBalanceLine(day);
    int n = 0;
    for (const Movement &m : day.movements)
        out << movementLine(++n, m);
    return out;
}

QString storedLine(int code, const QString &description, const QString &incomeText, const QString &expenseText,
                   bool cheque)
{
    return PadLeft(QString::number(code), CodeWidth) + QLatin1Char(' ')
        + PadRight(description, StoredDescriptionWidth) + PadLeft(incomeText, AmountWidth)
        + PadLeft(expenseText, AmountWidth) + chequeMark(cheque);
}

QString moneyOrZero(Money amount)
{
    return amount.isZero() ? QStringLiteral("0") : regional::formatMoney(amount);
}

QString formatAmountBox(const QString &text)
{
    if (text.trimmed().isEmpty())
        return QStringLiteral("0");
    const regional::AmountCheck check = regional::checkAmountText(text);
    return check.accepted() ? regional::formatMoney(*check.amount) : text;
}

} // namespace cashbook::lines
