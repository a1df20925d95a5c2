// The controls of the main window and where they sit.
#include "kentrikh.h"

#include "MainWindowRules.h"
#include "shell/desk/AboutWindow.h"
#include "shell/desk/HelpWindow.h"
#include "data/AppGlobals.h"
#include "platform/db/DbError.h"
#include "platform/desktop/widgets/OneLineText.h"
#include "platform/desktop/widgets/WindowRules.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QKeySequence>
#include <QLineEdit>
#include <QAction>
#include <QMenu>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The buttons of a page, left to right as the work goes; a page's exit button
// comes last.
constexpr int ButtonsLeftToRight[] = {0, 2, 3, 8, 4, 5, 6, 7, 10, 9, 1};

QStyle::StandardPixmap tabPicture(int tab)
{
    switch (tab) {
    case mainwindow::CashTab:
        return QStyle::SP_FileDialogDetailedView;
    case mainwindow::CodesTab:
        return QStyle::SP_FileDialogListView;
    case mainwindow::ReportsTab:
        return QStyle::SP_FileDialogContentsView;
    default:
        return QStyle::SP_DialogCloseButton;
    }
}

QStyle::StandardPixmap buttonPicture(int element)
{
    switch (element) {
    case 0:
    case 5:
        return QStyle::SP_FileDialogNewFolder;
    case 1:
        return QStyle::SP_DialogSaveButton;
    case 2:
    case 6:
        return QStyle::SP_FileDialogContentsView;
    case 3:
    case 7:
        return QStyle::SP_TrashIcon;
    case 8:
        return QStyle::SP_DialogApplyButton;
    case 10:
        return QStyle::SP_DirOpenIcon;
    default:
        return QStyle::SP_DialogCloseButton; // the exit buttons 4 and 9
    }
}

} // namespace

void kentrikh::buildFrame()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("Frame"));
    setCentralWidget(central);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(6, 4, 6, 2);
    column->setSpacing(2);

    auto *headerRow = new QHBoxLayout;
    m_header = new QLabel(globals().HeaderCaption, central);
    m_header->setObjectName(QStringLiteral("Label3D1(1)"));
    QFont headerFont = m_header->font();
    headerFont.setPointSizeF(headerFont.pointSizeF() * 1.6);
    headerFont.setBold(true);
    m_header->setFont(headerFont);
    m_version = new QLabel(central);
    m_version->setObjectName(QStringLiteral("Label3D1(0)"));
    m_version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    headerRow->addWidget(m_header, 1);
    headerRow->addWidget(m_version);
    headerRow->addWidget(buildHelpButton(central));
    column->addLayout(headerRow);

    m_tabs = new QTabBar(central);
    m_tabs->setObjectName(QStringLiteral("Tab1"));
    m_tabs->setExpanding(false);
    m_tabs->setIconSize(QSize(20, 20));
    for (int tab = mainwindow::CashTab; tab <= mainwindow::ExitTab; ++tab) {
        const mainwindow::TabInfo info = mainwindow::tabInfo(tab);
        const int i = m_tabs->addTab(style()->standardIcon(tabPicture(tab)), info.caption);
        m_tabs->setTabToolTip(i, info.toolTip);
    }
    column->addWidget(m_tabs);
    // Alt+1 to Alt+4 switch tabs as a click on them does.
    for (int tab = mainwindow::CashTab; tab <= mainwindow::ExitTab; ++tab) {
        auto *shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_0 + tab)), this);
        connect(shortcut, &QShortcut::activated, this, [this, tab] { selectTab(tab); });
    }

    // The three pages share one area under the tab strip; one is shown at a time.
    auto *area = new QGridLayout;
    area->setContentsMargins(0, 0, 0, 0);
    for (int page = 1; page <= 3; ++page) {
        buildPanel(page);
        // While the exit tab asks its question no page shows; the area keeps
        // its place so the header and the tab strip do not jump.
        QSizePolicy policy = m_panel[size_t(page)]->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        m_panel[size_t(page)]->setSizePolicy(policy);
        area->addWidget(m_panel[size_t(page)], 0, 0);
        m_panel[size_t(page)]->hide();
    }
    column->addLayout(area, 1);

    buildStatusBar();
}

// The help entry: the guide at the section of the page in use, and About.
QToolButton *kentrikh::buildHelpButton(QWidget *parent)
{
    auto *help = new QToolButton(parent);
    help->setObjectName(QStringLiteral("Help"));
    help->setText(QStringLiteral("Βοήθεια"));
    help->setToolTip(QStringLiteral("Οδηγός χρήσης και πληροφορίες (F1)"));
    help->setToolButtonStyle(Qt::ToolButtonTextOnly);
    help->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(help);
    QAction *guide = menu->addAction(QStringLiteral("Οδηγός χρήσης"));
    guide->setShortcut(QKeySequence(Qt::Key_F1));
    guide->setShortcutContext(Qt::WidgetShortcut); // F1 itself is answered program-wide
    connect(guide, &QAction::triggered, this, [this] { HelpWindow::open(this); });
    QAction *about = menu->addAction(QStringLiteral("Σχετικά με το Kelvora"));
    connect(about, &QAction::triggered, this, [this] {
        AboutWindow window(globals().DataPath, this);
        window.exec();
    });
    help->setMenu(menu);
    return help;
}

