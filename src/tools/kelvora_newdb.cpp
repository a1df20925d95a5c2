// kelvora-newdb: creates the two empty databases of a new installation.
//   kelvora-newdb FOLDER [--user NAME --password PASSWORD]

#include "NewInstallation.h"
#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "platform/db/Database.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Creates kelvora.mdb and mapcodes.mdb in an empty data folder."));
    p.addHelpOption();
    p.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("the data folder"));
    p.addOption({QStringLiteral("user"), QStringLiteral("a first user, with all three rights"), QStringLiteral("name")});
    p.addOption({QStringLiteral("password"), QStringLiteral("the first user's password"), QStringLiteral("password")});
    p.process(app);
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
