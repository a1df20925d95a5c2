#pragma once

#include "ReportInput.h"

namespace pages { class Engine; }
class Store;

// The two reports of one day.
namespace reports {

// Report 1, the day cash sheet of the end date: the balance brought forward,
// every movement of the day, the totals and the closing balance.
void daySheet(pages::Engine &engine, Store &store, const ReportInput &input);

// Report 8, the cash analysis of the start date: the day's figures, the
// balance of each of the four groups of non-cash codes up to the day, and the
// cash in the till.
void dayAnalysis(pages::Engine &engine, Store &store, const ReportInput &input);

// Whether the day has its cash row (tameio); the analysis of a day without
// one prints only a message.
bool hasCashDay(Store &store, const QDate &day);

} // namespace reports
