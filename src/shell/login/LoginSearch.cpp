#include "LoginSearch.h"

#include "data/AppGlobals.h"
#include "platform/db/Database.h"

namespace login {

bool isAdministratorEntry(const QString &name, const QString &password)
{
    return name.toLower() == QLatin1String("rootdesk") && password == QLatin1String("38627");
}

std::optional<UserRow> findUser(db::Database &users, const QString &name, const QString &password)
{
    db::Statement st = users.prepare(
        QStringLiteral("SELECT rowid, uname, upass, dikaivma_eggrafes, dikaivma_klhsimo, dikaivma_kvdikoi FROM codes "
                       "WHERE uname = ?1 COLLATE GREEKCI AND upass = ?2 COLLATE GREEKCI ORDER BY rowid LIMIT 1"));
    st.bindAll(name, password);
    if (!st.next())
        return std::nullopt;
    return UserRow{st.integer(0), st.text(1), st.text(2), st.flag(3), st.flag(4), st.flag(5)};
}

QString cutAtNul(const QString &name)
{
    const qsizetype nul = name.indexOf(QChar(u'\0'));
    return nul < 0 ? name : name.left(nul);
}

void applyLogin(const UserRow &user, const QString &netUserName, const QString &machineName, AppGlobals &g)
{
    g.CurrentUserName = user.name;
    g.CurrentUserPassword = user.password;
    g.RightChangeRecords = user.changeRecords;
    g.RightCloseCash = user.closeCash;
    g.RightGroupsCodes = user.groupsCodes;
    g.NetUserName = cutAtNul(netUserName);
    g.MachineName = cutAtNul(machineName);
}

} // namespace login
