#include "Program.h"

#include "ProgramPages.h"
#include "data/AppGlobals.h"
#include "shell/desk/ProgramLook.h"
#include "data/UsersFileUpgrade.h"
#include "platform/desktop/Messages.h"
#include "shell/login/Login.h"
#include "shell/mainwindow/MainWindowRules.h"
#include "shell/mainwindow/kentrikh.h"
#include "shell/startup/NewDataFolderDialog.h"
#include "shell/startup/OpeningBalanceDialog.h"
#include "shell/startup/Startup.h"

#include <QApplication>

Program::Program(QString programDir) : m_programDir(std::move(programDir)), m_pages(programPages())
{
    // Icon, Greek Qt dialogs, F1 and accessible names, before the first window.
    desk::setUpProgram();
}

Program::~Program()
{
    m_main.reset();
    m_login.reset();
}

bool Program::start()
{
    const pathfile::Places places = pathfile::placesFor(m_programDir);
    const startup::Outcome outcome = startup::findDataFolder(places);
    if (outcome == startup::Outcome::FirstStart) {
        if (!m_offerNewDataFolder) {
            msg::critical(QStringLiteral("Προσοχή στη διαδρομή"),
                          QStringLiteral("Δεν υπάρχει ακόμη αρχείο DIADROMH.DAT: δεν έχει οριστεί φάκελος δεδομένων."));
            return false;
        }
        NewDataFolderDialog dialog(places);
        if (dialog.exec() != QDialog::Accepted)
            return false;
    } else if (outcome != startup::Outcome::ShowLogin) {
        return false;
    }
    m_store = std::make_unique<Store>(globals().DataPath, globals().DbPassword);
    // Passwords kept in clear by older files are hashed, and the tables of the
    // administrator code and the audit log added, before the first try.
    usersupgrade::upgradeAtStart(*m_store);
    m_login = std::make_unique<Login>(*m_store);
    connect(m_login.get(), &Login::endRequested, qApp, &QApplication::quit, Qt::QueuedConnection);
    connect(m_login.get(), &Login::loginSucceeded, this, &Program::openMainWindow);
    m_login->show();
    return true;
}

void Program::openMainWindow()
{
    // The pages read their data as they are built: the files are opened first,
    // so a file another workstation holds can be waited for and tried again.
    if (!mainwindow::openDatabases(*m_store)) {
        QApplication::exit(1);
        return;
    }
    m_main = std::make_unique<kentrikh>(*m_store, m_pages);
    connect(m_main.get(), &kentrikh::programEnded, qApp, &QApplication::quit, Qt::QueuedConnection);
    if (!m_main->initialise([w = m_main.get()] { return FR_ErvthshUpdate::ask(w); })) {
        QApplication::exit(1);
        return;
    }
    m_main->show();
    Q_EMIT mainWindowShown();
}
