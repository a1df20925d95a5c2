#pragma once

#include "reports/ReportInput.h"

#include <QDialog>

class QRadioButton;

// "Ερώτηση": analytic or summary print. OK hides the window; the caller reads
// the choice as a plain struct.
class Ervthsh : public QDialog
{
    Q_OBJECT
public:
    explicit Ervthsh(QWidget *parent = nullptr);
    reports::PrintChoice choice() const;

    // Shows the window modally and returns what was chosen (closing the
    // window keeps the choice shown).
    static reports::PrintChoice ask(QWidget *parent);

private:
    QRadioButton *m_option[2];
};
