#include "kentrikh.h"

#include "MainWindowRules.h"
#include "data/AppGlobals.h"
#include "data/Store.h"
#include "data/StoreFailure.h"
#include "platform/db/DbError.h"
#include "platform/desktop/Messages.h"
#include "platform/desktop/widgets/AccessibleNames.h"
#include "platform/desktop/SingleInstance.h"
#include "platform/desktop/widgets/BusyGuard.h"
#include "platform/desktop/widgets/WindowRules.h"
#include "platform/regional/Clock.h"
#include "platform/regional/GreekFormats.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>
#include <QWindow>
#include <QTabBar>
#include <QTimer>

namespace {

// The window's own colour as a VB colour value (&H00BBGGRR).
qint64 vbFromColour(const QColor &c)
{
    return qint64(c.red()) | (qint64(c.green()) << 8) | (qint64(c.blue()) << 16);
}

// The start shows today's day with the right to change closed days granted,
// so no refusal can appear then; the user's own right comes back afterwards
// on every path.
class GrantChangeRecords
{
public:
    GrantChangeRecords() : m_saved(globals().RightChangeRecords) { globals().RightChangeRecords = true; }
    ~GrantChangeRecords() { globals().RightChangeRecords = m_saved; }
    GrantChangeRecords(const GrantChangeRecords &) = delete;
    GrantChangeRecords &operator=(const GrantChangeRecords &) = delete;

private:
    bool m_saved;
};

bool isMessageBox(QWindow *window)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->windowHandle() == window)
            return qobject_cast<QMessageBox *>(w) != nullptr;
    return false;
}

} // namespace

kentrikh::kentrikh(Store &store, const PageFactories &factories, QWidget *parent)
    : QMainWindow(parent), m_store(store), m_marker(store.dataPath(), m_state)
{
    setObjectName(QStringLiteral("kentrikh"));
    setWindowTitle(QStringLiteral("Kelvora"));
    m_state.store = &store;
    m_context.state = &m_state;
    m_context.setStatusPanel = [this](int panel, const QString &text) { setStatusPanel(panel, text); };
    m_context.setButtonVisible = [this](int element, bool visible) { setButtonVisible(element, visible); };

    resize(ui::twipsToPixels(WidthTwips), ui::twipsToPixels(HeightTwips));
    buildFrame();
    buildPages(factories);
    m_state.MovementSelected = false;
    m_state.PreviousTab = mainwindow::CashTab;
    showPage(mainwindow::CashTab);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (!m_selectingTab)
            Tab1_Click(index + 1);
    });
    ui::InstallEnterAsTab(this);
    ui::NameControlsForAccessibility(this);
    // Coming back from a message box the focus returns to the field that had
    // it (Qt restores it); only activation from elsewhere moves it.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *focused) {
        if (focused && focused != windowHandle())
            m_backFromMessageBox = isMessageBox(focused);
    });
    // Sized to its outer size and centred once shown (showEvent), when the
    // frame is known.
}

kentrikh::~kentrikh()
{
    // A window destroyed without being closed (the program quit another way)
    // still gives the marker back.
    if (!m_stopped)
        m_marker.releaseIfOwned();
}

bool kentrikh::initialise(const schemaupgrade::AskOpeningBalance &ask)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct RestoreCursor
    {
        ~RestoreCursor() { QApplication::restoreOverrideCursor(); }
    } restoreCursor;

    AppGlobals &g = globals();
    if (g.ThemeColour < 1000)
        g.ThemeColour = vbFromColour(palette().color(QPalette::Window));
    ui::ApplyColouring(this, QStringLiteral(" text1 text2 text3 list1 list2 dbcombo1 dbcombo2 dblist1 dblist2 check1 "),
                       ui::colourFromVb(g.ThemeColour, this));

    // From here on the databases must be usable, or the program ends; the
    // marker is only touched once everything else has worked. The files were
    // opened before the window was built (mainwindow::openDatabases), so a
    // file another workstation holds could be waited for.
    mainwindow::upgradeSchemaIgnoringErrors(m_store, ask);
    if (m_pagesError) {
        storefailure::reportCannotOpen(*m_pagesError);
        return false;
    }
    if (!mainwindow::checkDatabases(m_store))
        return false;
    try {
        setStatusPanel(2, QStringLiteral("0"));
        setStatusPanel(4, QStringLiteral("0"));
        setStatusPanel(6, regional::formatMoney(m_state.DayBalance));
        if (m_cash) {
            GrantChangeRecords granted;
            m_cash->ShowInitialDay();
        }
        m_version->setText(QStringLiteral("Έκδοση  ") + QStringLiteral(KELVORA_VERSION));
        applyRights();
        m_marker.takeAtStart(SingleInstance::heldByThisProcess());
        setWindowTitle(m_marker.title());
        m_header->setText(g.HeaderCaption);
        if (m_codes)
            m_codes->RequeryCodes();
    } catch (const db::DbError &e) {
        storefailure::reportCannotOpen(e);
        return false;
    }
    return true;
}

void kentrikh::applyRights()
{
    const AppGlobals &g = globals();
    setButtonVisible(0, !(m_cash && m_cash->IsDayClosed()) || g.RightChangeRecords);
    setButtonVisible(8, g.RightCloseCash);
    m_panel[2]->setEnabled(g.RightGroupsCodes);
}

