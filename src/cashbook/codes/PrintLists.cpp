#include "PrintLists.h"

#include "CodeQueries.h"
#include "groups/GroupQueries.h"

namespace codes {

PrintLists FillPrintLists(db::Database &db)
{
    PrintLists lists;
    for (const CodeRow &c : allCodes(db))
        lists.codes << ListItem{c.lista, c.kvdikos};
    for (const groups::GroupRow &g : groups::listGroups(db))
        lists.groups << ListItem{g.perigrafh, g.aa};
    return lists;
}

} // namespace codes
