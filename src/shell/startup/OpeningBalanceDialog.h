#pragma once

#include "data/SchemaUpgrade.h"

#include <QDialog>

class QKeyEvent;
class QLineEdit;
class QGroupBox;
class QPushButton;

// FR_ErvthshUpdate: asks once, when the schema goes to its third version, for
// the last day the user had a cash balance and that balance. It only collects
// and validates; the caller runs the update.
class FR_ErvthshUpdate : public QDialog
{
    Q_OBJECT
public:
    explicit FR_ErvthshUpdate(QWidget *parent = nullptr);

    QString dateText() const;
    QString amountText() const;

    bool ValidateOpeningBalance();

    // Shows the dialog modally; no value when it was closed without confirming.
    static std::optional<schemaupgrade::OpeningBalance> ask(QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Esc does nothing: only the close box leaves without an answer.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void confirm();

    QGroupBox *m_frame[2];
    QLineEdit *m_text[2];
    QPushButton *m_ok;
    bool m_confirmed = false;
};
