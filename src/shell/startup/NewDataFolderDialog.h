#pragma once

#include "NewDataFolder.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// Offered after the message that the program's files were not found: asks for
// a new data folder and its first user, creates them and accepts. Cancel
// leaves everything as it was.
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
};
