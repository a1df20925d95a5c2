// Kelvora: from launch through the login window to the main window.

#include "ProgramPages.h"
#include "data/AppGlobals.h"
#include "data/Store.h"
#include "platform/desktop/SingleInstance.h"
#include "platform/desktop/widgets/MessageBoxPresenter.h"
#include "shell/login/Login.h"
#include "shell/mainwindow/kentrikh.h"
#include "shell/startup/OpeningBalanceDialog.h"
#include "shell/startup/Startup.h"

#include <QApplication>
#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QApplication::setOrganizationName(QStringLiteral("Kelvora"));

    // A second copy ends without a word.
    const SingleInstance instance(QStringLiteral("kelvora"));
    if (!instance.isFirst())
        return 0;

    msg::installMessageBoxPresenter();
    if (startup::findDataFolder(QApplication::applicationDirPath()) != startup::Outcome::ShowLogin)
        return 0;

    Store store(globals().DataPath, globals().DbPassword);
    const PageFactories pages = programPages();
    std::unique_ptr<kentrikh> mainWindow;

    auto login = std::make_unique<Login>(store);
    QObject::connect(login.get(), &Login::endRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    QObject::connect(login.get(), &Login::loginSucceeded, &app, [&] {
        mainWindow = std::make_unique<kentrikh>(store, pages);
        QObject::connect(mainWindow.get(), &kentrikh::programEnded, &app, &QApplication::quit,
                         Qt::QueuedConnection);
        if (!mainWindow->initialise([w = mainWindow.get()] { return FR_ErvthshUpdate::ask(w); })) {
            QApplication::exit(1);
            return;
        }
        mainWindow->show();
    });
    login->show();
    const int rc = QApplication::exec();
    login.reset();
    mainWindow.reset();
    return rc;
}
