// kelvora-newdb: creates the two empty databases of a new installation, sets
// the administrator code, or puts back a backup taken at a day's close.
//   kelvora-newdb FOLDER [--user NAME --password PASSWORD] [--admin-code CODE]
//   kelvora-newdb FOLDER --reset-admin-code [--admin-code CODE]
//   kelvora-newdb --restore FOLDER BACKUP
// Without --admin-code the administrator code is asked twice on the terminal.

#include "NewInstallation.h"
#include "data/AdministratorCode.h"
#include "data/Backup.h"
#include "data/AppGlobals.h"
#include "data/AuditLog.h"
#include "data/DataFolder.h"
#include "data/UsersFileUpgrade.h"
#include "platform/db/Database.h"
#include "platform/desktop/WorkstationNames.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

// One line from standard input, not echoed when it is a terminal.
QString readHidden(const char *prompt)
{
    std::fprintf(stderr, "%s", prompt);
    std::fflush(stderr);
    termios saved{};
    const bool terminal = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::string line;
    std::getline(std::cin, line);
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::fprintf(stderr, "\n");
    }
    return QString::fromStdString(line);
}

// The code from --admin-code, or asked twice; empty when it cannot be taken.
QString administratorCode(const QCommandLineParser &p)
{
    QString code, repeated;
    if (p.isSet(QStringLiteral("admin-code"))) {
        code = repeated = p.value(QStringLiteral("admin-code"));
    } else {
        code = readHidden("administrator code: ");
        repeated = readHidden("administrator code again: ");
    }
    const QString refusal = admincode::refusal(code, repeated);
    if (!refusal.isEmpty()) {
        std::fprintf(stderr, "kelvora-newdb: %s\n", qPrintable(refusal));
        return QString();
    }
    return code;
}

void setAdministratorCode(const QString &folder, const QString &key, const QString &code)
{
    auto users = db::Database::open(datafolder::usersDatabase(folder), key);
    usersupgrade::upgradeUsersFile(*users);
    admincode::set(*users, code);
    auditlog::record(*users, QStringLiteral("kelvora-newdb"), workstation::machineName(),
                     auditlog::action::AdministratorCodeSet);
}

int restoreBackup(QCommandLineParser &p)
{
    const QStringList args = p.positionalArguments();
    if (args.size() != 2)
        p.showHelp(2);
    const QString folder = datafolder::normalise(args[0]);
    const backup::RestoreResult r = backup::restore(folder, datafolder::normalise(args[1]), globals().DbPassword);
    if (!r.ok) {
        std::fprintf(stderr, "kelvora-newdb: nothing restored: %s\n", qPrintable(r.error));
        return 1;
    }
    std::printf("restored %s and %s from %s\n", qPrintable(datafolder::mainDatabase(folder)),
                qPrintable(datafolder::usersDatabase(folder)), qPrintable(args[1]));
    for (const QString &kept : r.keptFiles)
        std::printf("kept %s\n", qPrintable(kept));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Creates kelvora.mdb and mapcodes.mdb in an empty data folder."));
    p.addHelpOption();
    p.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("the data folder"));
    p.addOption({QStringLiteral("user"), QStringLiteral("a first user, with all three rights"), QStringLiteral("name")});
    p.addOption({QStringLiteral("password"), QStringLiteral("the first user's password"), QStringLiteral("password")});
    p.addOption({QStringLiteral("admin-code"),
                 QStringLiteral("the administrator code of this installation (asked twice when not given)"),
                 QStringLiteral("code")});
    p.addOption({QStringLiteral("reset-admin-code"),
                 QStringLiteral("only set a new administrator code in an existing data folder")});
    p.addOption({QStringLiteral("restore"),
                  QStringLiteral("put the backup folder BACKUP (FOLDER/backup/YYYY-MM-DD) back into FOLDER; "
                                 "the replaced files are kept beside them")});
    p.process(app);
    if (p.isSet(QStringLiteral("restore")))
        return restoreBackup(p);
    if (p.positionalArguments().size() != 1)
        p.showHelp(2);
    const QString folder = datafolder::normalise(p.positionalArguments().first());
    const QString key = globals().DbPassword;
    const bool resetOnly = p.isSet(QStringLiteral("reset-admin-code"));
    if (resetOnly && !QFile::exists(datafolder::usersDatabase(folder))) {
        std::fprintf(stderr, "kelvora-newdb: %s not found\n", qPrintable(datafolder::usersDatabase(folder)));
        return 1;
    }
    const QString code = administratorCode(p);
    if (code.isEmpty())
        return 2;
    try {
        if (resetOnly) {
            setAdministratorCode(folder, key, code);
            std::printf("administrator code set in %s\n", qPrintable(datafolder::usersDatabase(folder)));
            return 0;
        }
        newinstall::createDatabases(folder, key);
        setAdministratorCode(folder, key, code);
        if (p.isSet(QStringLiteral("user"))) {
            auto users = db::Database::open(datafolder::usersDatabase(folder), key);
            newinstall::addUser(*users, {p.value(QStringLiteral("user")), p.value(QStringLiteral("password"))});
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "kelvora-newdb: %s\n", e.what());
        return 1;
    }
    std::printf("created %s and %s\n", qPrintable(datafolder::mainDatabase(folder)),
                qPrintable(datafolder::usersDatabase(folder)));
    return 0;
}
