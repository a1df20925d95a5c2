#include "DialogQuestions.h"

#include "Ervthsh.h"
#include "FormaTajinomhshs.h"
#include "data/Store.h"
#include "groups/widgets/EpiloghOmadvn.h"
#include "shell/analysis/widgets/AnalyshFRM.h"

#include <QCoreApplication>

reports::PrintChoice DialogQuestions::askPrintChoice() { return Ervthsh::ask(m_parent); }

reports::SortChoice DialogQuestions::askSortOrder() { return FormaTajinomhshs::ask(m_parent); }

analysis::AnalysisSetup DialogQuestions::askAnalysisSetup(const QString &dayText)
{
    return AnalyshFRM::ask(m_store.main(), dayText);
}

void DialogQuestions::chooseGroupColumns(const QList<groups::GroupEntry> &groups)
{
    EpiloghOmadvn window(groups, m_parent);
    window.exec();
    // Let the closed window's last events run before the card is built.
    QCoreApplication::processEvents();
}
