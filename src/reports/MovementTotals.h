#pragma once

#include "ColumnFit.h"
#include "MovementSums.h"

#include <QDate>
#include <QList>
#include <functional>
#include <optional>

namespace db {
class Database;
}

// What the movement reports add up before their first row. The columns are
// sized for the largest figure printed, which is a total; the totals of a
// range are summed here per pair of group number and code that movements
// carry together. The pairs are found by one seek each in the covering index
// kinhseis_omada_posa. A pair's whole years come from the year sums the book
// keeps (data/YearTotals.h), a few rows per year; the days before the first
// whole year and after the last are one range of the index each. So the cost
// is the number of years and of the edge days' index entries, never a sort, a
// read of the table or a pass over every movement of a long range.
namespace reports {

// A group number and a code that movements carry together. Either may be
// missing (NULL) in a book edited by hand; a missing value comes first.
struct MovementPair
{
    std::optional<qint64> group; // the movements' aa_omada
    std::optional<qint64> code;  // their kvdikos
};

// Every pair the book's movements carry, by group number then code.
QList<MovementPair> movementPairs(db::Database &db);

// A pair's movements of a range: their exact sums, and the largest figures
// their column could print (the sum of magnitudes of each amount column, the
// number of movements as `serial`).
struct PairTotals
{
    MovementPair pair;
    MovementSums sums;
    LargestFigures largest;
};

// The totals of the pairs `wanted` accepts that have movements in the range,
// in the order of movementPairs.
using PairFilter = std::function<bool(const MovementPair &)>;
QList<PairTotals> readPairTotals(db::Database &db, const QDate &from, const QDate &to, const PairFilter &wanted);

// The pairs' largest figures together: what a report over all of them prints
// at most in each amount column, and its number of rows.
LargestFigures combinedFigures(const QList<PairTotals> &pairs);

} // namespace reports
