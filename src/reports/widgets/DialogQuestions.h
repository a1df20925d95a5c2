#pragma once

#include "reports/ReportInput.h"

class QWidget;
class Store;

// The choice windows answered by the user: each question opens its modal
// window and hands back what was chosen.
class DialogQuestions : public reports::ReportQuestions
{
public:
    DialogQuestions(Store &store, QWidget *parent) : m_store(store), m_parent(parent) {}
    reports::PrintChoice askPrintChoice() override;
    reports::SortChoice askSortOrder() override;
    analysis::AnalysisSetup askAnalysisSetup(const QString &dayText) override;

private:
    Store &m_store;
    QWidget *m_parent;
};
