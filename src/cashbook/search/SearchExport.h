#pragma once

#include "MovementSearch.h"

#include <QString>

namespace pages {
class Engine;
}
namespace reports {
struct ReportInput;
}
class Store;

// The results of a search as a report: printed and previewed through the
// report window, saved through the reports' own CSV and .xlsx writers. Every
// found movement is read again from the book, not only the ones listed.
namespace search {

// "Αναζήτηση κινήσεων": the title of the page, and what was looked for.
QString resultsTitle();
QString criteriaText(const Criteria &criteria);

// Builds the report of the search into the engine: the title with what was
// looked for as its period line and the header caption, one table of every
// found movement (day, code, description, income, expense, cheque) by day,
// and the line of their count and totals. Store failures arrive as
// db::DbError and a stop asked through input.progress as reports::ReportStopped,
// as from any report.
void buildResultsReport(pages::Engine &engine, Store &store, const Criteria &criteria,
                        const reports::ReportInput &input);

enum class SaveKind { Csv, Xlsx };
// False when the file could not be written. Throws db::DbError.
bool saveResults(Store &store, const Criteria &criteria, SaveKind kind, const QString &fileName);

} // namespace search
