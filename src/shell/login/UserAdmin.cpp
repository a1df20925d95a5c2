#include "UserAdmin.h"

#include "data/UserPasswords.h"
#include "platform/db/Database.h"
#include "platform/db/Transaction.h"
#include "platform/desktop/Messages.h"

namespace login {
namespace {

bool blankAfterLeadingBlanks(const QString &text)
{
    return text.trimmed().isEmpty();
}

bool valuesComplete(const UserRow &values, bool passwordRequired)
{
    if (blankAfterLeadingBlanks(values.name) || (passwordRequired && blankAfterLeadingBlanks(values.password))) {
        msg::information(QStringLiteral("Προσοχή"),
                         QStringLiteral("Δεν έχετε δώσει το Ονομα του χρήστη ή το κωδικό του"));
        return false;
    }
    return true;
}

} // namespace

QList<UserRow> listUsers(db::Database &users)
{
    QList<UserRow> rows;
    db::Statement st = users.prepare(QStringLiteral(
        "SELECT rowid, uname, dikaivma_eggrafes, dikaivma_klhsimo, dikaivma_kvdikoi FROM codes ORDER BY rowid"));
    while (st.next())
        rows << UserRow{st.integer(0), st.text(1), QString(), st.flag(2), st.flag(3), st.flag(4)};
    return rows;
}

bool addUser(db::Database &users, const UserRow &values)
{
    if (!valuesComplete(values, true))
        return false;
    const QString hashed = userpassword::forStorage(values.password.trimmed());
    db::Transaction t(users);
    users.execute(
        QStringLiteral("INSERT INTO codes (uname, upass, dikaivma_eggrafes, dikaivma_klhsimo, dikaivma_kvdikoi) "
                       "VALUES (?1, ?2, ?3, ?4, ?5)"),
        values.name.trimmed(), hashed, values.changeRecords, values.closeCash, values.groupsCodes);
    t.commit();
    return true;
}

bool changeUser(db::Database &users, qint64 rowId, const UserRow &values)
{
    if (!valuesComplete(values, false))
        return false;
    const bool newPassword = !blankAfterLeadingBlanks(values.password);
    const QString hashed = newPassword ? userpassword::forStorage(values.password.trimmed()) : QString();
    db::Transaction t(users);
    const int changed = users.execute(
        QStringLiteral("UPDATE codes SET uname = ?1, dikaivma_eggrafes = ?2, dikaivma_klhsimo = ?3, "
                       "dikaivma_kvdikoi = ?4 WHERE rowid = ?5"),
        values.name.trimmed(), values.changeRecords, values.closeCash, values.groupsCodes, rowId);
    if (newPassword)
        users.execute(QStringLiteral("UPDATE codes SET upass = ?1 WHERE rowid = ?2"), hashed, rowId);
    t.commit();
    return changed > 0;
}

bool deleteUser(db::Database &users, qint64 rowId)
{
    if (!msg::confirmOkCancel(QStringLiteral("Διαγραφή χρήστη"), QStringLiteral("Να γίνει η διαγραφή του χρήστη; ")))
        return false;
    db::Transaction t(users);
    users.execute(QStringLiteral("DELETE FROM codes WHERE rowid = ?1"), rowId);
    t.commit();
    return true;
}

} // namespace login
