#include "platform/pages/tableformat.h"

#include <optional>

namespace pages {

namespace {

std::optional<Align> markAlign(QChar c)
{
    switch (c.unicode()) {
    case '<': return Align::Left;
    case '^': return Align::Center;
    case '>': return Align::Right;
    default: return std::nullopt;
    }
}

}  // namespace

std::vector<ColumnFormat> parseTableFormat(const QString &format, QChar columnSeparator)
{
    std::vector<ColumnFormat> columns;
    if (format.trimmed().isEmpty())
        return columns;
    const QStringList parts = format.split(columnSeparator);
    columns.reserve(size_t(parts.size()));
    for (const QString &part : parts) {
        ColumnFormat column;
        std::vector<Align> marks;
        QString digits;
        for (QChar c : part) {
            if (auto align = markAlign(c)) {
                if (digits.isEmpty())
                    marks.push_back(*align);
            } else if (c.isDigit()) {
                digits += c;
            }
        }
        if (!marks.empty()) {
            column.body = marks[0];
            column.header = marks.size() > 1 ? marks[1] : marks[0];
        }
        column.width = digits.isEmpty() ? 0 : digits.toInt();
        columns.push_back(column);
    }
    return columns;
}

QStringList splitCells(const QString &row, QChar columnSeparator, int columns)
{
    QStringList cells = row.split(columnSeparator);
    while (cells.size() < columns)
        cells.append(QString());
    return cells;
}

QStringList splitRows(const QString &body, QChar rowSeparator)
{
    QString text = body;
    text.replace(QStringLiteral("\r\n"), QString(rowSeparator));
    if (rowSeparator != QLatin1Char('\n'))
        text.replace(QLatin1Char('\n'), rowSeparator);
    if (rowSeparator != QLatin1Char('\r'))
        text.replace(QLatin1Char('\r'), rowSeparator);
    QStringList rows = text.split(rowSeparator);
    // A trailing separator ends the last row rather than opening another.
    if (rows.size() > 1 && rows.last().isEmpty())
        rows.removeLast();
    return rows;
}

bool isBlankRow(const QString &row, QChar columnSeparator)
{
    for (QChar c : row) {
        if (c != columnSeparator && !c.isSpace())
            return false;
    }
    return true;
}

}  // namespace pages
