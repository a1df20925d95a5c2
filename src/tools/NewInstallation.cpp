#include "NewInstallation.h"

#include "data/DataFolder.h"
#include "data/InUseMarker.h"
#include "data/Schema.h"
#include "data/UserPasswords.h"
#include "data/UsersFileUpgrade.h"
#include "platform/db/Database.h"
#include "platform/db/Transaction.h"

#include <QDir>
#include <QFile>

namespace newinstall {

void createDatabases(const QString &dataFolder, const QString &key)
{
    const QString mainPath = datafolder::mainDatabase(dataFolder);
    const QString usersPath = datafolder::usersDatabase(dataFolder);
    for (const QString &p : {mainPath, usersPath})
        if (QFile::exists(p))
            throw db::DbError(db::DbError::Kind::Sql, QStringLiteral("refusing to overwrite ") + p);
    QDir().mkpath(dataFolder);
    try {
        auto main = db::Database::create(mainPath, key);
        schema::createMainTables(*main);
        auto users = db::Database::create(usersPath, key);
        schema::createUsersTables(*users);
        usersupgrade::upgradeUsersFile(*users);
        // A free marker from the start: an empty one would never be taken
        // until someone unlocks it from the login window.
        if (!QFile::exists(datafolder::marker(dataFolder)))
            InUseMarker(datafolder::marker(dataFolder)).release(QString(), QString());
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
