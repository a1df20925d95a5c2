#include "Store.h"

#include "DataFolder.h"
#include "ServerBook.h"

Store::Store(QString dataPath, QString key) : m_dataPath(std::move(dataPath)), m_key(std::move(key)) {}

db::Database &Store::main()
{
    if (!m_main)
        m_main = openChecked(datafolder::mainDatabase(m_dataPath));
    return *m_main;
}

db::Database &Store::users()
{
    if (!m_users)
        m_users = openChecked(datafolder::usersDatabase(m_dataPath));
    return *m_users;
}

std::unique_ptr<db::Database> Store::openChecked(const QString &path)
{
    std::unique_ptr<db::Database> db = serverbook::isConnection(m_dataPath)
                                           ? db::Database::openOnServer(m_dataPath, path)
                                           : db::Database::open(path, m_key);
    QString problem;
    try {
        problem = db->quickCheck();
    } catch (const db::DbError &e) {
        if (e.kind() != db::DbError::Kind::Damaged)
            throw db::DbError(e).setFile(path);
        problem = e.message();
    }
    if (problem != QLatin1String("ok")) {
        db->setReadOnly(true);
        m_damaged.append({path, problem});
    }
    return db;
}

QList<Store::Damage> Store::takeNewDamage()
{
    const QList<Damage> fresh = m_damaged.mid(m_damageTaken);
    m_damageTaken = m_damaged.size();
    return fresh;
}

void Store::checkTables()
{
    // A file that cannot be opened says so before a table of the other is missed.
    main();
    users();
    for (const char *t : {"taytothta", "kvdikoi", "omades", "kinhseis", "tameio"})
        main().requireTable(QString::fromLatin1(t));
    for (const char *t : {"codes", "KlhsimoTameioy"})
        users().requireTable(QString::fromLatin1(t));
}
