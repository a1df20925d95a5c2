#pragma once

#include "ReportInput.h"

class Store;
namespace pages { class Engine; }

namespace reports {

// Report 10: the cash of the period as charts (daily balance, income and
// expense by month, the groups' shares of expense and income), drawn by
// input.chartPainter onto the pages, followed by the figures as tables.
void cashCharts(pages::Engine &engine, Store &store, const ReportInput &input);

} // namespace reports
