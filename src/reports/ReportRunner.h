#pragma once

#include "ReportInput.h"

#include <functional>

namespace pages { class Engine; }
class Store;

namespace reports {

struct ReportResult
{
    enum class Outcome {
        Complete,   // the whole report is on the pages
        Nothing,    // no report has this number: the preview stays empty
        Failed,     // the store failed midway: the pages say they are incomplete
        Stopped,    // the user stopped it: the pages say they are incomplete
    };
    Outcome outcome = Outcome::Complete;
    QString message;  // why it failed
    QString notice;   // the line that ends an incomplete report; exports end with it too

    bool complete() const { return outcome == Outcome::Complete; }
};

// KiB of the book file kept decrypted in memory while a report is built: a
// long report reads its range once, in an order no cache of part of the book
// keeps ahead of, and its pages are what grows with the book.
constexpr int ReportCacheKib = 16 * 1024;

// The line that ends a report that did not finish.
QString incompleteNotice();

// Builds report `number` into the engine with the footer "Σελίδα %d" on every
// page, with the book's cache at most ReportCacheKib meanwhile. A store failure is shown to the user (critical box) and the document
// ends with incompleteNotice(), so partial totals never pass for whole ones.
ReportResult runReport(int number, pages::Engine &engine, Store &store, const ReportInput &input);

// The same for a report that is not in the report list (the results of a search).
using ReportBuild = std::function<void(pages::Engine &engine, Store &store, const ReportInput &input)>;
ReportResult runReport(const ReportBuild &build, pages::Engine &engine, Store &store, const ReportInput &input);

} // namespace reports
