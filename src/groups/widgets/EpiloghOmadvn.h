#pragma once

#include "groups/GroupColumns.h"

#include <QDialog>
#include <array>

class QListWidget;

// The choice of groups for the three columns of the group card. The report
// window shows it modally just before it builds the card; the choice is saved
// to the settings store when the window is closed with its close box (it has
// no buttons), and restored by list position when it opens again.
class EpiloghOmadvn : public QDialog
{
    Q_OBJECT
public:
    // `groups` is the reports tab's group list, in its order.
    explicit EpiloghOmadvn(const QList<groups::GroupEntry> &groups, QWidget *parent = nullptr);

    // The marks of column i, one per list position.
    QList<bool> marks(int column) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override; // Esc closes the window as the close box does

private:
    void buildControls();
    // One line per group in each column's list, the stored marks restored.
    void fillLists(const QList<groups::GroupEntry> &groups);
    void saveAll();

    QList<groups::GroupEntry> m_groups;
    std::array<QListWidget *, groups::GroupColumnCount> m_lists{}; // List1(0..2)
    bool m_saved = false;
};
