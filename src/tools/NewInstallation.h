#pragma once

#include <QString>

namespace db {
class Database;
}

// Sets up the data folder of a new installation.
namespace newinstall {

// Creates kelvora.mdb and mapcodes.mdb with every table and index, the version
// table empty so that the first start walks the schema forward, and a free
// in-use marker. A missing folder is made for its owner only; the files are
// no wider than the folder gives its group (filemodes). The users file is
// marked as made here, so it never accepts the fixed administrator code.
// Throws db::DbError and touches nothing when either file already exists or
// any of the three names is a symbolic link.
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
