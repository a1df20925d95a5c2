#include "ChangeLogDialog.h"

#include "data/StoreFailure.h"
#include "cashbook/ChangeLog.h"
#include "data/Store.h"
#include "platform/db/DbError.h"
#include "platform/desktop/Messages.h"
#include "platform/desktop/widgets/AccessibleNames.h"
#include "platform/desktop/widgets/WindowPlacement.h"
#include "platform/desktop/widgets/WindowRules.h"
#include "platform/regional/Clock.h"
#include "platform/regional/GreekFormats.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

using namespace cashbook;

ChangeLogDialog::ChangeLogDialog(Store &store, QWidget *parent) : QDialog(parent), m_store(store)
{
    setObjectName(QStringLiteral("ChangeLogDialog"));
    setWindowTitle(QStringLiteral("Αλλαγές και διαγραφές κινήσεων"));
    auto *layout = new QVBoxLayout(this);

    auto *filter = new QHBoxLayout;
    m_from = new QDateEdit(Clock::today().addDays(-30), this);
    m_from->setObjectName(QStringLiteral("from"));
    m_to = new QDateEdit(Clock::today(), this);
    m_to->setObjectName(QStringLiteral("to"));
    for (QDateEdit *d : {m_from, m_to}) {
        d->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
        d->setCalendarPopup(true);
        connect(d, &QDateEdit::dateChanged, this, [this] { refresh(); });
    }
    filter->addWidget(new QLabel(QStringLiteral("Από"), this));
    filter->addWidget(m_from);
    filter->addWidget(new QLabel(QStringLiteral("Έως"), this));
    filter->addWidget(m_to);
    filter->addStretch(1);
    layout->addLayout(filter);

    m_table = new QTableWidget(0, 8, this);
    m_table->setObjectName(QStringLiteral("log"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Πότε"), QStringLiteral("Χρήστης"), QStringLiteral("Σταθμός"),
                                        QStringLiteral("Είδος"), QStringLiteral("Ημέρα κίνησης"),
                                        QStringLiteral("Κλειστή"), QStringLiteral("Πριν"), QStringLiteral("Μετά")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Κλείσιμο"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    resize(980, 460);
    refresh();
    // Users size it to read long movements; it opens as they left it.
    ui::RememberPlacement(this, QStringLiteral("ChangeLogDialog"));
    ui::NameControlsForAccessibility(this);
}

void ChangeLogDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    shareTextColumns();
}

void ChangeLogDialog::shareTextColumns()
{
    constexpr int Before = 6, Least = 120;
    QHeaderView *header = m_table->horizontalHeader();
    int others = 0;
    for (int c = 0; c < Before; ++c)
        others += header->sectionSize(c);
    const int left = m_table->viewport()->width() - others;
    // The last column stretches over what is left of the half.
    header->resizeSection(Before, std::max(Least, left / 2));
}

void ChangeLogDialog::setRange(const QDate &from, const QDate &to)
{
    const QSignalBlocker a(m_from), b(m_to);
    m_from->setDate(from);
    m_to->setDate(to);
    refresh();
}

bool ChangeLogDialog::refresh()
{
    QList<changelog::Entry> rows;
    try {
        rows = changelog::entries(m_store.main(), m_from->date(), m_to->date());
    } catch (const db::DbError &e) {
        msg::critical(QStringLiteral("Προσοχή"), QStringLiteral("Οι αλλαγές δεν διαβάστηκαν.\n") + storefailure::causeLine(e));
        return false;
    }
    m_table->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const changelog::Entry &e = rows[r];
        const QString cells[8] = {e.when.toString(QStringLiteral("dd-MM-yyyy HH:mm:ss")),
                                  e.user,
                                  e.workstation,
                                  changelog::kindText(e.kind),
                                  regional::formatDate(e.day),
                                  e.dayClosed ? QStringLiteral("Ναι") : QStringLiteral("Όχι"),
                                  e.before,
                                  e.after};
        for (int c = 0; c < 8; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setToolTip(cells[c]); // the whole text of a cut movement
            m_table->setItem(r, c, item);
        }
    }
    m_table->resizeColumnsToContents();
    shareTextColumns();
    return true;
}
