#include "Ervthsh.h"

#include "platform/desktop/widgets/WindowRules.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

Ervthsh::Ervthsh(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Ervthsh"));
    setWindowTitle(QStringLiteral("Ερώτηση"));
    setModal(true);
    auto *frame = new QGroupBox(QStringLiteral("Επιλογή εκτύπωσης"), this);
    auto *frameLayout = new QVBoxLayout(frame);
    const QString captions[2] = {QStringLiteral("Αναλυτικά"), QStringLiteral("Συνοπτικά")};
    for (int i = 0; i < 2; ++i) {
        m_option[i] = new QRadioButton(captions[i], frame);
        m_option[i]->setObjectName(ui::arrayName("Option1", i));
        frameLayout->addWidget(m_option[i]);
    }
    m_option[0]->setChecked(true);
    auto *ok = new QPushButton(QStringLiteral("OK "), this);
    ok->setObjectName(QStringLiteral("SSCommand1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    setMinimumWidth(260);
}

reports::PrintChoice Ervthsh::choice() const { return {m_option[0]->isChecked()}; }

reports::PrintChoice Ervthsh::ask(QWidget *parent)
{
    Ervthsh dialog(parent);
    ui::CenterForm(&dialog);
    dialog.exec();
    return dialog.choice();
}
