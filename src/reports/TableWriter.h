#pragma once

#include "platform/pages/engine.h"
#include "platform/regional/Money.h"

#include <QDate>
#include <QStringList>

// How every report writes a table: one AddTable opens it (format, heading,
// a body of blank cells), then each row is its own AddTable call with Append,
// its cells joined by "|", shaded by a toggle that flips after every row.
namespace reports {

class TableWriter
{
public:
    explicit TableWriter(pages::Engine &engine) : m_engine(engine) {}

    // format: "^1100|<4000|>1500" ("<" left, "^" centred, ">" right, widths in
    // twips); header: headings joined by "|"; body: empty cells such as
    // " |  | | |" (no row is written), or a first row. Resets the row counter
    // and the shading toggle.
    void open(const QString &format, const QString &header, const QString &body,
              pages::ColorRef headerShade = 0, pages::ColorRef bodyShade = 0);

    // The shades a shaded row gets: `whenOff` while the toggle is false (the
    // first row), `whenOn` while it is true; and the header shade passed with
    // every appended row.
    void setShades(pages::ColorRef whenOff, pages::ColorRef whenOn, pages::ColorRef headerShade = 0);

    // The rows that follow take another format; the heading stays.
    void setFormat(const QString &format) { m_format = format; }
    const QString &format() const { return m_format; }
    const QString &header() const { return m_header; }

    // Appends a row with the toggle's shade and flips the toggle; counts it.
    void appendShaded(const QStringList &cells);
    // Appends a row with exactly these shades (the toggle is left alone).
    void append(const QStringList &cells, pages::ColorRef bodyShade = 0, pages::ColorRef headerShade = 0);

    int rowCount() const { return m_rows; }
    bool shadingToggle() const { return m_toggle; }

private:
    pages::Engine &m_engine;
    QString m_format;
    QString m_header;
    pages::ColorRef m_whenOff = 0;
    pages::ColorRef m_whenOn = 0;
    pages::ColorRef m_headerShade = 0;
    int m_rows = 0;
    bool m_toggle = false;
};

// Texts of the cells.
QString money(Money amount);            // "###,###,###,###,##0.00"
// A number as plain text: no grouping, the decimal comma, no trailing zeros
// ("1234,5", "-12", "0").
QString plainNumber(Money amount);
QString moneyOrZero(Money amount);      // "0" for a zero amount, otherwise as money()
QString moneyOrBlank(Money amount);     // a single blank for a zero amount, otherwise as money()
QString date(const QDate &day);         // "DD-MM-YYYY"
// The trimmed text right-aligned in n characters. A longer text stays whole:
// cutting it to n would drop the leading digits of a number.
QString alignRight(const QString &text, int n);

} // namespace reports
