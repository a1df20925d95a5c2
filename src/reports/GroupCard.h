#pragma once

#include "ReportInput.h"

namespace pages { class Engine; }
class Store;

namespace reports {

// Report 6, "Κατάσταση": the group card. First the user chooses the groups of
// the three columns (EpiloghOmadvn); then, on a landscape page, each column
// lists the movements of its groups over the date range with their amounts,
// and a bold row under the three gives each column's total.
void groupCard(pages::Engine &engine, Store &store, const ReportInput &input);

} // namespace reports
