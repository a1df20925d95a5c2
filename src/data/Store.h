#pragma once

#include "platform/db/Database.h"

#include <memory>

// The two databases of a data folder. Each file is opened on first use and
// then kept for the whole run: opening derives the key, which is costly.
class Store
{
public:
    Store(QString dataPath, QString key);

    const QString &dataPath() const { return m_dataPath; }
    const QString &key() const { return m_key; }

    // kelvora.mdb: codes, groups, movements, days, version. Throws db::DbError.
    db::Database &main();
    // mapcodes.mdb: users and closed days. Throws db::DbError.
    db::Database &users();

    // Every table the program needs must be there (MissingTable otherwise).
    void checkTables();

private:
    QString m_dataPath;
    QString m_key;
    std::unique_ptr<db::Database> m_main;
    std::unique_ptr<db::Database> m_users;
};
