#pragma once

#include "reports/FileNames.h"
#include "reports/ReportInput.h"
#include "reports/ReportRunner.h"

#include <QMainWindow>
#include <QMap>
#include <functional>

class QAction;
class QMenu;
class Store;
namespace pages { class PreviewWidget; class PreviewToolBar; class Engine; }

// The report window: the preview Lumo filling it, the menu "Εκτυπώσεις" and
// the printer check. It runs a report through the catalog and knows nothing
// of any report's rows.
class Ektypvsh : public QMainWindow
{
    Q_OBJECT
public:
    // Menu item indexes of the array ektypvshs.
    enum Item { ChoosePrinter = 1, PrintCurrent = 15, PrintAll = 20, Return = 30 };

    explicit Ektypvsh(Store &store, QWidget *parent = nullptr);
    ~Ektypvsh() override;

    // Load: the initialisation step, the report's choice windows, then the
    // whole report under the hourglass and a progress window with "Διακοπή".
    // The window stays hidden; the caller shows it. `questions` answers the
    // choice windows instead of the real ones (benchmarks).
    reports::ReportResult load(int reportNumber, const reports::ReportInput &input,
                               reports::ReportQuestions *questions = nullptr);
    // The same for a report outside the report list (the results of a
    // search); input.title is its title, input.fromText what the file names
    // suggested for saving it say after the title.
    reports::ReportResult load(const reports::ReportBuild &build, const reports::ReportInput &input);

    pages::Engine &engine() const;
    pages::PreviewWidget *Lumo() const { return m_lumo; }
    pages::PreviewToolBar *toolBar() const { return m_toolBar; }
    QAction *menuItem(int index) const { return m_items.value(index); }
    QAction *savePdfItem() const { return m_savePdf; }
    QAction *saveCsvItem() const { return m_saveCsv; }
    QAction *saveXlsxItem() const { return m_saveXlsx; }
    // The report title (the window's Tag).
    QString tag() const { return m_tag; }

    // Caption and menu items from the installed printers.
    void printerCheck();

    // Saving the report: every page as PDF, or its tables as CSV or .xlsx
    // (see reports/CsvExport.h, reports/XlsxExport.h). A name without an
    // extension gets the kind's. A progress window counts the pages (or rows)
    // written and "Διακοπή" stops; the status bar then says where the file
    // went, or that none was written. False when no file was written; a file
    // that cannot be written is also said in a message.
    bool saveAs(reports::FileKind kind, const QString &fileName);
    bool saveAsPdf(const QString &fileName) { return saveAs(reports::FileKind::Pdf, fileName); }
    bool saveAsCsv(const QString &fileName) { return saveAs(reports::FileKind::Csv, fileName); }
    bool saveAsXlsx(const QString &fileName) { return saveAs(reports::FileKind::Xlsx, fileName); }
    QString suggestedPdfName() const;
    // What the status bar says last.
    QString statusText() const;

    // Tests and machines without printers: the printers the check sees, and the
    // file name the "save as PDF" question answers. Empty functions restore
    // the real printer list and the file dialog. The file question answers both
    // "save as" items.
    struct PrinterProbe
    {
        std::function<int()> count;
        std::function<QString()> device;
    };
    static void setPrinterProbe(PrinterProbe probe);
    static void setSaveFileQuestion(std::function<QString(QWidget *, const QString &suggested)> ask);
    // Tests: called beside the progress window with (done, of); false stops.
    static void setSaveProgressHook(std::function<bool(qint64 done, qint64 of)> hook);

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static QSize sizeOnScreen(QSize wanted);
    void rememberSize();
    void buildMenu();
    void menuClicked(int index);
    void addSaveItem(QAction *&item, const char *name, const QString &caption, reports::FileKind kind);
    void askAndSave(reports::FileKind kind);
    bool writeFile(reports::FileKind kind, const QString &fileName, const reports::Progress &progress);
    QString suggestedFileName(const QString &suffix) const;
    void initialise();
    void startLoad(const reports::ReportInput &input);
    reports::ReportResult finishLoad(const reports::ReportResult &result);
    reports::ReportResult runWithProgress(const reports::ReportBuild &build, reports::ReportInput run);
    void placeLumo();

    Store &m_store;
    pages::PreviewWidget *m_lumo;
    pages::PreviewToolBar *m_toolBar = nullptr;
    QMenu *m_menu = nullptr;
    QMap<int, QAction *> m_items;
    QAction *m_savePdf = nullptr;
    QAction *m_saveCsv = nullptr;
    QAction *m_saveXlsx = nullptr;
    QString m_tag;
    QString m_dateText;
    bool m_incomplete = false;
    QString m_incompleteNotice;
};
