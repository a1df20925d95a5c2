#include "ReportInput.h"

namespace reports {

ReportQuestions &ReportInput::ask() const
{
    // Without a window to ask, every choice window answers with what it presets.
    static PresetAnswers defaults;
    if (questions)
        return *questions;
    defaults.analysisSetup = analysis::AnalysisSetup::defaults();
    return defaults;
}

} // namespace reports
