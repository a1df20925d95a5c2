#include "LoginSearch.h"

#include "data/AppGlobals.h"
#include "data/UserPasswords.h"
#include "platform/db/Database.h"
#include "platform/db/Transaction.h"

namespace login {
namespace {

// Stores a new hash of the typed password in place of one found in clear or
// made at a lower cost, unless another workstation replaced it meanwhile.
void hashInPlace(db::Database &users, qint64 rowId, const QString &plain, const QString &typed)
{
    const QString hashed = userpassword::forStorage(typed);
    db::Transaction t(users);
    users.execute(QStringLiteral("UPDATE codes SET upass = ?1 WHERE rowid = ?2 AND upass = ?3"), hashed, rowId, plain);
    t.commit();
}

} // namespace

bool isAdministratorName(const QString &name)
{
    return name.toLower() == QLatin1String("rootdesk");
}

std::optional<UserRow> findUser(db::Database &users, const QString &name, const QString &password)
{
    db::Statement st = users.prepare(
        QStringLiteral("SELECT rowid, uname, upass, dikaivma_eggrafes, dikaivma_klhsimo, dikaivma_kvdikoi FROM codes "
                       "WHERE uname = ?1 COLLATE GREEKCI AND upass IS NOT NULL ORDER BY rowid"));
    st.bind(1, name);
    while (st.next()) {
        const QString stored = st.text(2);
        if (!userpassword::matches(password, stored))
            continue;
        UserRow user{st.integer(0), st.text(1), QString(), st.flag(3), st.flag(4), st.flag(5)};
        st.reset();
        if (userpassword::needsRehashing(stored))
            hashInPlace(users, user.rowId, stored, password);
        return user;
    }
    return std::nullopt;
}

bool isUserName(db::Database &users, const QString &name)
{
    return users.scalar(QStringLiteral("SELECT 1 FROM codes WHERE uname = ?1 COLLATE GREEKCI LIMIT 1"), name).isValid();
}

QString cutAtNul(const QString &name)
{
    const qsizetype nul = name.indexOf(QChar(u'\0'));
    return nul < 0 ? name : name.left(nul);
}

void applyLogin(const UserRow &user, const QString &netUserName, const QString &machineName, AppGlobals &g)
{
    g.CurrentUserName = user.name;
    g.CurrentUserPassword.clear();
    g.RightChangeRecords = user.changeRecords;
    g.RightCloseCash = user.closeCash;
    g.RightGroupsCodes = user.groupsCodes;
    g.NetUserName = cutAtNul(netUserName);
    g.MachineName = cutAtNul(machineName);
}

} // namespace login
