#pragma once

#include "ReportInput.h"

class Store;
namespace pages { class Engine; }

namespace reports {

// Report 3: the days of the range newest first, and the result of the period.
void cashResultsSummary(pages::Engine &engine, Store &store, const ReportInput &input);

} // namespace reports