void kentrikh::Command1_Click(int index)
{
    if (BusyGuard::isBusy(this))
        return;
    BusyGuard guard(this);
    if (mainwindow::needsMarkerTest(index) && !m_marker.allowsChange())
        return;
    try {
        runOperation(index);
    } catch (const std::exception &e) {
        // A page that fails must not take the window down with it.
        storefailure::reportNotDone(e);
    }
}

void kentrikh::runOperation(int index)
{
    switch (index) {
    case 0:
        if (m_cash)
            m_cash->InsertMovement();
        break;
    case 1:
        if (m_reports)
            m_reports->PrintSelected();
        break;
    case 2:
    case 3:
        if (m_cash && (index == 2 ? m_cash->ChangeMovement() : m_cash->DeleteMovement())) {
            m_state.MovementSelected = false;
            m_cash->ClearSelection();
        }
        break;
    case 4:
    case 9:
        if (mainwindow::askEndProgram())
            close();
        break;
    case 5:
        if (m_codes)
            m_codes->InsertCode();
        break;
    case 6:
        if (m_codes)
            m_codes->ChangeCode();
        break;
    case 7:
        if (m_codes)
            m_codes->DeleteCode();
        break;
    case 8:
        if (m_cash)
            m_cash->CloseCash();
        break;
    case 10:
        if (m_codes)
            m_codes->EditGroups();
        break;
    default:
        break;
    }
}

void kentrikh::selectTab(int tab)
{
    m_tabs->setCurrentIndex(tab - 1);
}

int kentrikh::currentTab() const
{
    return m_tabs->currentIndex() + 1;
}

void kentrikh::Tab1_Click(int tab)
{
    const int previous = m_state.PreviousTab;
    setWindowTitle(m_marker.title());
    try {
        switch (tab) {
        case mainwindow::CashTab:
            m_marker.takeIfFree();
            break;
        case mainwindow::CodesTab:
            m_marker.takeIfFree();
            m_panel[2]->setEnabled(globals().RightGroupsCodes);
            if (m_codes)
                m_codes->EnterPage();
            break;
        case mainwindow::ReportsTab: {
            m_marker.releaseIfOwned();
            const mainwindow::DateRange range = mainwindow::reportDateRange(Clock::today());
            if (m_reports)
                m_reports->EnterPage(range.from, range.to);
            break;
        }
        case mainwindow::ExitTab:
            askExitFromTab(previous);
            return;
        default:
            return;
        }
        showPage(tab);
        if (tab == mainwindow::CashTab && m_cash)
            m_cash->RefreshCodes();
        focusFirstField(tab);
    } catch (const std::exception &e) {
        showPage(tab);
        storefailure::reportNotDone(e);
    }
}

void kentrikh::askExitFromTab(int previous)
{
    m_panel[size_t(previous)]->hide();
    QCoreApplication::processEvents();
    if (mainwindow::askEndProgram()) {
        close();
        return;
    }
    m_panel[size_t(previous)]->show();
    m_selectingTab = true;
    m_tabs->setCurrentIndex(previous - 1);
    m_selectingTab = false;
}

void kentrikh::showPage(int tab)
{
    for (int page = 1; page <= 3; ++page) {
        if (page != tab)
            m_panel[size_t(page)]->hide();
    }
    m_panel[size_t(tab)]->show();
    m_state.PreviousTab = tab;
    // F1 opens the guide at the section of the page in use.
    static const char16_t *sections[] = {u"", u"Η δουλειά της ημέρας", u"Κωδικοί και ομάδες", u"Εκτυπώσεις"};
    setProperty("helpSection", QString::fromUtf16(sections[tab]));
}

void kentrikh::setStatusPanel(int panel, const QString &text)
{
    if (panel >= 1 && panel <= 6)
        m_statusPanel[size_t(panel)]->setText(text);
}

QString kentrikh::statusPanelText(int panel) const
{
    return panel >= 1 && panel <= 6 ? m_statusPanel[size_t(panel)]->text() : QString();
}

void kentrikh::setButtonVisible(int element, bool visible)
{
    if (element < 0 || element >= ButtonCount)
        return;
    m_command[size_t(element)]->setVisible(visible);
    m_caption[size_t(element)]->setVisible(visible);
}

void kentrikh::stopSequence()
{
    if (m_stopped)
        return;
    m_stopped = true;
    m_marker.releaseIfOwned();
    Q_EMIT programEnded();
}

void kentrikh::closeEvent(QCloseEvent *event)
{
    stopSequence();
    event->accept();
}

void kentrikh::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    placeOnScreen();
    // Some window managers tell the frame's size only after the window is mapped.
    QTimer::singleShot(0, this, [this] { placeOnScreen(); });
}

void kentrikh::placeOnScreen()
{
    ui::SizeFrame(this, QSize(ui::twipsToPixels(WidthTwips), ui::twipsToPixels(HeightTwips)));
    ui::CenterForm(this);
}

void kentrikh::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (!m_backFromMessageBox && m_cash)
            m_cash->FocusCodeBox();
        m_backFromMessageBox = false;
    }
    QMainWindow::changeEvent(event);
}

// After a tab switch the user types into the page's first field.
void kentrikh::focusFirstField(int tab)
{
    QWidget *panel = m_panel[size_t(tab)];
    for (QWidget *w = panel->nextInFocusChain(); w && w != panel; w = w->nextInFocusChain()) {
        if (!panel->isAncestorOf(w) || !w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        if (qobject_cast<QAbstractButton *>(w) && !qobject_cast<QCheckBox *>(w))
            continue; // a field, not a button
        w->setFocus(Qt::TabFocusReason);
        return;
    }
}
