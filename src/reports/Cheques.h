#pragma once

#include "ReportInput.h"

class Store;
namespace pages { class Engine; }

namespace reports {

// Report 7: Ervthsh chooses between the cheque movements of the range one by
// one (analytic) and their memo sums per day and amount (summary).
void cheques(pages::Engine &engine, Store &store, const ReportInput &input);

void chequeList(pages::Engine &engine, Store &store, const ReportInput &input);
void chequeSummary(pages::Engine &engine, Store &store, const ReportInput &input);

} // namespace reports
