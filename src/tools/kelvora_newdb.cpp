// kelvora-newdb: creates the two empty databases of a new installation, sets
// the administrator code, or puts back a backup taken at a day's close.
//   kelvora-newdb FOLDER [--user NAME [--password PASSWORD | --password-stdin]]
//                        [--admin-code CODE | --admin-code-stdin]
//   kelvora-newdb FOLDER --reset-admin-code [--admin-code CODE | --admin-code-stdin]
//   kelvora-newdb --restore FOLDER BACKUP
// A code or password not given is asked twice, hidden, on the terminal (read
// as two lines when standard input is not a terminal). The --...-stdin forms
// read it once, one line each, the code before the password.

#include "BookCopy.h"
#include "NewInstallation.h"
#include "data/AdministratorCode.h"
#include "data/AppGlobals.h"
#include "data/AuditLog.h"
#include "data/DataFolder.h"
#include "data/Restore.h"
#include "data/ServerBook.h"
#include "data/Store.h"
#include "data/UsersFileUpgrade.h"
#include "platform/db/Database.h"
#include "platform/desktop/WorkstationNames.h"
#include "platform/security/SecretText.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <openssl/crypto.h>
#include <optional>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

const QString UserOption = QStringLiteral("user");
const QString PasswordOption = QStringLiteral("password");
const QString PasswordStdinOption = QStringLiteral("password-stdin");
const QString CodeOption = QStringLiteral("admin-code");
const QString CodeStdinOption = QStringLiteral("admin-code-stdin");
const QString ResetOption = QStringLiteral("reset-admin-code");
const QString RestoreOption = QStringLiteral("restore");
const QString CopyOption = QStringLiteral("copy-from");

constexpr int UsageError = 2;

// The terminal as it was before echo was switched off, put back should the
// tool be interrupted at a hidden prompt (else the shell would stay silent).
termios g_savedTerminal{};

void restoreTerminalAndDie(int sig)
{
    tcsetattr(STDIN_FILENO, TCSANOW, &g_savedTerminal);
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// One line from standard input, not echoed when it is a terminal; nothing at
// the end of the input.
std::optional<QString> readLine(const char *prompt, bool hidden)
{
    const bool terminal = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &g_savedTerminal) == 0;
    if (terminal) {
        std::fprintf(stderr, "%s", prompt);
        std::fflush(stderr);
    }
    const bool quiet = terminal && hidden;
    if (quiet) {
        for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
            std::signal(sig, restoreTerminalAndDie);
        termios noEcho = g_savedTerminal;
        noEcho.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &noEcho);
    }
    std::string line;
    const bool read = bool(std::getline(std::cin, line));
    if (quiet) {
        tcsetattr(STDIN_FILENO, TCSANOW, &g_savedTerminal);
        for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
            std::signal(sig, SIG_DFL);
        std::fprintf(stderr, "\n");
    }
    if (!read)
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    QString text = QString::fromStdString(line);
    OPENSSL_cleanse(line.data(), line.size());
    return text;
}

void refuse(const QString &why)
{
    std::fprintf(stderr, "kelvora-newdb: %s\n", qPrintable(why));
}

// A secret from the option, from one line of standard input, or asked twice.
// Nothing when the input ended or the two answers differ (told why).
std::optional<QString> secretFrom(const QCommandLineParser &p, const QString &option, const QString &stdinOption,
                                  const QString &what)
{
    if (p.isSet(option))
        return p.value(option);
    if (p.isSet(stdinOption)) {
        std::optional<QString> line = readLine("", true);
        if (!line)
            refuse(what + QStringLiteral(": nothing on standard input"));
        return line;
    }
    std::optional<QString> first = readLine(qPrintable(what + QStringLiteral(": ")), true);
    std::optional<QString> again = first ? readLine(qPrintable(what + QStringLiteral(" again: ")), true) : std::nullopt;
    if (!first || !again) {
        refuse(what + QStringLiteral(": the input ended before it was given twice"));
        return std::nullopt;
    }
    if (*first != *again) {
        secret::wipe(*first);
        secret::wipe(*again);
        refuse(what + QStringLiteral(": the two entries differ"));
        return std::nullopt;
    }
    secret::wipe(*again);
    return first;
}

std::optional<QString> administratorCode(const QCommandLineParser &p)
{
    std::optional<QString> code = secretFrom(p, CodeOption, CodeStdinOption, QStringLiteral("administrator code"));
    if (!code)
        return std::nullopt;
    const QString refusal = admincode::refusal(*code, *code);
    if (!refusal.isEmpty()) {
        refuse(refusal);
        return std::nullopt;
    }
    return code;
}

