#include "FakePages.h"

#include "data/AppGlobals.h"

#include <QFormLayout>

FakeCashPage::FakeCashPage(PageLog &log, QWidget *parent) : m_log(log), m_widget(new QWidget(parent)) {}

void FakeCashPage::InsertMovement()
{
    m_log.calls << QStringLiteral("InsertMovement");
    if (m_log.duringInsertMovement)
        m_log.duringInsertMovement();
}

void FakeCashPage::ShowInitialDay()
{
    m_log.calls << QStringLiteral("ShowInitialDay");
    m_log.rightChangeRecordsAtInitialDay = globals().RightChangeRecords;
}

FakeReportsPage::FakeReportsPage(PageLog &log, QWidget *parent)
    : m_log(log), m_widget(new QWidget(parent)), m_from(new QLineEdit(m_widget)), m_to(new QLineEdit(m_widget))
{
    m_from->setObjectName(QStringLiteral("Text1(7)"));
    m_to->setObjectName(QStringLiteral("Text1(8)"));
    auto *form = new QFormLayout(m_widget);
    form->addRow(QStringLiteral("Από"), m_from);
    form->addRow(QStringLiteral("Εως"), m_to);
}

void FakeReportsPage::EnterPage(const QString &fromDate, const QString &toDate)
{
    m_log.calls << QStringLiteral("ReportsEnterPage");
    m_from->setText(fromDate);
    m_to->setText(toDate);
}

PageFactories fakeFactories(PageLog &log)
{
    PageFactories f;
    f.cash = [&log](PageContext &, QWidget *parent) { return std::make_unique<FakeCashPage>(log, parent); };
    f.codes = [&log](PageContext &, QWidget *parent) { return std::make_unique<FakeCodesPage>(log, parent); };
    f.reports = [&log](PageContext &, QWidget *parent) { return std::make_unique<FakeReportsPage>(log, parent); };
    return f;
}
