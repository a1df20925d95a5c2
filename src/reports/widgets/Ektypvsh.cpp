#include "Ektypvsh.h"

#include "reports/CsvExport.h"

#include "DialogQuestions.h"
#include "platform/desktop/Messages.h"
#include "platform/desktop/widgets/BusyGuard.h"
#include "platform/desktop/widgets/WindowRules.h"
#include "platform/pages/engine.h"
#include "platform/pages/widgets/previewwidget.h"
#include "reports/PageFrame.h"

#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QFileDialog>
#include <QMenuBar>
#include <QProgressDialog>
#include <QScreen>

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

// Lumo's place in the window, in twips as the window was laid out.
constexpr int LumoLeft = 100;
constexpr int LumoTop = 100;
constexpr int LumoWidthLess = 300;
constexpr int LumoHeightLess = 900;

} // namespace

void Ektypvsh::setPrinterProbe(PrinterProbe probe) { printerProbe() = std::move(probe); }

void Ektypvsh::setSaveFileQuestion(std::function<QString(QWidget *, const QString &)> ask)
{
    saveFileQuestion() = std::move(ask);
}

Ektypvsh::Ektypvsh(Store &store, QWidget *parent) : QMainWindow(parent), m_store(store)
{
    setObjectName(QStringLiteral("Ektypvsh"));
    setWindowTitle(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setCentralWidget(new QWidget(this));
    m_lumo = new pages::PreviewWidget(centralWidget());
    m_lumo->setObjectName(QStringLiteral("Lumo"));
    buildMenu();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        resize(qMin(960, area.width()), qMin(900, area.height() - 40));
    }
}

Ektypvsh::~Ektypvsh() = default;

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
    // Beyond printing: the file the accountant asks for; works without a printer.
    m_savePdf = m_menu->addAction(QStringLiteral("Αποθήκευση σε PDF"));
    m_savePdf->setObjectName(QStringLiteral("savePdf"));
    connect(m_savePdf, &QAction::triggered, this, [this] {
        if (BusyGuard::isBusy(this))
            return;
        BusyGuard busy(this);
        askAndSavePdf();
    });
    m_saveCsv = m_menu->addAction(QStringLiteral("Αποθήκευση σε CSV"));
    m_saveCsv->setObjectName(QStringLiteral("saveCsv"));
    connect(m_saveCsv, &QAction::triggered, this, [this] {
        if (BusyGuard::isBusy(this))
            return;
        BusyGuard busy(this);
        askAndSaveCsv();
    });
    m_menu->addSeparator();
    QAction *back = m_menu->addAction(QStringLiteral("Επιστροφή"));
    back->setObjectName(ui::arrayName("ektypvshs", Return));
    back->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(back, &QAction::triggered, this, [this] { menuClicked(Return); });
    m_items.insert(Return, back);
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

reports::ReportResult Ektypvsh::load(int reportNumber, const reports::ReportInput &input)
{
    initialise();
    m_tag = input.title;
    m_dateText = input.fromText == input.toText ? input.toText : input.fromText + QStringLiteral(" έως ") + input.toText;
    printerCheck();

    reports::ReportResult result;
    {
        BusyGuard busy(this);
        DialogQuestions questions(m_store, parentWidget());
        reports::ReportInput run = input;
        if (!run.questions)
            run.questions = &questions;
        // Long reports say how far they are; the user may stop them.
        QProgressDialog progress(QStringLiteral("Εκτύπωση σε εξέλιξη..."), QStringLiteral("Διακοπή"), 0, 0,
                                 parentWidget());
        progress.setWindowTitle(input.title.trimmed());
        progress.setMinimumDuration(700);
        progress.setWindowModality(Qt::ApplicationModal);
        run.progress = [this, &progress](qint64 done, qint64 total) {
            if (total > 0 && progress.maximum() != int(total))
                progress.setMaximum(int(total));
            progress.setLabelText(QStringLiteral("Εκτύπωση σε εξέλιξη... σελίδες: %1").arg(engine().PageCount()));
            progress.setValue(int(total > 0 ? qMin(done, total - 1) : done % 100));
            return !progress.wasCanceled();
        };
        result = reports::runReport(reportNumber, engine(), m_store, run);
    }
    m_incomplete = result.outcome == reports::ReportResult::Outcome::Failed ||
                   result.outcome == reports::ReportResult::Outcome::Stopped;
    engine().setPreviewPage(1);
    printerCheck();
    return result;
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
    return QDir::home().filePath(name + suffix);
}

void Ektypvsh::askAndSavePdf()
{
    const QString suggested = suggestedPdfName();
    const QString file = askFileName(QStringLiteral("Αποθήκευση σε PDF"), suggested, QStringLiteral("PDF (*.pdf)"));
    if (!file.isEmpty())
        saveAsPdf(file);
}

void Ektypvsh::askAndSaveCsv()
{
    const QString file = askFileName(QStringLiteral("Αποθήκευση σε CSV"), suggestedFileName(QStringLiteral(".csv")),
                                     QStringLiteral("CSV (*.csv)"));
    if (!file.isEmpty())
        saveAsCsv(file);
}

QString Ektypvsh::askFileName(const QString &caption, const QString &suggested, const QString &filter)
{
    return saveFileQuestion() ? saveFileQuestion()(this, suggested)
                              : QFileDialog::getSaveFileName(this, caption, suggested, filter);
}

bool Ektypvsh::saveAsCsv(const QString &fileName)
{
    if (engine().PageCount() > 0 && reports::writeCsv(engine().document(), fileName))
        return true;
    msg::critical(QStringLiteral("Προσοχή"),
                  QStringLiteral("Δεν ήταν δυνατή η αποθήκευση του αρχείου\n%1").arg(fileName));
    return false;
}

bool Ektypvsh::saveAsPdf(const QString &fileName)
{
    if (engine().PageCount() > 0 && engine().WritePdf(fileName))
        return true;
    msg::critical(QStringLiteral("Προσοχή"),
                  QStringLiteral("Δεν ήταν δυνατή η αποθήκευση του αρχείου\n%1").arg(fileName));
    return false;
}

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

void Ektypvsh::placeLumo()
{
    // A minimised window may give a negative size: the preview then keeps none.
    const int w = width() - ui::twipsToPixels(LumoWidthLess);
    const int h = height() - ui::twipsToPixels(LumoHeightLess);
    m_lumo->setGeometry(ui::twipsToPixels(LumoLeft), ui::twipsToPixels(LumoTop), qMax(0, w), qMax(0, h));
}
