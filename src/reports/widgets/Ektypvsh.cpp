#include "Ektypvsh.h"

#include "reports/CsvExport.h"
#include "reports/ReportCatalog.h"
#include "reports/XlsxExport.h"

#include "ChartDrawing.h"
#include "DialogQuestions.h"
#include "platform/desktop/Messages.h"
#include "platform/desktop/widgets/BusyGuard.h"
#include "platform/desktop/widgets/WindowRules.h"
#include "platform/pages/engine.h"
#include "platform/pages/widgets/previewtoolbar.h"
#include "platform/pages/widgets/previewwidget.h"
#include "platform/desktop/Settings.h"
#include "reports/PageFrame.h"

#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QFileDialog>
#include <QMenuBar>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QScreen>
#include <QStatusBar>

#include <algorithm>

namespace {

Ektypvsh::PrinterProbe &printerProbe()
{
    static Ektypvsh::PrinterProbe probe;
    return probe;
}

std::function<QString(QWidget *, const QString &)> &saveFileQuestion()
{
    static std::function<QString(QWidget *, const QString &)> ask;
    return ask;
}

std::function<bool(qint64, qint64)> &saveProgressHook()
{
    static std::function<bool(qint64, qint64)> hook;
    return hook;
}

struct SaveKind
{
    QString caption;
    QString filter;
    QString unit;  // what the progress window counts
};

SaveKind saveKind(reports::FileKind kind)
{
    switch (kind) {
    case reports::FileKind::Pdf:
        return {QStringLiteral("Αποθήκευση σε PDF"), QStringLiteral("PDF (*.pdf)"), QStringLiteral("σελίδα")};
    case reports::FileKind::Csv:
        return {QStringLiteral("Αποθήκευση σε CSV"), QStringLiteral("CSV (*.csv)"), QStringLiteral("γραμμή")};
    case reports::FileKind::Xlsx:
        return {QStringLiteral("Αποθήκευση σε Excel (.xlsx)"), QStringLiteral("Excel (*.xlsx)"),
                QStringLiteral("γραμμή")};
    }
    return {};
}

const QString SizeSection = QStringLiteral("Ektypvsh");

// Lumo's place in the window, in twips as the window was laid out.
constexpr int LumoLeft = 100;
constexpr int LumoTop = 100;
constexpr int LumoWidthLess = 300;

} // namespace

void Ektypvsh::setPrinterProbe(PrinterProbe probe) { printerProbe() = std::move(probe); }

void Ektypvsh::setSaveFileQuestion(std::function<QString(QWidget *, const QString &)> ask)
{
    saveFileQuestion() = std::move(ask);
}

void Ektypvsh::setSaveProgressHook(std::function<bool(qint64, qint64)> hook) { saveProgressHook() = std::move(hook); }

