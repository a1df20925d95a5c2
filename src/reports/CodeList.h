#pragma once

#include "PeriodRows.h"

class Store;
namespace pages { class Engine; }

namespace reports {

// Report 2: the transaction codes in the chosen order, all or the active ones.
void codeList(pages::Engine &lumo, Store &store, CodeOrder order, bool activeOnly);

} // namespace reports
