#pragma once

#include "NewDataFolder.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// Offered at a first start (nothing names a data folder yet): asks for a new
// data folder, the installation's administrator code (twice) and the first
// user, creates them and accepts. Cancel leaves everything as it was. Enter
// moves from field to field and presses a focused button.
class NewDataFolderDialog : public QDialog
{
    Q_OBJECT
public:
    explicit NewDataFolderDialog(pathfile::Places places, QWidget *parent = nullptr);

    // The OK button: true when the folder was created (the dialog is then accepted).
    bool create();

private:
    void browse();

    pathfile::Places m_places;
    QLineEdit *m_folder;
    QLineEdit *m_user;
    QLineEdit *m_password;
    QLineEdit *m_passwordAgain;
    QLineEdit *m_adminCode;
    QLineEdit *m_adminCodeAgain;
};
