#include "Store.h"

#include "DataFolder.h"

Store::Store(QString dataPath, QString key) : m_dataPath(std::move(dataPath)), m_key(std::move(key)) {}

db::Database &Store::main()
{
    if (!m_main)
        m_main = db::Database::open(datafolder::mainDatabase(m_dataPath), m_key);
    return *m_main;
}

db::Database &Store::users()
{
    if (!m_users)
        m_users = db::Database::open(datafolder::usersDatabase(m_dataPath), m_key);
    return *m_users;
}

void Store::checkTables()
{
    for (const char *t : {"taytothta", "kvdikoi", "omades", "kinhseis", "tameio"})
        main().requireTable(QString::fromLatin1(t));
    for (const char *t : {"codes", "KlhsimoTameioy"})
        users().requireTable(QString::fromLatin1(t));
}
