#pragma once

#include "groups/GroupColumns.h"
#include "platform/regional/Money.h"

#include <QDate>
#include <QList>
#include <array>

namespace db { class Database; }

namespace reports {

// One movement of a group-card column: what is printed for it.
struct GroupCardLine
{
    QString description;
    Money amount; // income + expense of the movement
};

struct GroupCardColumn
{
    QString heading;
    QList<GroupCardLine> lines;  // by group name, code, newest day first
};

using GroupCardColumns = std::array<GroupCardColumn, groups::GroupColumnCount>;

// Reads the movements of each column's groups between the two days (both
// included). Group numbers and dates are bound, never written into the query.
GroupCardColumns readGroupCard(db::Database &db, const QDate &start, const QDate &end,
                               const std::array<groups::ColumnChoice, groups::GroupColumnCount> &choices);

} // namespace reports
