#pragma once

#include "shell/contracts/Pages.h"

#include <QLineEdit>
#include <QStringList>
#include <QWidget>
#include <functional>

// Pages that record which operation the main window called, so the tests can
// check the dispatch rules of the frame on their own.
struct PageLog
{
    QStringList calls;
    bool rightChangeRecordsAtInitialDay = false;
    bool dayClosed = false;
    bool changesDone = true; // what ChangeMovement and DeleteMovement answer
    std::function<void()> duringInsertMovement; // runs inside InsertMovement
    int count(const QString &call) const { return int(calls.count(call)); }
};

class FakeCashPage : public CashSheetPage
{
public:
    FakeCashPage(PageLog &log, QWidget *parent);
    QWidget *widget() override { return m_widget; }
    void InsertMovement() override;
    bool ChangeMovement() override { m_log.calls << QStringLiteral("ChangeMovement"); return m_log.changesDone; }
    bool DeleteMovement() override { m_log.calls << QStringLiteral("DeleteMovement"); return m_log.changesDone; }
    void CloseCash() override { m_log.calls << QStringLiteral("CloseCash"); }
    void ClearSelection() override { m_log.calls << QStringLiteral("ClearSelection"); }
    void ShowInitialDay() override;
    bool IsDayClosed() override { return m_log.dayClosed; }
    void RefreshCodes() override { m_log.calls << QStringLiteral("RefreshCodes"); }
    void FocusCodeBox() override {}

private:
    PageLog &m_log;
    QWidget *m_widget;
};

class FakeCodesPage : public CodesPage
{
public:
    FakeCodesPage(PageLog &log, QWidget *parent) : m_log(log), m_widget(new QWidget(parent)) {}
    QWidget *widget() override { return m_widget; }
    void InsertCode() override { m_log.calls << QStringLiteral("InsertCode"); }
    void ChangeCode() override { m_log.calls << QStringLiteral("ChangeCode"); }
    void DeleteCode() override { m_log.calls << QStringLiteral("DeleteCode"); }
    void EditGroups() override { m_log.calls << QStringLiteral("EditGroups"); }
    void EnterPage() override { m_log.calls << QStringLiteral("CodesEnterPage"); }
    void RequeryCodes() override { m_log.calls << QStringLiteral("RequeryCodes"); }

private:
    PageLog &m_log;
    QWidget *m_widget;
};

// The reports tab's date range Text1(7)/Text1(8), which the frame fills in
// when the tab is entered.
class FakeReportsPage : public ReportsPage
{
public:
    FakeReportsPage(PageLog &log, QWidget *parent);
    QWidget *widget() override { return m_widget; }
    void PrintSelected() override { m_log.calls << QStringLiteral("PrintSelected"); }
    void EnterPage(const QString &fromDate, const QString &toDate) override;

private:
    PageLog &m_log;
    QWidget *m_widget;
    QLineEdit *m_from;
    QLineEdit *m_to;
};

PageFactories fakeFactories(PageLog &log);
