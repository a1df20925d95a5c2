#include "FormaTajinomhshs.h"

#include "platform/desktop/widgets/WindowRules.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FormaTajinomhshs::FormaTajinomhshs(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormaTajinomhshs"));
    setWindowTitle(QStringLiteral("Ταξινόμηση"));
    setModal(true);
    auto *frame = new QGroupBox(QStringLiteral("Επιλογή ταξινόμησης"), this);
    auto *frameLayout = new QVBoxLayout(frame);
    const QString captions[3] = {QStringLiteral("Κωδικός"), QStringLiteral("Περιγραφή"), QStringLiteral("Ομάδα")};
    for (int i = 0; i < 3; ++i) {
        m_option[i] = new QRadioButton(captions[i], frame);
        m_option[i]->setObjectName(ui::arrayName("Option1", i));
        m_option[i]->installEventFilter(this);
        frameLayout->addWidget(m_option[i]);
    }
    m_option[0]->setChecked(true);
    m_onlyActive = new QCheckBox(QStringLiteral("Μόνο οι ενεργοί"), frame);
    m_onlyActive->setObjectName(QStringLiteral("Check1"));
    frameLayout->addWidget(m_onlyActive);
    auto *ok = new QPushButton(QStringLiteral("OK "), this);
    ok->setObjectName(QStringLiteral("SSCommand1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    setMinimumWidth(260);
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
    ui::CenterForm(&dialog);
    dialog.exec();
    return dialog.choice();
}
