#include "DialogQuestions.h"

#include "Ervthsh.h"
#include "FormaTajinomhshs.h"
#include "data/Store.h"
#include "shell/analysis/widgets/AnalyshFRM.h"

reports::PrintChoice DialogQuestions::askPrintChoice() { return Ervthsh::ask(m_parent); }

reports::SortChoice DialogQuestions::askSortOrder() { return FormaTajinomhshs::ask(m_parent); }

analysis::AnalysisSetup DialogQuestions::askAnalysisSetup(const QString &dayText)
{
    return AnalyshFRM::ask(m_store.main(), dayText);
}