// The first user's password; never empty (a user nobody has to know anything
// about would hold every right).
std::optional<QString> firstUserPassword(const QCommandLineParser &p)
{
    const QString name = p.value(UserOption);
    std::optional<QString> password =
        secretFrom(p, PasswordOption, PasswordStdinOption, QStringLiteral("password of ") + name);
    if (password && password->trimmed().isEmpty()) {
        refuse(QStringLiteral("the password of ") + name + QStringLiteral(" may not be empty"));
        return std::nullopt;
    }
    return password;
}

// Options that do not belong together, or that would be ignored, are refused
// before anything is asked or made. Empty text: the options are usable.
QString misuse(const QCommandLineParser &p)
{
    const bool restoring = p.isSet(RestoreOption);
    if (p.isSet(CopyOption)) {
        if (restoring || p.isSet(ResetOption) || p.isSet(UserOption) || p.isSet(PasswordOption)
            || p.isSet(PasswordStdinOption) || p.isSet(CodeOption) || p.isSet(CodeStdinOption))
            return QStringLiteral("--copy-from takes no other option: the book keeps its users and code");
        if (p.positionalArguments().size() != 1 || !serverbook::isConnection(p.positionalArguments().first()))
            return QStringLiteral("--copy-from FOLDER needs one server connection to copy to");
        return QString();
    }
    const bool resetting = p.isSet(ResetOption);
    const bool userPart = p.isSet(UserOption) || p.isSet(PasswordOption) || p.isSet(PasswordStdinOption);
    if (restoring && (resetting || userPart || p.isSet(CodeOption) || p.isSet(CodeStdinOption)))
        return QStringLiteral("--restore takes no other option");
    if (resetting && userPart)
        return QStringLiteral("--reset-admin-code takes no user or password");
    if ((p.isSet(PasswordOption) || p.isSet(PasswordStdinOption)) && !p.isSet(UserOption))
        return QStringLiteral("a password needs --user NAME");
    if (p.isSet(PasswordOption) && p.isSet(PasswordStdinOption))
        return QStringLiteral("give the password either with --password or with --password-stdin");
    if (p.isSet(CodeOption) && p.isSet(CodeStdinOption))
        return QStringLiteral("give the code either with --admin-code or with --admin-code-stdin");
    if (p.isSet(UserOption) && p.value(UserOption).trimmed().isEmpty())
        return QStringLiteral("--user needs a name");
    const qsizetype folders = p.positionalArguments().size();
    if (folders != (restoring ? 2 : 1))
        return restoring ? QStringLiteral("--restore needs FOLDER and BACKUP") : QStringLiteral("give one FOLDER");
    return QString();
}

void setAdministratorCode(const QString &folder, const QString &key, const QString &code)
{
    Store store(folder, key);
    db::Database *users = &store.users();
    usersupgrade::upgradeUsersFile(*users);
    admincode::set(*users, code);
    auditlog::record(*users, QStringLiteral("kelvora-newdb"), workstation::machineName(),
                     auditlog::action::AdministratorCodeSet);
}

int restoreBackup(const QCommandLineParser &p)
{
    const QStringList args = p.positionalArguments();
    const QString folder = datafolder::normalise(args[0]);
    const restore::Result r = restore::fromBackup(folder, datafolder::normalise(args[1]), globals().DbPassword);
    if (!r.ok) {
        refuse(QStringLiteral("nothing restored: ") + r.error);
        return 1;
    }
    std::printf("restored %s and %s from %s\n", qPrintable(datafolder::mainDatabase(folder)),
                qPrintable(datafolder::usersDatabase(folder)), qPrintable(args[1]));
    for (const QString &kept : r.keptFiles)
        std::printf("kept %s\n", qPrintable(kept));
    std::printf("Restart Kelvora on every workstation: a program left open still works on the replaced files.\n");
    return 0;
}

