#pragma once

#include "shell/contracts/Pages.h"

#include <QPointer>
#include <memory>

class Ektypvsh;
class QLineEdit;
class QListWidget;

// The reports page of the main window (tab 3): the report list List2(0), the
// code and group lists List2(1)/List2(2), the date range Text1(7)/Text1(8).
// The print button starts the selected report in a fresh report window.
class ReportsTab : public ReportsPage
{
public:
    ReportsTab(PageContext &context, QWidget *parent);
    ~ReportsTab() override;

    QWidget *widget() override;
    void PrintSelected() override;
    void EnterPage(const QString &fromDate, const QString &toDate) override;

    // The one report window, or nullptr before the first report.
    Ektypvsh *reportWindow() const;

private:
    void buildControls();

    PageContext &m_context;
    QPointer<QWidget> m_widget;
    QListWidget *m_list[3] = {};
    QLineEdit *m_from = nullptr;
    QLineEdit *m_to = nullptr;
    std::unique_ptr<Ektypvsh> m_report;
};

std::unique_ptr<ReportsPage> makeReportsPage(PageContext &context, QWidget *parent);
