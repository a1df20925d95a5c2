#include "ProgramPages.h"

#include "cashbook/codes/widgets/CodesPageFactory.h"
#include "cashbook/widgets/CashSheetPage.h"
#include "reports/widgets/ReportsTab.h"

PageFactories programPages()
{
    PageFactories pages;
    pages.cash = &cashbook::makeCashSheetPage;
    pages.codes = &makeCodesPage;
    pages.reports = &makeReportsPage;
    return pages;
}