void kentrikh::buildPanel(int page)
{
    auto *panel = new QFrame(centralWidget());
    panel->setObjectName(ui::arrayName("Panel1", page));
    panel->setFrameShape(QFrame::StyledPanel);
    m_panel[size_t(page)] = panel;
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(6, 6, 6, 4);
    column->addStretch(1); // replaced by the page's widget

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    buttons->addStretch(1);
    for (int element : ButtonsLeftToRight) {
        const mainwindow::ButtonInfo &info = mainwindow::buttonTable().at(element);
        if (info.page != page)
            continue;
        auto *cell = new QVBoxLayout;
        cell->setSpacing(0);
        auto *button = new QToolButton(panel);
        button->setObjectName(ui::arrayName("Command1", info.element));
        button->setIcon(style()->standardIcon(buttonPicture(info.element)));
        button->setIconSize(QSize(32, 32));
        button->setFixedSize(52, 46);
        // Every button is pressed by its function key too; the tooltip says which.
        const QString key = QKeySequence(info.key).toString(QKeySequence::NativeText);
        button->setToolTip(info.toolTip.isEmpty() ? key : info.toolTip + QStringLiteral(" (") + key + QLatin1Char(')'));
        addKey(button, QKeySequence(info.key), element);
        auto *caption = new QLabel(info.caption, panel);
        caption->setObjectName(ui::arrayName("Label2", info.element));
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        caption->setMinimumWidth(96);
        cell->addWidget(button, 0, Qt::AlignHCenter);
        cell->addWidget(caption, 0, Qt::AlignHCenter);
        buttons->addLayout(cell);
        m_command[size_t(info.element)] = button;
        m_caption[size_t(info.element)] = caption;
        connect(button, &QToolButton::clicked, this, [this, element] { Command1_Click(element); });
        // The movement is booked from whichever entry field the user is in.
        if (element == 0) {
            addKey(button, QKeySequence(Qt::CTRL | Qt::Key_Return), element);
            addKey(button, QKeySequence(Qt::CTRL | Qt::Key_Enter), element);
        }
    }
    buttons->addStretch(1);
    column->addLayout(buttons);
}

// A key that presses the button: it works only while the button is visible
// and enabled, so the pages share keys by role.
void kentrikh::addKey(QAbstractButton *button, const QKeySequence &key, int element)
{
    auto *shortcut = new QShortcut(key, button);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, element] { Command1_Click(element); });
}

void kentrikh::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("Bar1"));
    bar->setSizeGripEnabled(false);
    const QString captions[] = {QStringLiteral("Σύνολο Εσόδων "), QStringLiteral("Σύνολο Εξόδων  "),
                                QStringLiteral("Υπόλοιπο ταμείου ")};
    const QString toolTips[] = {QStringLiteral("Το άθροισμα των εσόδων της ημέρας"),
                                QStringLiteral("το άθροισμα των εδόδων της ημέρας"),
                                QStringLiteral("Το ποσό του ταμείου")};
    for (int i = 0; i < 3; ++i) {
        auto *caption = new QLabel(captions[i], bar);
        caption->setObjectName(ui::arrayName("Panels", 2 * i + 1));
        auto *amount = new QLabel(bar);
        amount->setObjectName(ui::arrayName("Panels", 2 * i + 2));
        amount->setToolTip(toolTips[i]);
        amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        amount->setFrameShape(QFrame::Panel);
        amount->setFrameShadow(QFrame::Sunken);
        amount->setMinimumWidth(120);
        bar->addWidget(caption);
        bar->addWidget(amount, 1);
        m_statusPanel[size_t(2 * i + 1)] = caption;
        m_statusPanel[size_t(2 * i + 2)] = amount;
    }
}

void kentrikh::placePage(int page, QWidget *pageWidget)
{
    if (!pageWidget)
        return;
    auto *column = static_cast<QVBoxLayout *>(m_panel[size_t(page)]->layout());
    delete column->takeAt(0); // the stretch kept for the page
    column->insertWidget(0, pageWidget, 1);
    followPageWithItsButtons(page, pageWidget);
}

// The page's buttons were made before its fields, so Tab would reach them
// first; the fields come first on screen, and so in the Tab order.
void kentrikh::followPageWithItsButtons(int page, QWidget *pageWidget)
{
    QWidget *last = nullptr;
    for (QWidget *w = pageWidget->nextInFocusChain(); w != pageWidget && pageWidget->isAncestorOf(w);
         w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            last = w;
    }
    if (!last)
        return;
    for (int element : ButtonsLeftToRight) {
        QAbstractButton *button = m_command[size_t(element)];
        if (!button || mainwindow::buttonTable().at(element).page != page)
            continue;
        QWidget::setTabOrder(last, button);
        last = button;
    }
}

void kentrikh::buildPages(const PageFactories &factories)
{
    try {
        if (factories.cash)
            m_cash = factories.cash(m_context, m_panel[1]);
        if (factories.codes)
            m_codes = factories.codes(m_context, m_panel[2]);
        if (factories.reports)
            m_reports = factories.reports(m_context, m_panel[3]);
    } catch (const db::DbError &e) {
        // Reported by initialise() with the message for unusable databases.
        m_pagesError = e;
    }

    if (m_cash)
        placePage(1, m_cash->widget());
    if (m_codes)
        placePage(2, m_codes->widget());
    if (m_reports)
        placePage(3, m_reports->widget());

    // Typed letters become capitals in the boxes of the cash and codes pages;
    // a box that checks its input itself keeps its own rule (a one-line text
    // box keeps its rule and gains the capitals).
    for (int i = 0; i <= 6; ++i) {
        auto *box = findChild<QLineEdit *>(ui::arrayName("Text1", i));
        if (box && (!box->validator() || ui::KeepsOneLine(box)))
            ui::SetUpperCase(box);
    }
}
