#include "ReportsPlaceholder.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QWidget>

ReportsPlaceholder::ReportsPlaceholder(QWidget *parent)
    : m_widget(new QWidget(parent)), m_from(new QLineEdit(m_widget)), m_to(new QLineEdit(m_widget))
{
    m_from->setObjectName(QStringLiteral("Text1(7)"));
    m_to->setObjectName(QStringLiteral("Text1(8)"));
    for (QLineEdit *box : {m_from, m_to}) {
        box->setMaxLength(11);
        box->setAlignment(Qt::AlignCenter);
        box->setFixedWidth(110);
    }
    auto *form = new QFormLayout(m_widget);
    form->addRow(QStringLiteral("Από"), m_from);
    form->addRow(QStringLiteral("Εως"), m_to);
}

void ReportsPlaceholder::EnterPage(const QString &fromDate, const QString &toDate)
{
    m_from->setText(fromDate);
    m_to->setText(toDate);
}
