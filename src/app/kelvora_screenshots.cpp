// kelvora-screenshots OUTDIR: the pictures of the user guide, taken from the
// demo book through the program's own start-up (scripts/screenshots.sh runs it
// under Xvfb). Each window is grabbed as it is drawn on screen.
#include "Program.h"
#include "cashbook/demo/DemoBook.h"
#include "data/AppGlobals.h"
#include "data/PathFile.h"
#include "data/Store.h"
#include "platform/desktop/Messages.h"
#include "platform/regional/Clock.h"
#include "shell/login/Login.h"
#include "shell/mainwindow/kentrikh.h"
#include "shell/startup/NewDataFolderDialog.h"
#include "shell/startup/OpeningBalanceDialog.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

namespace {

QString outDir;
int failures = 0;

void settle(QWidget *w)
{
    w->show();
    w->raise();
    w->activateWindow();
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

void shoot(QWidget *w, const char *name)
{
    settle(w);
    const QString file = QDir(outDir).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    if (!w->grab().save(file)) {
        std::fprintf(stderr, "could not save %s\n", qPrintable(file));
        ++failures;
        return;
    }
    std::printf("%s\n", qPrintable(file));
}

void type(QWidget *w, const char *objectName, const QString &text)
{
    if (auto *box = w->findChild<QLineEdit *>(QString::fromLatin1(objectName)))
        box->setText(text);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: kelvora-screenshots OUTDIR\n");
        return 2;
    }
    outDir = app.arguments()[1];
    QDir().mkpath(outDir);
    msg::install([](const msg::Box &box) {
        std::fprintf(stderr, "message \"%s\": %s\n", qPrintable(box.title), qPrintable(box.text));
        return box.defaultButton;
    });

    // The demo book ends the day before "today"; the program then opens on a
    // day full of movements.
    QTemporaryDir temp;
    const QString data = temp.filePath(QStringLiteral("data"));
    const QDate today(2026, 12, 4);
    demobook::build(data, today.addDays(1));
    Clock::setToday(today);
    pathfile::writeFolder({temp.path(), QString()}, data);

    NewDataFolderDialog newFolder({temp.filePath(QStringLiteral("none")), QString()});
    type(&newFolder, "user", QStringLiteral("Μαρία"));
    type(&newFolder, "password", QStringLiteral("κλειδί"));
    type(&newFolder, "passwordAgain", QStringLiteral("κλειδί"));
    shoot(&newFolder, "new-data-folder");
    newFolder.hide();

    FR_ErvthshUpdate opening;
    type(&opening, "Text1(0)", QStringLiteral("30-11-2026"));
    type(&opening, "Text1(1)", QStringLiteral("1.250,00"));
    shoot(&opening, "opening-balance");
    opening.hide();

    {
        Store store(data, globals().DbPassword);
        Login admin(store);
        type(&admin, "Text1(0)", QStringLiteral("rootdesk"));
        type(&admin, "Text1(1)", demobook::AdministratorCode);
        admin.Command1_Click(0);
        type(&admin, "Text1(0)", QString()); // the administrator entry stays out of the pictures
        type(&admin, "Text1(1)", QString());
        shoot(&admin, "login-administrator");
        admin.hide();
    }

    Program program(temp.path());
    program.setOfferNewDataFolder(false);
    if (!program.start())
        return 1;
    Login *login = program.login();
    type(login, "Text1(0)", QStringLiteral("demo"));
    shoot(login, "login");
    type(login, "Text1(1)", QStringLiteral("demo"));
    login->Command1_Click(0);
    kentrikh *main = program.mainWindow();
    if (!main) {
        std::fprintf(stderr, "the main window did not open\n");
        return 1;
    }
    shoot(main, "main-window");
    main->selectTab(2);
    shoot(main, "codes");
    main->selectTab(3);
    shoot(main, "reports");
    main->selectTab(1);
    return failures == 0 ? 0 : 1;
}
