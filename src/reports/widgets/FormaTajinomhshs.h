#pragma once

#include "reports/ReportInput.h"

#include <QDialog>

class QCheckBox;
class QRadioButton;

// "Ταξινόμηση": the sort order of the code list (code, description, group)
// and "only the active ones". OK hides the window; the caller reads the
// choice as a plain struct.
class FormaTajinomhshs : public QDialog
{
    Q_OBJECT
public:
    explicit FormaTajinomhshs(QWidget *parent = nullptr);
    reports::SortChoice choice() const;

    static reports::SortChoice ask(QWidget *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QRadioButton *m_option[3];
    QCheckBox *m_onlyActive;
};
