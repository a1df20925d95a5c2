#include "ColumnFit.h"

#include "TableWriter.h"
#include "platform/pages/cellwrap.h"
#include "platform/pages/engine.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace reports {

namespace {

struct Column
{
    QString marks;
    int width = 0;
};

QList<Column> splitFormat(const QString &format)
{
    QList<Column> columns;
    for (const QString &part : format.split(QLatin1Char('|'))) {
        qsizetype digits = 0;
        while (digits < part.size() && !part.at(digits).isDigit())
            ++digits;
        columns.append({part.left(digits), part.mid(digits).toInt()});
    }
    return columns;
}

QString joinFormat(const QList<Column> &columns)
{
    QStringList parts;
    for (const Column &c : columns)
        parts << c.marks + QString::number(c.width);
    return parts.join(QLatin1Char('|'));
}

// What a cell holding `text` must be wide, in twips of the format (before
// the engine narrows a table wider than the frame by `scale`). Measured bold,
// as totals and headings print.
int neededWidth(pages::Engine &engine, const QString &text, double scale)
{
    const bool bold = engine.FontBold();
    engine.setFontBold(true);
    engine.setMeasure(text);
    const int textWidth = engine.TextWid();
    engine.setFontBold(bold);
    // The measure is rounded to whole twips and each column edge may round by
    // one more: a few twips keep a text that fits exactly on one line.
    constexpr int Slack = 4;
    return int(std::ceil((textWidth + 2 * pages::CellPaddingX + Slack) / scale));
}

} // namespace

void ColumnFigure::merge(const ColumnFigure &other)
{
    qint64 sum = 0;
    if (__builtin_add_overflow(sumOfMagnitudes.units(), other.sumOfMagnitudes.units(), &sum))
        sum = std::numeric_limits<qint64>::max();
    sumOfMagnitudes = Money::fromUnits(sum);
    anyNegative = anyNegative || other.anyNegative;
}

QString ColumnFigure::widest() const
{
    const QString figure = money(sumOfMagnitudes);
    return anyNegative ? QStringLiteral("-") + figure : figure;
}

QList<ColumnNeed> figureNeeds(const QList<std::pair<int, ColumnFigure>> &amountColumns, int serialColumn,
                              qint64 largestSerial)
{
    QList<ColumnNeed> needs;
    for (const auto &[column, figure] : amountColumns)
        needs.append({column, figure.widest(), true, false});
    if (serialColumn >= 0)
        needs.append({serialColumn, QString::number(std::max<qint64>(largestSerial, 1)), true, true});
    return needs;
}

ColumnNeed dateColumn(int column)
{
    // Digits are equally wide in the report fonts: any date is as wide as another.
    return {column, date(QDate(2028, 12, 28)), true, true};
}

QString widestText(pages::Engine &engine, const QStringList &texts)
{
    QString widest;
    int most = -1;
    for (const QString &text : texts) {
        const int width = neededWidth(engine, text, 1.0);
        if (width > most) {
            most = width;
            widest = text;
        }
    }
    return widest;
}

QString fitColumns(pages::Engine &engine, const QString &format, const QString &header, const QList<ColumnNeed> &needs,
                   int donor)
{
    QList<Column> columns = splitFormat(format);
    int total = 0;
    for (const Column &c : columns)
        total += c.width;
    const int frame = engine.PageWidth() - engine.MarginLeft() - engine.MarginRight() - engine.IndentLeft()
                      - engine.IndentRight();
    const double scale = total > frame && total > 0 ? double(frame) / total : 1.0;
    const QStringList headings = header.split(QLatin1Char('|'));

    int extra = 0;
    QList<std::pair<int, int>> spare;  // column, twips it can give
    for (const ColumnNeed &need : needs) {
        if (need.column < 0 || need.column >= columns.size() || need.column == donor)
            continue;
        int width = neededWidth(engine, need.widest, scale);
        if (need.column < headings.size())
            width = std::max(width, neededWidth(engine, headings.at(need.column), scale));
        Column &c = columns[need.column];
        if (need.grows && c.width < width) {
            extra += width - c.width;
            c.width = width;
        } else if (need.gives && c.width > width) {
            spare.append({need.column, c.width - width});
        }
    }
    for (const auto &[column, room] : spare) {
        const int taken = std::min(extra, room);
        columns[column].width -= taken;
        extra -= taken;
    }
    if (extra > 0 && donor >= 0 && donor < columns.size())
        columns[donor].width = std::max(MinimumDonorWidth, columns[donor].width - extra);
    return joinFormat(columns);
}

} // namespace reports
