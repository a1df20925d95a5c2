#include "NewInstallation.h"

#include "data/AdministratorCode.h"
#include "data/DataFolder.h"
#include "data/FileModes.h"
#include "data/ServerBook.h"
#include "data/InUseMarker.h"
#include "data/Schema.h"
#include "data/ServerMarker.h"
#include "data/UserPasswords.h"
#include "data/UsersFileUpgrade.h"
#include "platform/db/Database.h"
#include "platform/db/Transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace newinstall {

namespace {

void refuse(const QString &why)
{
    throw db::DbError(db::DbError::Kind::Sql, why);
}

// A new data folder is made for its owner alone; one that exists already
// (a folder set up for a group) keeps its own mode.
void makeDataFolder(const QString &dataFolder)
{
    if (filemodes::isSymLink(dataFolder) && !QFileInfo(dataFolder).isDir())
        refuse(QStringLiteral("refusing to create the target of the link ") + dataFolder);
    if (QFileInfo(dataFolder).isDir())
        return;
    const QString parent = QFileInfo(dataFolder).absolutePath();
    if (!QDir().mkpath(parent) || ::mkdir(QFile::encodeName(dataFolder).constData(), S_IRWXU) != 0
        || ::chmod(QFile::encodeName(dataFolder).constData(), S_IRWXU) != 0)
        refuse(QStringLiteral("cannot create the folder ") + dataFolder);
}

// Both schemas and their tables; a failure midway takes back what was made.
void createServerBook(const QString &connection)
{
    const QString mainSchema = QString::fromLatin1(serverbook::MainSchema);
    const QString usersSchema = QString::fromLatin1(serverbook::UsersSchema);
    auto main = db::Database::createOnServer(connection, mainSchema);
    bool usersMade = false;
    try {
        schema::createMainTables(*main);
        ServerMarker::createTable(*main);
        auto users = db::Database::createOnServer(connection, usersSchema);
        usersMade = true;
        schema::createUsersTables(*users);
        users->executeScript(QStringLiteral("PRAGMA application_id = %1;").arg(admincode::MadeHereMark));
        usersupgrade::upgradeUsersFile(*users);
    } catch (...) {
        try {
            main->executeScript(QStringLiteral("DROP SCHEMA %1 CASCADE;").arg(mainSchema));
            if (usersMade)
                main->executeScript(QStringLiteral("DROP SCHEMA %1 CASCADE;").arg(usersSchema));
        } catch (const db::DbError &) {
            // The first failure is the one to report.
        }
        throw;
    }
}

} // namespace

void createDatabases(const QString &dataFolder, const QString &key)
{
    if (serverbook::isConnection(dataFolder)) {
        createServerBook(dataFolder);
        return;
    }
    const QString mainPath = datafolder::mainDatabase(dataFolder);
    const QString usersPath = datafolder::usersDatabase(dataFolder);
    const QString markerPath = datafolder::marker(dataFolder);
    // A name that is a link (even one pointing nowhere) is refused: the files
    // would be made wherever it points.
    for (const QString &p : {mainPath, usersPath, markerPath})
        if (filemodes::isSymLink(p))
            refuse(QStringLiteral("refusing the symbolic link ") + p);
    for (const QString &p : {mainPath, usersPath})
        if (QFile::exists(p))
            refuse(QStringLiteral("refusing to overwrite ") + p);
    makeDataFolder(dataFolder);
    const mode_t mode = filemodes::fileMode(dataFolder);
    try {
        auto main = db::Database::create(mainPath, key);
        if (!filemodes::setFileMode(mainPath, mode))
            refuse(QStringLiteral("cannot set the permissions of ") + mainPath);
        schema::createMainTables(*main);
        auto users = db::Database::create(usersPath, key);
        if (!filemodes::setFileMode(usersPath, mode))
            refuse(QStringLiteral("cannot set the permissions of ") + usersPath);
        schema::createUsersTables(*users);
        // Marked as made here: such a users file never takes the fixed
        // administrator code, even before its own code is set.
        users->executeScript(QStringLiteral("PRAGMA application_id = %1;").arg(admincode::MadeHereMark));
        usersupgrade::upgradeUsersFile(*users);
        // A free marker from the start: an empty one would never be taken
        // until someone unlocks it from the login window.
        if (!QFile::exists(markerPath) && !InUseMarker(markerPath).release(QString(), QString()))
            refuse(QStringLiteral("cannot write ") + markerPath);
    } catch (...) {
        QFile::remove(mainPath);
        QFile::remove(usersPath);
        throw;
    }
}

void addUser(db::Database &users, const NewUser &user)
{
    db::Transaction t(users);
    users.execute(QStringLiteral("INSERT INTO codes (uname, upass, dikaivma_eggrafes, dikaivma_klhsimo, dikaivma_kvdikoi) "
                                 "VALUES (?1, ?2, ?3, ?4, ?5)"),
                  user.name, userpassword::forStorage(user.password), user.changeRecords, user.closeCash, user.groupsCodes);
    t.commit();
}

} // namespace newinstall
