#include "FakePages.h"

#include "data/AppGlobals.h"

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

PageFactories fakeFactories(PageLog &log)
{
    PageFactories f;
    f.cash = [&log](PageContext &, QWidget *parent) { return std::make_unique<FakeCashPage>(log, parent); };
    f.codes = [&log](PageContext &, QWidget *parent) { return std::make_unique<FakeCodesPage>(log, parent); };
    return f;
}
