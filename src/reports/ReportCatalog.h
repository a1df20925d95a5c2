#pragma once

#include "ReportInput.h"

namespace pages { class Engine; }
class Store;

namespace reports {

// A report: builds its whole document into the engine (page frame, StartDoc,
// title, tables, totals, EndDoc) from the store and the input. Store failures
// arrive as db::DbError; a stop asked through the progress callback as
// ReportStopped. runReport() handles both.
using ReportBuilder = void (*)(pages::Engine &engine, Store &store, const ReportInput &input);

constexpr int FirstReport = 1;
constexpr int LastReport = 10;

// The builder of report 1..10 (the number of the report list's entry), or
// nullptr for any other number.
ReportBuilder reportBuilder(int number);

// Asks every choice window report `number` needs, in the order the user
// meets them, and returns the answers for ReportInput::answers. All of them
// are asked before the report starts, so nothing that belongs to the build
// (the progress window above all) can stand over a question. A report that
// asks nothing gets the presets.
ReportAnswers askQuestions(int number, ReportQuestions &questions, Store &store, const ReportInput &input);

} // namespace reports
