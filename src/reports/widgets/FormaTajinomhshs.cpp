#include "FormaTajinomhshs.h"

#include "ChoiceWindow.h"
#include "platform/desktop/widgets/WindowPlacement.h"
#include "platform/desktop/widgets/WindowRules.h"

#include <QCheckBox>
#include <QEvent>
#include <QRadioButton>
#include <QVBoxLayout>

FormaTajinomhshs::FormaTajinomhshs(QWidget *parent) : QDialog(parent)
{
    QVBoxLayout *frame = nullptr;
    const QList<QRadioButton *> options = buildChoiceWindow(
        this, QStringLiteral("FormaTajinomhshs"), QStringLiteral("Ταξινόμηση"), QStringLiteral("Επιλογή ταξινόμησης"),
        {QStringLiteral("Κωδικός"), QStringLiteral("Περιγραφή"), QStringLiteral("Ομάδα")}, &frame);
    for (int i = 0; i < 3; ++i) {
        m_option[i] = options[i];
        m_option[i]->installEventFilter(this);
    }
    m_onlyActive = new QCheckBox(QStringLiteral("Μόνο οι ενεργοί"), this);
    m_onlyActive->setObjectName(QStringLiteral("Check1"));
    frame->addWidget(m_onlyActive);
}

// A double click on an order chooses it and closes the window.
bool FormaTajinomhshs::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (QRadioButton *option : m_option) {
            if (watched == option) {
                option->setChecked(true);
                accept();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

reports::SortChoice FormaTajinomhshs::choice() const
{
    reports::SortChoice choice;
    for (int i = 0; i < 3; ++i)
        if (m_option[i]->isChecked())
            choice.order = i;
    choice.onlyActive = m_onlyActive->isChecked();
    return choice;
}

reports::SortChoice FormaTajinomhshs::ask(QWidget *parent)
{
    FormaTajinomhshs dialog(parent);
    // Its size is known only once its layout has run: centred when shown.
    ui::CenterWhenShown(&dialog);
    dialog.exec();
    return dialog.choice();
}
