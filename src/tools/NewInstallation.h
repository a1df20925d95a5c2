#pragma once

#include <QString>

namespace db {
class Database;
}

// Sets up the data folder of a new installation.
namespace newinstall {

// Creates kelvora.mdb and mapcodes.mdb with every table and index, the version
// table empty so that the first start walks the schema forward, and a free
// in-use marker. Throws
// db::DbError and touches nothing when either file already exists.
void createDatabases(const QString &dataFolder, const QString &key);

struct NewUser
{
    QString name;
    QString password;
    bool changeRecords = true;
    bool closeCash = true;
    bool groupsCodes = true;
};

void addUser(db::Database &users, const NewUser &user);

} // namespace newinstall
