#include "ReportsTab.h"

#include "data/StoreFailure.h"
#include "Ektypvsh.h"
#include "cashbook/codes/PrintLists.h"
#include "cashbook/widgets/EntryFilters.h"
#include "data/AppGlobals.h"
#include "data/Store.h"
#include "platform/db/DbError.h"
#include "platform/desktop/Messages.h"
#include "platform/desktop/widgets/WindowRules.h"
#include "platform/regional/Clock.h"
#include "platform/regional/GreekFormats.h"
#include "platform/pages/widgets/previewwidget.h"
#include "reports/ReportList.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

QList<qint64> selectedData(const QListWidget *list)
{
    QList<qint64> data;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            data << list->item(i)->data(Qt::UserRole).toLongLong();
    return data;
}

void fill(QListWidget *list, const QList<codes::ListItem> &items)
{
    list->clear();
    for (const codes::ListItem &entry : items) {
        auto *item = new QListWidgetItem(entry.text, list);
        item->setData(Qt::UserRole, entry.data);
    }
}

} // namespace

ReportsTab::ReportsTab(PageContext &context, QWidget *parent) : m_context(context), m_widget(new QWidget(parent))
{
    buildControls();
}

ReportsTab::~ReportsTab()
{
    m_report.reset();
    delete m_widget.data();
}

void ReportsTab::buildControls()
{
    const QString captions[3] = {QStringLiteral("Διαθέσιμες εκτυπώσεις"), QStringLiteral("Κωδικοί κίνησης"),
                                 QStringLiteral("Ομάδες κωδικών")};
    auto *grid = new QGridLayout(m_widget);
    for (int i = 0; i < 3; ++i) {
        m_list[i] = new QListWidget(m_widget);
        m_list[i]->setObjectName(ui::arrayName("List2", i));
        m_list[i]->setFont(ui::fixedPitchFont());
        m_list[i]->setSelectionMode(i == 0 ? QAbstractItemView::SingleSelection
                                           : QAbstractItemView::MultiSelection);
        grid->addWidget(new QLabel(captions[i], m_widget), 0, i);
        grid->addWidget(m_list[i], 1, i);
    }
    for (const reports::ReportEntry &entry : reports::reportEntries()) {
        auto *item = new QListWidgetItem(entry.text, m_list[0]);
        item->setData(Qt::UserRole, entry.number);
    }
    m_list[0]->setMinimumWidth(290);

    auto *frame = new QGroupBox(QStringLiteral("Ημερομηνία εκτύπωσης"), m_widget);
    auto *dates = new QHBoxLayout(frame);
    m_from = new QLineEdit(frame);
    m_to = new QLineEdit(frame);
    m_from->setObjectName(ui::arrayName("Text1", 7));
    m_to->setObjectName(ui::arrayName("Text1", 8));
    m_from->setAccessibleName(QStringLiteral("Από ημερομηνία"));
    m_to->setAccessibleName(QStringLiteral("Έως ημερομηνία"));
    for (QLineEdit *box : {m_from, m_to}) {
        box->setMaxLength(11);
        box->setAlignment(Qt::AlignCenter);
        box->setFixedWidth(110);
        cashbook::installDateKeyFilter(box);
        dates->addWidget(box);
    }
    dates->addStretch();
    grid->addWidget(frame, 2, 0, 1, 3);
    grid->setRowStretch(1, 1);
}

void ReportsTab::EnterPage(const QString &fromDate, const QString &toDate)
{
    m_from->setText(fromDate);
    m_to->setText(toDate);
    try {
        const codes::PrintLists lists = codes::FillPrintLists(m_context.state->store->main());
        fill(m_list[1], lists.codes);
        fill(m_list[2], lists.groups);
    } catch (const db::DbError &e) {
        storefailure::reportReadError(e);
    }
}

QWidget *ReportsTab::widget() { return m_widget; }

Ektypvsh *ReportsTab::reportWindow() const { return m_report.get(); }

void ReportsTab::PrintSelected()
{
    QListWidgetItem *selected = m_list[0]->currentItem();
    if (selected && !selected->isSelected())
        selected = nullptr;
    if (!reports::checkReportStart(selected != nullptr, m_from->text(), m_to->text()))
        return;

    const int number = selected->data(Qt::UserRole).toInt();

    reports::ReportInput input;
    input.fromText = m_from->text();
    input.toText = m_to->text();
    input.from = regional::parseDate(input.fromText, Clock::today()).value_or(QDate());
    input.to = regional::parseDate(input.toText, Clock::today()).value_or(QDate());
    input.codes = selectedData(m_list[1]);
    input.groups = selectedData(m_list[2]);
    for (int i = 0; i < m_list[2]->count(); ++i)
        input.groupList.append({m_list[2]->item(i)->text(), m_list[2]->item(i)->data(Qt::UserRole).toLongLong()});
    input.headerCaption = globals().HeaderCaption;
    input.title = reports::reportTitle(selected->text());

    // One report window at a time: the old one goes, a fresh one builds the
    // whole report hidden and is shown when it is complete.
    m_report.reset();
    m_report = std::make_unique<Ektypvsh>(*m_context.state->store, nullptr);
    m_report->load(number, input);
    m_report->show();
    m_report->raise();
    m_report->activateWindow();
    // Page Up and Page Down turn the pages at once.
    m_report->Lumo()->setFocus();
}

std::unique_ptr<ReportsPage> makeReportsPage(PageContext &context, QWidget *parent)
{
    return std::make_unique<ReportsTab>(context, parent);
}
