#pragma once

#include "shell/contracts/Pages.h"

class QLineEdit;

// The reports page until the report window is built: only the date range
// Text1(7) and Text1(8) that the reports tab fills in.
class ReportsPlaceholder : public ReportsPage
{
public:
    explicit ReportsPlaceholder(QWidget *parent);
    QWidget *widget() override { return m_widget; }
    void PrintSelected() override {}
    void EnterPage(const QString &fromDate, const QString &toDate) override;

private:
    QWidget *m_widget;
    QLineEdit *m_from;
    QLineEdit *m_to;
};
