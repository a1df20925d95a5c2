#include "ProgramPages.h"

#include "cashbook/codes/widgets/CodesPageFactory.h"
#include "cashbook/widgets/CashSheetPage.h"

// The reports page is not built yet: the main window shows its date range only.
PageFactories programPages()
{
    PageFactories pages;
    pages.cash = &cashbook::makeCashSheetPage;
    pages.codes = &makeCodesPage;
    return pages;
}