Ektypvsh::Ektypvsh(Store &store, QWidget *parent) : QMainWindow(parent), m_store(store)
{
    setObjectName(QStringLiteral("Ektypvsh"));
    setWindowTitle(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setCentralWidget(new QWidget(this));
    m_lumo = new pages::PreviewWidget(centralWidget());
    m_lumo->setObjectName(QStringLiteral("Lumo"));
    buildMenu();
    m_toolBar = new pages::PreviewToolBar(m_lumo, this);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    centralWidget()->installEventFilter(this);
    resize(sizeOnScreen(QSize(settings::read(SizeSection, QStringLiteral("Width")).toInt(),
                              settings::read(SizeSection, QStringLiteral("Height")).toInt())));
}

Ektypvsh::~Ektypvsh()
{
    if (isVisible())
        rememberSize();
}

// The size kept from the last time, or the default, within the screen's work
// area with room for the frame the window manager adds (a 1366×768 screen
// shows the whole window).
QSize Ektypvsh::sizeOnScreen(QSize wanted)
{
    if (wanted.width() <= 0 || wanted.height() <= 0)
        wanted = QSize(960, 900);
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return wanted;
    const QRect area = screen->availableGeometry();
    constexpr int FrameWidth = 16;
    constexpr int FrameHeight = 48;
    return QSize(std::clamp(wanted.width(), 400, std::max(400, area.width() - FrameWidth)),
                 std::clamp(wanted.height(), 300, std::max(300, area.height() - FrameHeight)));
}

void Ektypvsh::rememberSize()
{
    // Not kept is no loss: the next window takes the default size.
    [[maybe_unused]] const bool kept = settings::write(SizeSection, QStringLiteral("Width"), QString::number(width()))
                                       && settings::write(SizeSection, QStringLiteral("Height"),
                                                          QString::number(height()));
}

void Ektypvsh::hideEvent(QHideEvent *event)
{
    rememberSize();
    QMainWindow::hideEvent(event);
}

pages::Engine &Ektypvsh::engine() const { return *m_lumo->engine(); }

// Every item of the menu is made here, so that further items (another file
// format) join the same table.
void Ektypvsh::buildMenu()
{
    m_menu = menuBar()->addMenu(QStringLiteral("Εκτυπώσεις"));
    m_menu->setObjectName(QStringLiteral("ektypvs"));
    struct MenuItem
    {
        int index;
        QString caption;
        QKeySequence shortcut;
    };
    const MenuItem items[] = {
        {ChoosePrinter, QStringLiteral("Επιλογή εκτυπωτή"), {}},
        {PrintCurrent, QStringLiteral("Εκτύπωση τρέχουσας"), {}},
        {PrintAll, QStringLiteral("Εκτύπωση"), QKeySequence(Qt::CTRL | Qt::Key_P)},
    };
    for (const MenuItem &item : items) {
        QAction *action = m_menu->addAction(item.caption);
        action->setObjectName(ui::arrayName("ektypvshs", item.index));
        action->setShortcut(item.shortcut);
        connect(action, &QAction::triggered, this, [this, index = item.index] { menuClicked(index); });
        m_items.insert(item.index, action);
    }
    // Beyond printing: the files the accountant asks for; they work without a printer.
    addSaveItem(m_savePdf, "savePdf", QStringLiteral("Αποθήκευση σε PDF"), reports::FileKind::Pdf);
    addSaveItem(m_saveCsv, "saveCsv", QStringLiteral("Αποθήκευση σε CSV"), reports::FileKind::Csv);
    addSaveItem(m_saveXlsx, "saveXlsx", QStringLiteral("Αποθήκευση σε Excel (.xlsx)"), reports::FileKind::Xlsx);
    m_menu->addSeparator();
    QAction *back = m_menu->addAction(QStringLiteral("Επιστροφή"));
    back->setObjectName(ui::arrayName("ektypvshs", Return));
    // Escape too: it is how every other preview is left.
    back->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_E), QKeySequence(Qt::Key_Escape)});
    connect(back, &QAction::triggered, this, [this] { menuClicked(Return); });
    m_items.insert(Return, back);
}

void Ektypvsh::addSaveItem(QAction *&item, const char *name, const QString &caption, reports::FileKind kind)
{
    item = m_menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    connect(item, &QAction::triggered, this, [this, kind] {
        if (BusyGuard::isBusy(this))
            return;
        BusyGuard busy(this);
        askAndSave(kind);
    });
}

void Ektypvsh::menuClicked(int index)
{
    if (BusyGuard::isBusy(this))
        return;
    BusyGuard busy(this);
    pages::Engine &lumo = engine();
    switch (index) {
    case ChoosePrinter:
        lumo.PrintDialog(0);
        printerCheck();
        break;
    case PrintCurrent:
        lumo.setAction(pages::action::PrintPage);
        break;
    case PrintAll:
        lumo.setAction(pages::action::PrintAll);
        break;
    case Return:
        hide();
        break;
    }
    if ((index == PrintCurrent || index == PrintAll) && lumo.Error() == pages::error::NoPrinter)
        msg::information(QStringLiteral("Προσοχή"), QStringLiteral("Δεν υπάρχει ορισμένος εκτυπωτής"));
}

void Ektypvsh::initialise()
{
    move(ui::twipsToPixels(10), 0);
    reports::initialiseEngine(engine());
}

void Ektypvsh::startLoad(const reports::ReportInput &input)
{
    initialise();
    m_tag = input.title;
    m_dateText = input.fromText == input.toText ? input.toText : input.fromText + QStringLiteral(" έως ") + input.toText;
    printerCheck();
}

