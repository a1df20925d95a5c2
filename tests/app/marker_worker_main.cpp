// kelvora-markerworker DATA USER COMPUTER [exit]: a workstation's main window
// over DATA, started as main() starts it (the single-instance lock, the
// handlers of an orderly end) and left running until a signal ends it. With
// "exit" it leaves through exit() from inside the event loop, as the toolkit
// does when the display goes away. Prints what it does, one line at a time.
#include "app/ProgramPages.h"
#include "data/AppGlobals.h"
#include "data/Store.h"
#include "platform/db/Database.h"
#include "platform/desktop/Messages.h"
#include "platform/desktop/OrderlyEnd.h"
#include "platform/desktop/SingleInstance.h"
#include "shell/mainwindow/MainWindowRules.h"
#include "shell/mainwindow/kentrikh.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 4)
        return 2;
    if (!qEnvironmentVariableIsEmpty("KELVORA_TEST_FAST_KDF"))
        db::Database::setKdfIterations(64);
    setvbuf(stdout, nullptr, _IOLBF, 0);

    const SingleInstance instance(QStringLiteral("kelvora"));
    if (!instance.isFirst()) {
        std::printf("second copy\n");
        return 3;
    }
    orderlyend::installSignalHandlers();
    msg::install([](const msg::Box &box) {
        std::printf("box %s: %s\n", qPrintable(box.title), qPrintable(QString(box.text).replace(u'\n', u' ')));
        return box.defaultButton;
    });

    AppGlobals &g = globals();
    g.DataPath = args[1];
    g.NetUserName = args[2];
    g.MachineName = args[3];
    g.RightChangeRecords = g.RightCloseCash = g.RightGroupsCodes = true;
    Store store(g.DataPath, g.DbPassword);
    if (!mainwindow::openDatabases(store))
        return 4;
    {
        kentrikh window(store, programPages());
        if (!window.initialise([] { return std::optional<schemaupgrade::OpeningBalance>(); }))
            return 5;
        window.show();
        std::printf("owns %d\n", window.state().OwnsMarker ? 1 : 0);
        if (args.size() > 4 && args[4] == QLatin1String("exit"))
            QTimer::singleShot(50, [] { std::exit(1); });
        std::printf("ready\n");
        QApplication::exec();
    }
    std::printf("ended\n");
    return 0;
}
