#pragma once

#include "ReportInput.h"

class Store;
namespace pages { class Engine; }

namespace reports {

// Report 4: movements of the range for the selected codes (none selected:
// all), every movement with a subtotal at each change of code (Ervthsh
// "Αναλυτικά") or one row per code ("Συνοπτικά"); totals and the difference.
void movementsByCode(pages::Engine &engine, Store &store, const ReportInput &input);

} // namespace reports
