#pragma once

#include "reports/ReportInput.h"
#include "reports/ReportRunner.h"

#include <QMainWindow>
#include <QMap>
#include <functional>

class QAction;
class QMenu;
class Store;
namespace pages { class PreviewWidget; class Engine; }

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

    // Load: the initialisation step, then the whole report, under the hourglass.
    // The window stays hidden; the caller shows it.
    reports::ReportResult load(int reportNumber, const reports::ReportInput &input);

    pages::Engine &engine() const;
    pages::PreviewWidget *Lumo() const { return m_lumo; }
    QAction *menuItem(int index) const { return m_items.value(index); }
    QAction *savePdfItem() const { return m_savePdf; }
    QAction *saveCsvItem() const { return m_saveCsv; }
    // The report title (the window's Tag).
    QString tag() const { return m_tag; }

    // Caption and menu items from the installed printers.
    void printerCheck();

    // Writes every page to a PDF file; false (after a message) when it cannot.
    bool saveAsPdf(const QString &fileName);
    QString suggestedPdfName() const;
    // Writes every table of the report as CSV (see reports/CsvExport.h).
    bool saveAsCsv(const QString &fileName);

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

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildMenu();
    void menuClicked(int index);
    void askAndSavePdf();
    void askAndSaveCsv();
    QString askFileName(const QString &caption, const QString &suggested, const QString &filter);
    QString suggestedFileName(const QString &suffix) const;
    void initialise();
    void placeLumo();

    Store &m_store;
    pages::PreviewWidget *m_lumo;
    QMenu *m_menu = nullptr;
    QMap<int, QAction *> m_items;
    QAction *m_savePdf = nullptr;
    QAction *m_saveCsv = nullptr;
    QString m_tag;
    QString m_dateText;
    bool m_incomplete = false;
};
