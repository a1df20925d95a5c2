#pragma once

#include "MarkerHolder.h"
#include "data/SchemaUpgrade.h"
#include "platform/db/DbError.h"
#include "shell/contracts/Pages.h"

#include <QMainWindow>
#include <array>
#include <memory>

class QAbstractButton;
class QKeySequence;
class QLabel;
class QStatusBar;
class QTabBar;
class QToolButton;
class Store;

// The main window: the tab strip Tab1 over the pages Panel1(1..3), the picture
// buttons Command1(0..10) with their captions Label2, the status bar Bar1 and
// the header and version labels. The pages come from the factories; each
// button click is dispatched by element through the hourglass guard and, for
// changing operations, the in-use marker test, to the page's operation.
//
// Use: construct with the (not yet opened) store and the page factories, then
// initialise(). When initialise() returns false the fatal message has been
// shown and the program must end. programEnded() is emitted once the stop
// sequence has run (close box, exit buttons, exit tab).
class kentrikh : public QMainWindow
{
    Q_OBJECT
public:
    // The outer size of the window, frame included.
    static constexpr int WidthTwips = 11820;
    static constexpr int HeightTwips = 8115;
    static constexpr int ButtonCount = 11;

    kentrikh(Store &store, const PageFactories &factories, QWidget *parent = nullptr);
    ~kentrikh() override;

    // The main window load with its initialisation: schema upgrade, table
    // check, today's cash sheet, version, rights, marker and title.
    bool initialise(const schemaupgrade::AskOpeningBalance &ask);

    // The button handler, by element (as the buttons call it).
    void Command1_Click(int index);
    // Selects a tab (1..4) as a click on it does.
    void selectTab(int tab);
    int currentTab() const;

    MainWindowState &state() { return m_state; }
    QString statusPanelText(int panel) const;
    CashSheetPage *cashPage() const { return m_cash.get(); }
    CodesPage *codesPage() const { return m_codes.get(); }
    ReportsPage *reportsPage() const { return m_reports.get(); }

Q_SIGNALS:
    void programEnded();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void placeOnScreen();
    void buildFrame();
    void buildPanel(int page);
    void buildStatusBar();
    void addKey(QAbstractButton *button, const QKeySequence &key, int element);
    QToolButton *buildHelpButton(QWidget *parent);
    void focusFirstField(int tab);
    void buildPages(const PageFactories &factories);
    void placePage(int page, QWidget *pageWidget);
    void followPageWithItsButtons(int page, QWidget *pageWidget);

    void Tab1_Click(int tab);
    void runOperation(int index);
    void showPage(int tab);
    void applyRights();
    void setStatusPanel(int panel, const QString &text);
    void setButtonVisible(int element, bool visible);
    void stopSequence();
    void askExitFromTab(int previous);

    Store &m_store;
    MainWindowState m_state;
    PageContext m_context;
    MarkerHolder m_marker;

    std::unique_ptr<CashSheetPage> m_cash;
    std::unique_ptr<CodesPage> m_codes;
    std::unique_ptr<ReportsPage> m_reports;
    std::optional<db::DbError> m_pagesError; // a page could not reach its data

    QTabBar *m_tabs = nullptr;
    std::array<QWidget *, 4> m_panel{}; // Panel1(1..3); element 0 unused
    std::array<QAbstractButton *, ButtonCount> m_command{};
    std::array<QLabel *, ButtonCount> m_caption{};
    std::array<QLabel *, 7> m_statusPanel{}; // Bar1 panels 1..6
    QLabel *m_header = nullptr;              // Label3D1(1)
    QLabel *m_version = nullptr;             // Label3D1(0)
    bool m_selectingTab = false;
    bool m_stopped = false;
    bool m_placed = false;
    bool m_backFromMessageBox = false; // the window last active before this one was a message box
};
