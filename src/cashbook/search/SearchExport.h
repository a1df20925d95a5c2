#pragma once

#include "MovementSearch.h"

#include <QString>

namespace pages {
class Engine;
}

// The results of a search as a report's table, so they are saved through the
// reports' own CSV and .xlsx writers.
namespace search {

// "Αναζήτηση κινήσεων": the title of the page, and what was looked for.
QString resultsTitle();
QString criteriaText(const Criteria &criteria);

// Writes the rows and the line of their count and totals as one table of the
// engine's document (day, code, description, income, expense, cheque).
void buildResultsDocument(pages::Engine &engine, const Results &results, const QString &caption);

enum class SaveKind { Csv, Xlsx };
// False when the file could not be written.
bool saveResults(const Results &results, const Criteria &criteria, SaveKind kind, const QString &fileName);

} // namespace search
