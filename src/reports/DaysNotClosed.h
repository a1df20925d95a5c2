#pragma once

#include "ReportInput.h"

class Store;
namespace pages { class Engine; }

namespace reports {

// Report 9: the days from the start up to (not including) the end whose
// cash was not closed; or, when the range reaches past the closed days, the
// one line naming the last (or first) closed day.
void daysNotClosed(pages::Engine &engine, Store &store, const ReportInput &input);

} // namespace reports
