#pragma once

#include "groups/GroupColumns.h"
#include "shell/analysis/AnalysisSetup.h"

#include <QDate>
#include <QList>
#include <QString>
#include <functional>

// What a report is built from: the reports tab's date range and lists, the
// caption that ends every title, and the choice windows a report asks before
// or while it builds. Everything here is plain data; the report never reaches
// into a window.
namespace reports {

class ChartPainter;

// Ervthsh: analytic (Option1(0), preset) or summary (Option1(1)).
struct PrintChoice
{
    bool analytic = true;
};

// FormaTajinomhshs: the sort order of the code list and its "only active" box.
struct SortChoice
{
    enum Order { ByCode = 0, ByDescription = 1, ByGroup = 2 };
    int order = ByCode;   // Tajinomhsh
    bool onlyActive = false;
};

// What the choice windows answered. They are all asked before the report
// starts building (see askQuestions in ReportCatalog.h); the report only reads
// them. Each value starts as its window presets it.
struct ReportAnswers
{
    PrintChoice printChoice;                                                 // Ervthsh
    SortChoice sortChoice;                                                   // FormaTajinomhshs
    analysis::AnalysisSetup analysisSetup = analysis::AnalysisSetup::defaults(); // AnalyshFRM
};

// The choice windows a report may open. The report window answers them with
// real modal windows; tests and benchmarks answer with preset values.
class ReportQuestions
{
public:
    virtual ~ReportQuestions() = default;
    virtual PrintChoice askPrintChoice() = 0;                       // Ervthsh
    virtual SortChoice askSortOrder() = 0;                          // FormaTajinomhshs
    virtual analysis::AnalysisSetup askAnalysisSetup(const QString &dayText) = 0; // AnalyshFRM
    // EpiloghOmadvn: the groups of the card's three columns, kept in the
    // settings store, which the card then reads.
    virtual void chooseGroupColumns(const QList<groups::GroupEntry> &groups) = 0;
};

// Answers fixed in advance; counts what was asked, so tests can check that a
// window was (or was not) opened.
class PresetAnswers : public ReportQuestions
{
public:
    PrintChoice printChoice;
    SortChoice sortChoice;
    analysis::AnalysisSetup analysisSetup;
    int asked = 0;

    PrintChoice askPrintChoice() override { ++asked; return printChoice; }
    SortChoice askSortOrder() override { ++asked; return sortChoice; }
    analysis::AnalysisSetup askAnalysisSetup(const QString &) override { ++asked; return analysisSetup; }
    void chooseGroupColumns(const QList<groups::GroupEntry> &) override { ++asked; }
};

// Long reports call it now and then with the rows done and the rows expected
// (0 when unknown); returning false asks the report to stop.
using Progress = std::function<bool(qint64 done, qint64 total)>;

struct ReportInput
{
    QString fromText;            // Text1(7) as typed: the start date
    QString toText;              // Text1(8) as typed: the end date
    QDate from;                  // the same, read as dates
    QDate to;
    QList<qint64> codes;         // item data of the entries selected in List2(1)
    QList<qint64> groups;        // item data of the entries selected in List2(2)
    QList<groups::GroupEntry> groupList; // every entry of List2(2), in its order
    QString headerCaption;       // HeaderCaption, ends every title
    QString title;               // the entry text from its fourth character on
    ReportAnswers answers;       // what the choice windows answered
    Progress progress;           // may be empty
    // Draws the charts of the chart report (the report window gives the
    // charting library's); without one that report prints its tables only.
    const ChartPainter *chartPainter = nullptr;

    // True to go on; false when the progress callback asks to stop.
    bool reportProgress(qint64 done, qint64 total = 0) const { return !progress || progress(done, total); }
};

// Thrown by a report whose progress callback asked it to stop.
struct ReportStopped
{
};

} // namespace reports
