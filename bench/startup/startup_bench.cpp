// Times the two waits a user sees on a realistic book: from launch to the
// login window, and from pressing OK in the login window to the main window.
//
//   startup_bench [BOOK_FOLDER] [RUNS]
// Without a folder, a 10-year book is generated with kelvora-genbook first.

#include "bench/support/Timing.h"
#include "app/Program.h"
#include "data/AppGlobals.h"
#include "platform/desktop/Messages.h"
#include "platform/regional/Clock.h"
#include "shell/login/Login.h"
#include "shell/mainwindow/kentrikh.h"
#include "tools/NewInstallation.h"
#include "data/DataFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

using benchsupport::median;

namespace {

QString prepareBook(const QStringList &args, QTemporaryDir &scratch)
{
    if (args.size() > 1)
        return args[1];
    const QString folder = scratch.filePath(QStringLiteral("book"));
    const QString tool = QApplication::applicationDirPath() + QStringLiteral("/kelvora-genbook");
    std::printf("generating a 10-year book with %s ...\n", qPrintable(tool));
    if (QProcess::execute(tool, {folder}) != 0) {
        std::fprintf(stderr, "kelvora-genbook failed\n");
        std::exit(1);
    }
    return folder;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QElapsedTimer appTimer;
    appTimer.start();
    QApplication app(argc, argv);
    const double appSetUp = appTimer.nsecsElapsed() / 1e6;
    QTemporaryDir scratch;
    const QString book = prepareBook(QApplication::arguments(), scratch);
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;

    {
        // A user of our own with all rights, so the run does not depend on the generator's users.
        auto users = db::Database::open(datafolder::usersDatabase(book), globals().DbPassword);
        users->execute(QStringLiteral("DELETE FROM codes WHERE uname = 'benchadmin'"));
        newinstall::addUser(*users, {QStringLiteral("benchadmin"), QStringLiteral("bench")});
    }

    QTemporaryDir programDir;
    QFile path(programDir.filePath(QStringLiteral("DIADROMH.DAT")));
    if (!path.open(QIODevice::WriteOnly))
        return 1;
    path.write(book.toUtf8() + '\n');
    path.close();

    // Any box would stop the clock: answer each with its default and count them.
    int boxes = 0;
    msg::install([&boxes](const msg::Box &b) {
        ++boxes;
        return b.defaultButton;
    });

    std::vector<double> toLogin, toMain;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer t;
        t.start();
        Program program(programDir.path());
        if (!program.start())
            return 1;
        if (!QTest::qWaitForWindowExposed(program.login()))
            return 1;
        toLogin.push_back(t.nsecsElapsed() / 1e6);

        program.login()->findChild<QLineEdit *>(QStringLiteral("Text1(0)"))->setText(QStringLiteral("benchadmin"));
        program.login()->findChild<QLineEdit *>(QStringLiteral("Text1(1)"))->setText(QStringLiteral("bench"));
        t.restart();
        program.login()->findChild<QAbstractButton *>(QStringLiteral("Command1(0)"))->click();
        if (!program.mainWindow() || !QTest::qWaitForWindowExposed(program.mainWindow()))
            return 1;
        toMain.push_back(t.nsecsElapsed() / 1e6);
        program.mainWindow()->close(); // the stop sequence releases the marker
        QApplication::processEvents();
    }
    std::printf("book: %s\n", qPrintable(book));
    std::printf("QApplication set-up (once per launch): %.1f ms\n", appSetUp);
    std::printf("first run, data folder to login shown: %.1f ms\n", toLogin.front());
    std::printf("start-up to login window shown : median %.1f ms (min %.1f, %d runs)\n", median(toLogin),
                *std::min_element(toLogin.begin(), toLogin.end()), runs);
    std::printf("log-in to main window shown    : median %.1f ms (min %.1f, %d runs)\n", median(toMain),
                *std::min_element(toMain.begin(), toMain.end()), runs);
    std::printf("message boxes answered: %d\n", boxes);
    return 0;
}