reports::ReportResult Ektypvsh::load(int reportNumber, const reports::ReportInput &input,
                                     reports::ReportQuestions *questions)
{
    startLoad(input);
    reports::ReportInput run = input;
    run.chartPainter = &reports::chartDrawing();
    {
        // The questions come first and alone: a user may think as long as
        // they like at any of them.
        DialogQuestions dialogs(m_store, parentWidget());
        run.answers = reports::askQuestions(reportNumber, questions ? *questions : dialogs, m_store, input);
    }
    const reports::ReportBuilder builder = reports::reportBuilder(reportNumber);
    return finishLoad(runWithProgress(builder ? reports::ReportBuild(builder) : reports::ReportBuild(), run));
}

reports::ReportResult Ektypvsh::load(const reports::ReportBuild &build, const reports::ReportInput &input)
{
    startLoad(input);
    return finishLoad(runWithProgress(build, input));
}

reports::ReportResult Ektypvsh::finishLoad(const reports::ReportResult &result)
{
    m_incomplete = result.outcome == reports::ReportResult::Outcome::Failed ||
                   result.outcome == reports::ReportResult::Outcome::Stopped;
    m_incompleteNotice = m_incomplete ? result.notice : QString();
    engine().setPreviewPage(1);
    printerCheck();
    return result;
}

