#include "UsersFileUpgrade.h"

#include "Store.h"
#include "UserPasswords.h"
#include "platform/db/Database.h"
#include "platform/db/Transaction.h"

#include <QDebug>
#include <QList>
#include <utility>

namespace usersupgrade {
namespace {

void createSecurityTables(db::Database &users)
{
    users.executeScript(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS diaxeirisths (kvdikos TEXT);"
        "CREATE TABLE IF NOT EXISTS katagrafh ("
        "  aa INTEGER PRIMARY KEY AUTOINCREMENT,"
        "  xronos TEXT,"
        "  xrhsths TEXT,"
        "  stathmos TEXT,"
        "  energeia TEXT);"));
}

void hashPlainPasswords(db::Database &users)
{
    QList<std::pair<qint64, QString>> plain;
    db::Statement st = users.prepare(QStringLiteral("SELECT rowid, upass FROM codes WHERE upass IS NOT NULL"));
    while (st.next())
        if (userpassword::needsHashing(st.text(1)))
            plain.append({st.integer(0), st.text(1)});
    for (const auto &[rowId, password] : plain)
        users.execute(QStringLiteral("UPDATE codes SET upass = ?1 WHERE rowid = ?2"),
                      userpassword::forStorage(password), rowId);
}

void toUsersVersion1(db::Database &users)
{
    db::Transaction t(users);
    createSecurityTables(users);
    hashPlainPasswords(users);
    users.executeScript(QStringLiteral("PRAGMA user_version = 1;"));
    t.commit();
}

} // namespace

int usersVersion(db::Database &users)
{
    return int(users.scalar(QStringLiteral("PRAGMA user_version")).toLongLong());
}

int upgradeUsersFile(db::Database &users)
{
    if (usersVersion(users) < 1)
        toUsersVersion1(users);
    return usersVersion(users);
}

void upgradeAtStart(Store &store)
{
    try {
        upgradeUsersFile(store.users());
    } catch (const db::DbError &e) {
        qWarning() << "users file not upgraded:" << e.message();
    }
}

} // namespace usersupgrade
