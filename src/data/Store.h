#pragma once

#include "platform/db/Database.h"

#include <QList>
#include <memory>

// The two databases of a data folder. Each file is opened on first use and
// then kept for the whole run: opening derives the key, which is costly.
//
// Every file is checked at open (SQLite's page-level quick check). A damaged
// file stays open for reading only, so nothing more is written into it, and is
// listed in damagedFiles() for the program to tell the user.
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

    struct Damage
    {
        QString file;    // the full path
        QString problem; // what the check found
    };
    const QList<Damage> &damagedFiles() const { return m_damaged; }
    // The damaged files found since the last call, so each is reported once.
    QList<Damage> takeNewDamage();

private:
    std::unique_ptr<db::Database> openChecked(const QString &path);

    QString m_dataPath;
    QString m_key;
    std::unique_ptr<db::Database> m_main;
    std::unique_ptr<db::Database> m_users;
    QList<Damage> m_damaged;
    qsizetype m_damageTaken = 0;
};
