#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace db { class Database; }

namespace groups {

// One row of table omades: the group number and its name.
struct GroupRow
{
    qint64 aa = 0;
    QString perigrafh;
};

// Every group in the order of the table (by number).
QList<GroupRow> listGroups(db::Database &db);

std::optional<GroupRow> groupById(db::Database &db, qint64 aa);

// The first group whose name equals `name`, ignoring letter case and accents.
std::optional<GroupRow> findGroupByName(db::Database &db, const QString &name);

} // namespace groups
