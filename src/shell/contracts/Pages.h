#pragma once

#include "MainWindowState.h"

#include <functional>
#include <memory>

class QWidget;

// The pages the main window holds in Panel1(1..3). The main window owns the
// button array Command1 and dispatches each click (busy guard, marker test)
// to the operation of the page below; the pages own their fields and lists.
class CashSheetPage
{
public:
    virtual ~CashSheetPage() = default;
    virtual QWidget *widget() = 0;

    virtual void InsertMovement() = 0;     // Command1(0)
    // Command1(2) and Command1(3): true when the loaded movement is finished
    // with, because the operation was done or the user cancelled it; false
    // when a check refused it (the entry stays for the user to correct).
    virtual bool ChangeMovement() = 0;
    virtual bool DeleteMovement() = 0;
    virtual void CloseCash() = 0;          // Command1(8)
    // After a change or delete that is finished with: clear MovementSelected
    // and the list selection.
    virtual void ClearSelection() = 0;

    // Start-up: clear the code box and run the date box's leave handler
    // (the caller grants RightChangeRecords for the call).
    virtual void ShowInitialDay() = 0;
    virtual bool IsDayClosed() = 0;        // the day shown is closed
    // Tab 1 entered: the code box lists the active codes again.
    virtual void RefreshCodes() = 0;
    // Window activation puts the focus here.
    virtual void FocusCodeBox() = 0;
};

class CodesPage
{
public:
    virtual ~CodesPage() = default;
    virtual QWidget *widget() = 0;

    virtual void InsertCode() = 0;         // Command1(5)
    virtual void ChangeCode() = 0;         // Command1(6)
    virtual void DeleteCode() = 0;         // Command1(7)
    virtual void EditGroups() = 0;         // Command1(10): the modal group window, then requery groups
    // Tab 2 entered: all codes listed, code fields Text1(4..6) and the income box cleared.
    virtual void EnterPage() = 0;
    virtual void RequeryCodes() = 0;
};

class ReportsPage
{
public:
    virtual ~ReportsPage() = default;
    virtual QWidget *widget() = 0;

    virtual void PrintSelected() = 0;      // Command1(1)
    // Tab 3 entered: date range Text1(7)/Text1(8) set, report lists filled.
    virtual void EnterPage(const QString &fromDate, const QString &toDate) = 0;
};

// How the program builds its pages; a missing factory leaves the page empty
// and its buttons do nothing (tests of the frame itself use that).
struct PageFactories
{
    std::function<std::unique_ptr<CashSheetPage>(PageContext &, QWidget *parent)> cash;
    std::function<std::unique_ptr<CodesPage>(PageContext &, QWidget *parent)> codes;
    std::function<std::unique_ptr<ReportsPage>(PageContext &, QWidget *parent)> reports;
};
