#pragma once

#include "platform/regional/Money.h"

#include <QDate>
#include <QList>
#include <QString>

namespace pages { class Engine; }

// Column widths for the largest figures a report prints. A figure never
// breaks over two lines; the page engine would draw one that does not fit in
// a smaller size, so a report widens the columns that need it instead, taking
// the room first from columns wider than the longest text they hold, then from
// its description column, which breaks between words.
namespace reports {

// The largest figure one amount column prints: no row, subtotal or total of
// the column exceeds the sum of its absolute values, and it takes a minus sign
// only when some value of the column is negative.
struct ColumnFigure
{
    Money sumOfMagnitudes;
    bool anyNegative = false;

    void include(Money m)
    {
        sumOfMagnitudes += m < Money() ? Money() - m : m;
        anyNegative = anyNegative || m < Money();
    }
    // Another part of the same column. Only the digits of the sum matter
    // for a width: a sum beyond the largest amount is held there.
    void merge(const ColumnFigure &other);
    QString widest() const;
};

// The largest figures of the movement reports, per column.
struct LargestFigures
{
    ColumnFigure income, expense, memo;
    qint64 serial = 0;   // the number of movements, the largest "α/α"

    void merge(const LargestFigures &other)
    {
        income.merge(other.income);
        expense.merge(other.expense);
        memo.merge(other.memo);
        serial += other.serial;
    }
};

// What a column must hold on one line (columns count from 0). A column that
// grows is widened until `widest` fits; a column that gives may be narrowed
// down to what `widest` needs when another column needs room.
struct ColumnNeed
{
    int column = -1;
    QString widest;
    bool grows = true;
    bool gives = false;
};

// The needs of amount columns (each with its own largest figure) and of the
// serial column (-1 for none): amounts grow only, the serial column also gives.
QList<ColumnNeed> figureNeeds(const QList<std::pair<int, ColumnFigure>> &amountColumns, int serialColumn,
                              qint64 largestSerial);

// A column of dates: it needs one date and can give what it has beyond that.
ColumnNeed dateColumn(int column);

// The widest of the texts in the engine's font made bold.
QString widestText(pages::Engine &engine, const QStringList &texts);

// The table format with each growing column widened where its text would not
// fit on one line in the engine's current font made bold, as totals print.
// A column that fits keeps its width. What the growing columns need more is
// taken first from the columns that give (down to their own text), then from
// `donor`, down to MinimumDonorWidth. `header` (headings joined by "|") counts
// as text each column holds.
QString fitColumns(pages::Engine &engine, const QString &format, const QString &header, const QList<ColumnNeed> &needs,
                   int donor);

constexpr int MinimumDonorWidth = 1500;

} // namespace reports
