#pragma once

#include <QList>
#include <QString>

namespace db { class Database; }

namespace codes {

// One entry of a list of the reports tab: what it shows and its item data.
struct ListItem
{
    QString text;
    qint64 data = 0;
};

// The reports tab's code list List2(1) and group list List2(2).
struct PrintLists
{
    QList<ListItem> codes;  // lista of every code by number; data = kvdikos
    QList<ListItem> groups; // perigrafh of every group by number; data = aa
};

// Every code is offered, active or not: inactive codes still have movements
// to report on.
PrintLists FillPrintLists(db::Database &db);

} // namespace codes
