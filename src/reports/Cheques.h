#pragma once

#include <QDate>

class Store;
namespace pages { class Engine; }

namespace reports {

// Report 7: the cheque movements of the range one by one (analytic), or
// their memo sums per day and amount (summary).
void chequeList(pages::Engine &lumo, Store &store, const QDate &start, const QDate &end);
void chequeSummary(pages::Engine &lumo, Store &store, const QDate &start, const QDate &end);

} // namespace reports
