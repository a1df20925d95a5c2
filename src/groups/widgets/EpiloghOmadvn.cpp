#include "EpiloghOmadvn.h"

#include "platform/desktop/Messages.h"
#include "platform/desktop/widgets/BusyGuard.h"
#include "platform/desktop/widgets/WindowRules.h"
#include "platform/desktop/widgets/AccessibleNames.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

struct ColumnText
{
    const char *label;
    const char *tooltip;
};

// Labels and tooltips as users know them, slips included.
const std::array<ColumnText, groups::GroupColumnCount> Columns{{
    {"Αριστερή στήλη", "Επιλέξετε τις ομάδες που α τυπωθούν στην αριστερή στήλη"},
    {"Μέση", "Επιλέξετε τις ομάδες που α τυπωθούν στη μεσαία στήλη"},
    {"Δεξιά ", "Επιλέξετε τις ομάδες που α τυπωθούν στη δεξιά  στήλη"},
}};

} // namespace

EpiloghOmadvn::EpiloghOmadvn(const QList<groups::GroupEntry> &groups, QWidget *parent)
    : QDialog(parent), m_groups(groups)
{
    setObjectName(QStringLiteral("EpiloghOmadvn"));
    setWindowTitle(QStringLiteral("Επιλογή ομάδων"));
    setModal(true);
    buildControls();
    resize(ui::twipsToPixels(9600), ui::twipsToPixels(4800));
    ui::CenterForm(this);
    ui::NameControlsForAccessibility(this);
    fillLists(groups);
}

void EpiloghOmadvn::buildControls()
{
    auto *outer = new QVBoxLayout(this);
    auto *frame = new QGroupBox(QStringLiteral("Επιλογή ομάδων για τις στήλες"), this);
    frame->setObjectName(QStringLiteral("SSFrame1"));
    outer->addWidget(frame);
    auto *grid = new QGridLayout(frame);
    for (int i = 0; i < groups::GroupColumnCount; ++i) {
        auto *label = new QLabel(QString::fromUtf8(Columns[i].label), frame);
        label->setObjectName(ui::arrayName("Label1", i));
        auto *list = new QListWidget(frame);
        list->setObjectName(ui::arrayName("List1", i));
        list->setToolTip(QString::fromUtf8(Columns[i].tooltip));
        list->setFont(ui::fixedPitchFont());
        list->setAutoFillBackground(true);
        grid->addWidget(label, 0, i);
        grid->addWidget(list, 1, i);
        m_lists[i] = list;
    }
}

void EpiloghOmadvn::fillLists(const QList<groups::GroupEntry> &groups)
{
    if (BusyGuard::isBusy(this))
        return;
    BusyGuard busy(this);
    ui::ApplyColouring(this, QStringLiteral("  list1 list2 "), palette().color(QPalette::Window));
    for (QListWidget *list : m_lists) {
        for (const groups::GroupEntry &g : groups) {
            auto *item = new QListWidgetItem(g.name, list);
            item->setData(Qt::UserRole, g.number);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
    }
    for (int i = 0; i < groups::GroupColumnCount; ++i) {
        for (const int position : groups::storedPositions(i)) {
            if (position < m_lists[i]->count()) // positions beyond the list are skipped
                m_lists[i]->item(position)->setCheckState(Qt::Checked);
        }
    }
}

QList<bool> EpiloghOmadvn::marks(int column) const
{
    QList<bool> out;
    const QListWidget *list = m_lists[column];
    for (int k = 0; k < list->count(); ++k)
        out << (list->item(k)->checkState() == Qt::Checked);
    return out;
}

void EpiloghOmadvn::saveAll()
{
    if (m_saved)
        return;
    m_saved = true;
    QStringList failed;
    for (int i = 0; i < groups::GroupColumnCount; ++i)
        if (!groups::saveColumn(i, groups::storedColumn(m_groups, marks(i))))
            failed << QString::fromUtf8(Columns[i].label).trimmed();
    // The card reads what was stored: a choice that was not kept must not
    // pass for the one printed.
    if (!failed.isEmpty())
        msg::critical(QStringLiteral("Επιλογή ομάδων"),
                      QStringLiteral("Οι επιλογές δεν αποθηκεύτηκαν για: %1").arg(failed.join(QStringLiteral(", "))));
}

void EpiloghOmadvn::closeEvent(QCloseEvent *event)
{
    saveAll();
    QDialog::closeEvent(event);
}

void EpiloghOmadvn::reject()
{
    saveAll();
    QDialog::reject();
}
