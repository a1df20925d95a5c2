// kelvora-newdb: creates the two empty databases of a new installation, or
// puts back a backup taken at a day's close.
//   kelvora-newdb FOLDER [--user NAME --password PASSWORD]
//   kelvora-newdb --restore FOLDER BACKUP

#include "NewInstallation.h"
#include "data/Backup.h"
#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "platform/db/Database.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace {

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
    try {
        newinstall::createDatabases(folder, key);
        if (p.isSet(QStringLiteral("user"))) {
            auto users = db::Database::open(datafolder::usersDatabase(folder), key);
            newinstall::addUser(*users, {p.value(QStringLiteral("user")), p.value(QStringLiteral("password"))});
        }
    } catch (const db::DbError &e) {
        std::fprintf(stderr, "kelvora-newdb: %s\n", e.what());
        return 1;
    }
    std::printf("created %s and %s\n", qPrintable(datafolder::mainDatabase(folder)),
                qPrintable(datafolder::usersDatabase(folder)));
    return 0;
}
