#include "TableWriter.h"

#include "platform/regional/GreekFormats.h"
#include "platform/regional/SafeText.h"

namespace reports {

void TableWriter::open(const QString &format, const QString &header, const QString &body,
                       pages::ColorRef headerShade, pages::ColorRef bodyShade)
{
    m_format = format;
    m_header = header;
    m_rows = 0;
    m_toggle = false;
    m_engine.AddTable(format, header, body, headerShade, bodyShade);
}

void TableWriter::setShades(pages::ColorRef whenOff, pages::ColorRef whenOn, pages::ColorRef headerShade)
{
    m_whenOff = whenOff;
    m_whenOn = whenOn;
    m_headerShade = headerShade;
}

void TableWriter::appendShaded(const QStringList &cells)
{
    append(cells, m_toggle ? m_whenOn : m_whenOff, m_headerShade);
    m_toggle = !m_toggle;
}

void TableWriter::append(const QStringList &cells, pages::ColorRef bodyShade, pages::ColorRef headerShade)
{
    ++m_rows;
    // A text from the book stays one cell of one row, whatever it holds.
    QStringList safe;
    safe.reserve(cells.size());
    for (const QString &cell : cells)
        safe << regional::cellText(cell);
    m_engine.AddTable(m_format, m_header, safe.join(QLatin1Char('|')), headerShade, bodyShade, true);
}

QString money(Money amount) { return regional::formatMoney(amount); }

QString plainNumber(Money amount)
{
    const qint64 units = amount.units();
    const qint64 whole = units / Money::Scale;
    QString fraction = QString::number(qAbs(units % Money::Scale)).rightJustified(4, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    QString text = (units < 0 && whole == 0 ? QStringLiteral("-") : QString()) + QString::number(whole);
    return fraction.isEmpty() ? text : text + QLatin1Char(',') + fraction;
}

QString moneyOrZero(Money amount)
{
    return amount.isZero() ? QStringLiteral("0") : regional::formatMoney(amount);
}

QString moneyOrBlank(Money amount)
{
    return amount.isZero() ? QStringLiteral(" ") : regional::formatMoney(amount);
}

QString date(const QDate &day) { return regional::formatDate(day); }

QString alignRight(const QString &text, int n) { return text.trimmed().rightJustified(n, QLatin1Char(' ')); }

} // namespace reports
