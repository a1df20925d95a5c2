#include "Ervthsh.h"

#include "ChoiceWindow.h"
#include "platform/desktop/widgets/WindowPlacement.h"
#include "platform/desktop/widgets/WindowRules.h"

#include <QRadioButton>

Ervthsh::Ervthsh(QWidget *parent) : QDialog(parent)
{
    const QList<QRadioButton *> options =
        buildChoiceWindow(this, QStringLiteral("Ervthsh"), QStringLiteral("Ερώτηση"),
                          QStringLiteral("Επιλογή εκτύπωσης"), {QStringLiteral("Αναλυτικά"), QStringLiteral("Συνοπτικά")});
    m_option[0] = options[0];
    m_option[1] = options[1];
}

reports::PrintChoice Ervthsh::choice() const { return {m_option[0]->isChecked()}; }

reports::PrintChoice Ervthsh::ask(QWidget *parent)
{
    Ervthsh dialog(parent);
    // Its size is known only once its layout has run: centred when shown.
    ui::CenterWhenShown(&dialog);
    dialog.exec();
    return dialog.choice();
}