int createInstallation(const QCommandLineParser &p, const QString &folder, const QString &key)
{
    // On a server the schemas are looked for when they are made (an existing book is refused there).
    const QStringList files = serverbook::isConnection(folder)
                                  ? QStringList()
                                  : QStringList{datafolder::mainDatabase(folder), datafolder::usersDatabase(folder)};
    for (const QString &file : files) {
        if (QFileInfo(file).isSymLink()) {
            refuse(file + QStringLiteral(" is a symbolic link; nothing is made through it"));
            return 1;
        }
        if (QFileInfo::exists(file)) {
            refuse(file + QStringLiteral(" is already there; nothing is overwritten"));
            return 1;
        }
    }
    // Everything is asked and checked before the first file is made.
    std::optional<QString> code = administratorCode(p);
    if (!code)
        return UsageError;
    std::optional<QString> password;
    if (p.isSet(UserOption) && !(password = firstUserPassword(p)))
        return UsageError;
    try {
        newinstall::createDatabases(folder, key);
        setAdministratorCode(folder, key, *code);
        if (password) {
            Store store(folder, key);
            newinstall::addUser(store.users(), {p.value(UserOption).trimmed(), *password});
        }
    } catch (const std::exception &e) {
        refuse(QString::fromUtf8(e.what()));
        return 1;
    }
    secret::wipe(*code);
    if (password)
        secret::wipe(*password);
    std::printf("created %s and %s\n", qPrintable(datafolder::mainDatabase(folder)),
                qPrintable(datafolder::usersDatabase(folder)));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Creates kelvora.mdb and mapcodes.mdb in an empty data folder, or the book's two schemas in a server "
        "database when FOLDER is a connection (postgresql://host/db, service=name or key=value; no password).\n"
        "Values given on the command line can be seen by other users of this machine (in the process list): "
        "leave them out to be asked, or use the --...-stdin options."));
    p.addHelpOption();
    p.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("the data folder"));
    p.addOption({UserOption, QStringLiteral("a first user, with all three rights"), QStringLiteral("name")});
    p.addOption({PasswordOption, QStringLiteral("the first user's password (asked twice when not given)"),
                 QStringLiteral("password")});
    p.addOption(
        {PasswordStdinOption, QStringLiteral("read the first user's password from one line of standard input")});
    p.addOption({CodeOption, QStringLiteral("the administrator code of this installation (asked twice when not given)"),
                 QStringLiteral("code")});
    p.addOption({CodeStdinOption,
                 QStringLiteral("read the administrator code from one line of standard input (before the password)")});
    p.addOption({ResetOption, QStringLiteral("only set a new administrator code in an existing data folder")});
    p.addOption({CopyOption,
                 QStringLiteral("copy the book of the data folder FROM onto the server named by FOLDER (a connection "
                                "where no book is yet), checking both sides agree before saying done"),
                 QStringLiteral("from")});
    p.addOption(
        {RestoreOption, QStringLiteral("put the backup folder BACKUP (FOLDER/backup/YYYY-MM-DD) back into FOLDER; "
                                       "the replaced files are kept beside them")});
    p.process(app);
    if (const QString why = misuse(p); !why.isEmpty()) {
        refuse(why);
        return UsageError;
    }
    if (p.isSet(RestoreOption))
        return restoreBackup(p);

    const QString place = p.positionalArguments().first();
    const QString folder = serverbook::isConnection(place) ? place.trimmed() : datafolder::normalise(place);
    if (serverbook::holdsPassword(folder)) {
        refuse(QStringLiteral("no password in the connection: the server's .pgpass or service file supplies it"));
        return UsageError;
    }
    const QString key = globals().DbPassword;
    if (p.isSet(CopyOption)) {
        try {
            bookcopy::copyToServer(datafolder::normalise(p.value(CopyOption)), key, folder);
        } catch (const std::exception &e) {
            refuse(QStringLiteral("nothing copied: ") + QString::fromUtf8(e.what()));
            return 1;
        }
        std::printf("copied %s to %s; row counts, every day's totals, every code's sums and the balance chain "
                    "are equal on both sides\n",
                    qPrintable(p.value(CopyOption)), qPrintable(serverbook::describe(folder)));
        return 0;
    }
    if (!p.isSet(ResetOption))
        return createInstallation(p, folder, key);

    if (!serverbook::isConnection(folder) && !QFile::exists(datafolder::usersDatabase(folder))) {
        refuse(datafolder::usersDatabase(folder) + QStringLiteral(" not found"));
        return 1;
    }
    std::optional<QString> code = administratorCode(p);
    if (!code)
        return UsageError;
    try {
        setAdministratorCode(folder, key, *code);
    } catch (const std::exception &e) {
        refuse(QString::fromUtf8(e.what()));
        return 1;
    }
    secret::wipe(*code);
    std::printf("administrator code set in %s\n", qPrintable(datafolder::usersDatabase(folder)));
    return 0;
}
