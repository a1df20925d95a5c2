#pragma once

#include "platform/regional/Money.h"

#include <QDate>
#include <algorithm>
#include <QList>
#include <QString>

namespace db { class Database; }
namespace pages { class Engine; }

// Column widths for the largest figures a report can print. A figure never
// breaks over two lines; the page engine would draw one that does not fit in
// a smaller size, so a report widens the columns that need it instead, taking
// the room from its text column, which breaks between words.
namespace reports {

// The largest figures of a report over a range: no total, subtotal or
// difference exceeds the sum of an amount column over every movement of the
// range, and no serial number exceeds their count.
struct LargestFigures
{
    Money amount;
    qint64 serial = 0;

    // The figures of a report that holds its rows before it lays them out.
    void include(Money m) { amount = std::max(amount, m < Money() ? Money() - m : m); }
};
LargestFigures largestFigures(db::Database &db, const QDate &from, const QDate &to);

// The widest text a column must hold on one line (columns count from 0).
struct ColumnNeed
{
    int column = -1;
    QString widest;
};

// What the amount columns (and the serial column, -1 for none) must hold.
QList<ColumnNeed> figureNeeds(const QList<int> &amountColumns, int serialColumn, const LargestFigures &largest);

// The table format with each needy column widened where its text would not
// fit on one line in the engine's current font made bold, as totals print. A
// column that fits keeps its width; what the others need more is taken from
// `donor`, down to MinimumDonorWidth.
QString fitColumns(pages::Engine &engine, const QString &format, const QList<ColumnNeed> &needs, int donor);

constexpr int MinimumDonorWidth = 1500;

} // namespace reports
