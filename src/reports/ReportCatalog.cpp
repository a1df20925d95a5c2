#include "ReportCatalog.h"

#include "CashResults.h"
#include "Cheques.h"
#include "CodeList.h"
#include "DayReports.h"
#include "DaysNotClosed.h"
#include "GroupCard.h"
#include "MovementsByCode.h"
#include "MovementsByGroup.h"

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
    {2, &codeList},
    {3, &cashResultsSummary},
    {4, &movementsByCode},
    {5, &movementsByGroup},
    {6, &buildGroupCard},
    {7, &cheques},
    {8, &buildDayAnalysis},
    {9, &daysNotClosed},
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
