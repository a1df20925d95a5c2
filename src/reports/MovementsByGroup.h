#pragma once

#include "ReportInput.h"

class Store;
namespace pages { class Engine; }

namespace reports {

// Report 5: movements of the range for the selected groups (none selected:
// all), landscape, by group name, with a subtotal at each change of group.
void movementsByGroup(pages::Engine &engine, Store &store, const ReportInput &input);

} // namespace reports
