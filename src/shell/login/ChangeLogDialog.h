#pragma once

#include <QDialog>

class QDateEdit;
class QTableWidget;
class Store;

// The administrator's read-only list of the change log: every change and
// deletion of a movement made on the days of the date filter, newest first.
class ChangeLogDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ChangeLogDialog(Store &store, QWidget *parent = nullptr);

    // Reads the rows of the chosen days again; false when the store failed (told to the user).
    bool refresh();
    QTableWidget *table() const { return m_table; }
    void setRange(const QDate &from, const QDate &to);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // The movement before and after share what the other columns leave.
    void shareTextColumns();

    Store &m_store;
    QDateEdit *m_from;
    QDateEdit *m_to;
    QTableWidget *m_table;
};
