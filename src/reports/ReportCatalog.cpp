#include "ReportCatalog.h"

#include "CashCharts.h"
#include "CashResults.h"
#include "Cheques.h"
#include "CodeList.h"
#include "DayReports.h"
#include "DaysNotClosed.h"
#include "GroupCard.h"
#include "MovementsByCode.h"
#include "MovementsByGroup.h"

// One line per report: its number in the report list, its builder and the
// choice windows it asks first.

namespace reports {
namespace {

using QuestionStep = void (*)(ReportQuestions &questions, Store &store, const ReportInput &input,
                              ReportAnswers &answers);

void askPrintChoice(ReportQuestions &questions, Store &, const ReportInput &, ReportAnswers &answers)
{
    answers.printChoice = questions.askPrintChoice();
}

void askSortOrder(ReportQuestions &questions, Store &, const ReportInput &, ReportAnswers &answers)
{
    answers.sortChoice = questions.askSortOrder();
}

// The card reads its columns from the settings store, where the selection
// window keeps them.
void chooseGroupColumns(ReportQuestions &questions, Store &, const ReportInput &input, ReportAnswers &)
{
    questions.chooseGroupColumns(input.groupList);
}

// A day without a cash row prints only its message, so its set-up is not asked.
void askAnalysisSetup(ReportQuestions &questions, Store &store, const ReportInput &input, ReportAnswers &answers)
{
    if (hasCashDay(store, input.from))
        answers.analysisSetup = questions.askAnalysisSetup(input.fromText);
}

struct CatalogEntry
{
    int number;
    ReportBuilder build;
    QuestionStep ask;   // nullptr: nothing to ask
};

const CatalogEntry Catalog[] = {
    {1, &daySheet, nullptr},
    {2, &codeList, &askSortOrder},
    {3, &cashResultsSummary, nullptr},
    {4, &movementsByCode, &askPrintChoice},
    {5, &movementsByGroup, nullptr},
    {6, &groupCard, &chooseGroupColumns},
    {7, &cheques, &askPrintChoice},
    {8, &dayAnalysis, &askAnalysisSetup},
    {9, &daysNotClosed, nullptr},
    {10, &cashCharts, nullptr},
};

const CatalogEntry *entry(int number)
{
    for (const CatalogEntry &e : Catalog)
        if (e.number == number && number >= FirstReport && number <= LastReport)
            return &e;
    return nullptr;
}

} // namespace

ReportBuilder reportBuilder(int number)
{
    const CatalogEntry *e = entry(number);
    return e ? e->build : nullptr;
}

ReportAnswers askQuestions(int number, ReportQuestions &questions, Store &store, const ReportInput &input)
{
    ReportAnswers answers = input.answers;
    if (const CatalogEntry *e = entry(number); e && e->ask)
        e->ask(questions, store, input, answers);
    return answers;
}

} // namespace reports
