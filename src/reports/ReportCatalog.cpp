#include "ReportCatalog.h"

#include "DayReports.h"

// One line per report: its number in the report list and its builder.
// Reports without a line show "not built yet" in the report window.

namespace reports {
namespace {

struct CatalogEntry
{
    int number;
    ReportBuilder build;
};

const CatalogEntry Catalog[] = {
    {1, &buildDaySheet},
    {8, &buildDayAnalysis},
};

} // namespace

ReportBuilder reportBuilder(int number)
{
    for (const CatalogEntry &entry : Catalog)
        if (entry.number == number && number >= FirstReport && number <= LastReport)
            return entry.build;
    return nullptr;
}

} // namespace reports
