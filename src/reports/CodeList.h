#pragma once

#include "ReportInput.h"

class Store;
namespace pages { class Engine; }

namespace reports {

// Report 2: the transaction codes in the order chosen in FormaTajinomhshs,
// all of them or only the active ones.
void codeList(pages::Engine &engine, Store &store, const ReportInput &input);

} // namespace reports