reports::ReportResult Ektypvsh::runWithProgress(const reports::ReportBuild &build, reports::ReportInput run)
{
    BusyGuard busy(this);
    // The window stands before the report is built: its first page shows as
    // soon as it is laid out, and the page count grows while the rest follows.
    engine().setPreviewPage(1);
    show();
    // Made only now, with every question answered: Qt shows a progress window
    // on its own timer, and an application-modal one would stand over any
    // window still open.
    QProgressDialog progress(QStringLiteral("Εκτύπωση σε εξέλιξη..."), QStringLiteral("Διακοπή"), 0, 0,
                             parentWidget());
    progress.setWindowTitle(run.title.trimmed());
    progress.setMinimumDuration(700);
    progress.setWindowModality(Qt::ApplicationModal);
    int pagesShown = 0;
    QElapsedTimer sinceShown;
    sinceShown.start();
    run.progress = [this, &progress, &pagesShown, &sinceShown](qint64 done, qint64 total) {
        if (total > 0 && progress.maximum() != int(total))
            progress.setMaximum(int(total));
        const int pages = engine().PageCount();
        progress.setLabelText(QStringLiteral("Εκτύπωση σε εξέλιξη... σελίδες: %1").arg(pages));
        progress.setValue(int(total > 0 ? qMin(done, total - 1) : done % 100));
        // Until the progress window shows, nothing else repaints: the first
        // finished page is drawn at once, the growing count a few times a second.
        if (pages > 1 && pages != pagesShown && (pagesShown <= 1 || sinceShown.elapsed() > 250)) {
            pagesShown = pages;
            sinceShown.restart();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        return !progress.wasCanceled();
    };
    return reports::runReport(build, engine(), m_store, run);
}

void Ektypvsh::printerCheck()
{
    const PrinterProbe &probe = printerProbe();
    const int devices = probe.count ? probe.count() : engine().NDevices();
    const QString device = probe.device ? probe.device() : engine().Device();
    QString caption = devices == 0 ? m_tag + QStringLiteral(" Προσοχή δεν υπάρχει ορισμένος εκτυπωστής)")
                                   : m_tag + QStringLiteral("  στον  ") + device;
    if (m_incomplete)
        caption += QStringLiteral(" [ελλιπής εκτύπωση]");
    setWindowTitle(caption);
    m_items.value(ChoosePrinter)->setEnabled(devices != 0);
    m_items.value(PrintAll)->setEnabled(devices != 0);
    m_items.value(PrintCurrent)->setEnabled(true);
}

QString Ektypvsh::suggestedPdfName() const { return suggestedFileName(QStringLiteral(".pdf")); }

QString Ektypvsh::suggestedFileName(const QString &suffix) const
{
    QString name = m_tag.trimmed() + QLatin1Char(' ') + m_dateText;
    for (const QChar bad : {QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char(':'), QLatin1Char('!'),
                            QLatin1Char('.')})
        name.replace(bad, QLatin1Char(' '));
    name = name.simplified();
    return QDir(reports::lastSaveFolder()).filePath(name + suffix);
}

void Ektypvsh::askAndSave(reports::FileKind kind)
{
    const SaveKind what = saveKind(kind);
    const QString suggested = suggestedFileName(reports::fileExtension(kind));
    const QString file = saveFileQuestion() ? saveFileQuestion()(this, suggested)
                                            : QFileDialog::getSaveFileName(this, what.caption, suggested, what.filter);
    if (!file.isEmpty())
        saveAs(kind, file);
}

bool Ektypvsh::saveAs(reports::FileKind kind, const QString &typedName)
{
    const QString fileName = reports::withExtension(typedName, kind);
    const SaveKind what = saveKind(kind);
    bool stopped = false;
    bool written = false;
    if (engine().PageCount() > 0) {
        // Made for this one file only, so it never stands over another window.
        QProgressDialog progress(what.caption, QStringLiteral("Διακοπή"), 0, 0, this);
        progress.setWindowTitle(what.caption);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(400);
        const auto step = [&](qint64 done, qint64 of) {
            progress.setMaximum(int(std::max<qint64>(of, 1)));
            progress.setLabelText(QStringLiteral("%1: %2 %3 από %4").arg(what.caption, what.unit).arg(done).arg(of));
            progress.setValue(int(std::min(done, std::max<qint64>(of - 1, 0))));
            stopped = progress.wasCanceled() || (saveProgressHook() && !saveProgressHook()(done, of));
            return !stopped;
        };
        written = writeFile(kind, fileName, step);
    }
    if (written) {
        QString said = QStringLiteral("Αποθηκεύτηκε στο %1").arg(QDir::toNativeSeparators(fileName));
        if (!reports::rememberFolder(fileName))
            said += QStringLiteral(" (ο φάκελος δεν κρατήθηκε για την επόμενη φορά)");
        statusBar()->showMessage(said);
        return true;
    }
    if (stopped) {
        statusBar()->showMessage(QStringLiteral("Η αποθήκευση διακόπηκε· δεν γράφτηκε αρχείο."));
        return false;
    }
    statusBar()->clearMessage();
    msg::critical(QStringLiteral("Προσοχή"),
                  QStringLiteral("Δεν ήταν δυνατή η αποθήκευση του αρχείου\n%1").arg(fileName));
    return false;
}

bool Ektypvsh::writeFile(reports::FileKind kind, const QString &fileName, const reports::Progress &progress)
{
    switch (kind) {
    case reports::FileKind::Pdf:
        return engine().WritePdf(fileName, 1, 0, [&](int page, int of) { return progress(page, of); });
    case reports::FileKind::Csv:
        return reports::writeCsv(engine().document(), fileName, m_incompleteNotice, progress);
    case reports::FileKind::Xlsx:
        return reports::writeXlsx(engine().document(), {m_tag, m_dateText, m_incompleteNotice}, fileName, progress);
    }
    return false;
}

QString Ektypvsh::statusText() const { return statusBar()->currentMessage(); }

bool Ektypvsh::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        printerCheck();
        ui::CenterForm(this);
    }
    return QMainWindow::event(event);
}

void Ektypvsh::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    placeLumo();
    printerCheck();
}

bool Ektypvsh::eventFilter(QObject *watched, QEvent *event)
{
    // The tool bar and the status bar come and go; the preview follows the room left.
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        placeLumo();
    return QMainWindow::eventFilter(watched, event);
}

void Ektypvsh::placeLumo()
{
    // A minimised window may give a negative size: the preview then keeps none.
    // The old window's height counted its caption and menu; here the menu, the
    // tool bar and the status bar stand outside the central area, which the
    // preview fills below its top offset, with the same margin at the bottom.
    const int w = width() - ui::twipsToPixels(LumoWidthLess);
    const int h = centralWidget()->height() - 2 * ui::twipsToPixels(LumoTop);
    m_lumo->setGeometry(ui::twipsToPixels(LumoLeft), ui::twipsToPixels(LumoTop), qMax(0, w), qMax(0, h));
}
