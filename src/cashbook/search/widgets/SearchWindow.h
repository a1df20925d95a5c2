#pragma once

#include "cashbook/search/SearchExport.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;
class Store;
class Ektypvsh;

namespace search {

class ResultsModel;

// The search window of the cash sheet: what to look for above, the found
// movements below with their count and totals. Enter in a box searches; Enter
// or a double click on a found movement hides the window and asks the cash
// sheet to show it (openMovement); Esc closes. The window only reads.
class SearchWindow : public QDialog
{
    Q_OBJECT
public:
    explicit SearchWindow(Store &store, QWidget *parent = nullptr);
    ~SearchWindow() override;

    // Reads the boxes and searches; false (after saying why) when a box
    // cannot be read or the store fails.
    bool runSearch();
    // The codes offered, read again (codes may have changed meanwhile).
    void refreshCodes();
    const Results &results() const;
    // Hides the window and asks the cash sheet to show the found movement of this row.
    void openRow(int row);
    // Every found movement in the report window, to preview, print or save as
    // PDF; nullptr when nothing was found.
    Ektypvsh *printResults();
    // Writes every found movement into the file; false (after saying so) when it cannot.
    bool saveTo(SaveKind kind, const QString &fileName);

signals:
    void openMovement(const QDate &day, qint64 aa);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    TypedCriteria typed() const;
    void showTotals();
    void save(SaveKind kind);

    Store &m_store;
    Criteria m_searched;
    QLineEdit *m_words = nullptr;
    QLineEdit *m_amountFrom = nullptr;
    QLineEdit *m_amountTo = nullptr;
    QLineEdit *m_dateFrom = nullptr;
    QLineEdit *m_dateTo = nullptr;
    QListWidget *m_codes = nullptr;
    QCheckBox *m_cheques = nullptr;
    QPushButton *m_search = nullptr;
    QTableView *m_table = nullptr;
    ResultsModel *m_model = nullptr;
    QLabel *m_totals = nullptr;
    QLabel *m_listedNote = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_saveCsv = nullptr;
    QPushButton *m_saveXlsx = nullptr;
    std::unique_ptr<Ektypvsh> m_report;
};

} // namespace search
