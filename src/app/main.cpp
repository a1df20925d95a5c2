// Kelvora: the cash book of a cash desk.
//   kelvora                  the program
//   kelvora --check-startup  goes as far as the log-in window, says so and ends
//                            (used after installing the package)
//   kelvora --help | --version

#include "CommandLine.h"
#include "Program.h"
#include "StartupCheck.h"
#include "data/InUseMarker.h"
#include "platform/desktop/FrontRequests.h"
#include "platform/desktop/OrderlyEnd.h"
#include "platform/desktop/SingleInstance.h"
#include "platform/desktop/widgets/WindowPlacement.h"
#include "platform/desktop/widgets/BusyGuard.h"
#include "platform/desktop/widgets/MessageBoxPresenter.h"

#include <QApplication>
#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

} // namespace

int main(int argc, char **argv)
{
    // Help and version are answered before the toolkit starts: they need no
    // display, open no window and write nothing.
    const commandline::Request asked = commandline::parse(argumentsOf(argc, argv));
    if (asked.action == commandline::Action::Help || asked.action == commandline::Action::Version) {
        const QString text =
            asked.action == commandline::Action::Help ? commandline::helpText() : commandline::versionText();
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    // The toolkit has taken its own options (-platform, -style ...) out of
    // the list; anything left that is not ours is refused.
    const commandline::Request request = commandline::parse(QApplication::arguments().mid(1));
    if (request.action == commandline::Action::Refuse) {
        std::fputs(commandline::refusalText(request).toLocal8Bit().constData(), stderr);
        return 2;
    }
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QApplication::setOrganizationName(QStringLiteral("Kelvora"));
    QApplication::setApplicationVersion(QStringLiteral(KELVORA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.kelvora.Kelvora"));

    const bool check = request.action == commandline::Action::CheckStartup;

    // A second copy brings the running one to the front and ends.
    const SingleInstance instance(QStringLiteral("kelvora"));
    if (!instance.isFirst()) {
        if (!check)
            FrontRequests::askRunningCopy(QStringLiteral("kelvora"));
        return check ? 1 : 0;
    }
    FrontRequests front(QStringLiteral("kelvora"));
    QObject::connect(&front, &FrontRequests::frontRequested, [] { ui::BringProgramToFront(); });

    // A shutdown, the session's end or a closed terminal ends the program as
    // its own exit does, giving the in-use marker back.
    orderlyend::installSignalHandlers();

    if (check)
        return runStartupCheck(QApplication::applicationDirPath());

    msg::installMessageBoxPresenter();
    InUseMarker::setWaitHook(showWaitPointer);
    Program program(QApplication::applicationDirPath());
    if (!program.start())
        return 0;
    return QApplication::exec();
}
