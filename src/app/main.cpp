// Kelvora: the cash book of a cash desk.
//   kelvora                  the program
//   kelvora --check-startup  goes as far as the log-in window, says so and ends
//                            (used after installing the package)

#include "Program.h"
#include "StartupCheck.h"
#include "data/InUseMarker.h"
#include "platform/desktop/SingleInstance.h"
#include "platform/desktop/widgets/BusyGuard.h"
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

    // A second copy ends without a word.
    const SingleInstance instance(QStringLiteral("kelvora"));
    if (!instance.isFirst())
        return check ? 1 : 0;

    if (check)
        return runStartupCheck(QApplication::applicationDirPath());

    msg::installMessageBoxPresenter();
    InUseMarker::setWaitHook(showWaitPointer);
    Program program(QApplication::applicationDirPath());
    if (!program.start())
        return 0;
    return QApplication::exec();
}
