// Kelvora: the cash book of a cash desk.
//   kelvora                  the program
//   kelvora --check-startup  goes as far as the log-in window, says so and ends
//                            (used after installing the package)

#include "Program.h"
#include "StartupCheck.h"
#include "platform/desktop/FrontRequests.h"
#include "platform/desktop/SingleInstance.h"
#include "platform/desktop/widgets/WindowPlacement.h"
#include "platform/desktop/widgets/MessageBoxPresenter.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QApplication::setOrganizationName(QStringLiteral("Kelvora"));
    QApplication::setApplicationVersion(QStringLiteral(KELVORA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.kelvora.Kelvora"));

    const bool check = QApplication::arguments().contains(QStringLiteral("--check-startup"));

    // A second copy brings the running one to the front and ends.
    const SingleInstance instance(QStringLiteral("kelvora"));
    if (!instance.isFirst()) {
        if (!check)
            FrontRequests::askRunningCopy(QStringLiteral("kelvora"));
        return check ? 1 : 0;
    }
    FrontRequests front(QStringLiteral("kelvora"));
    QObject::connect(&front, &FrontRequests::frontRequested, [] { ui::BringProgramToFront(); });

    if (check)
        return runStartupCheck(QApplication::applicationDirPath());

    msg::installMessageBoxPresenter();
    Program program(QApplication::applicationDirPath());
    if (!program.start())
        return 0;
    return QApplication::exec();
}
