#include "UserAdmin.h"

#include "data/AuditLog.h"
#include "data/UserPasswords.h"
#include "platform/db/Database.h"
#include "platform/db/Transaction.h"
#include "platform/desktop/Messages.h"

#include <array>
#include <optional>

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

// The rights as the log row says them, in the order of the check boxes.
const QString RightNames[3] = {QStringLiteral("εγγραφές ταμείου"), QStringLiteral("κλείσιμο ταμείου"),
                               QStringLiteral("ομάδες και κωδικοί")};

QString yesNo(bool on)
{
    return on ? QStringLiteral("ναι") : QStringLiteral("όχι");
}

QString quoted(const QString &name)
{
    return QStringLiteral("«") + name + QStringLiteral("»");
}

std::array<bool, 3> rightsOf(const UserRow &row)
{
    return {row.changeRecords, row.closeCash, row.groupsCodes};
}

// "Νέος χρήστης «μαρία»: εγγραφές ταμείου ναι, κλείσιμο ταμείου όχι, ομάδες και κωδικοί ναι"
QString addedText(const UserRow &row)
{
    QStringList parts;
    const std::array<bool, 3> rights = rightsOf(row);
    for (size_t i = 0; i < rights.size(); ++i)
        parts << RightNames[i] + u' ' + yesNo(rights[i]);
    return auditlog::action::UserAdded + u' ' + quoted(row.name) + QStringLiteral(": ") +
           parts.join(QStringLiteral(", "));
}

// Only what changed; a new password is named, never written.
QString changedText(const UserRow &before, const UserRow &after, bool newPassword)
{
    QStringList parts;
    if (after.name != before.name)
        parts << QStringLiteral("όνομα ") + quoted(after.name);
    const std::array<bool, 3> was = rightsOf(before), now = rightsOf(after);
    for (size_t i = 0; i < was.size(); ++i)
        if (was[i] != now[i])
            parts << RightNames[i] + u' ' + yesNo(now[i]) + QStringLiteral(" (ήταν ") + yesNo(was[i]) + u')';
    if (newPassword)
        parts << QStringLiteral("νέος κωδικός");
    if (parts.isEmpty())
        parts << QStringLiteral("καμία αλλαγή");
    return auditlog::action::UserChanged + u' ' + quoted(before.name) + QStringLiteral(": ") +
           parts.join(QStringLiteral(", "));
}

std::optional<UserRow> readUser(db::Database &users, qint64 rowId)
{
    db::Statement st = users.prepare(QStringLiteral(
        "SELECT uname, dikaivma_eggrafes, dikaivma_klhsimo, dikaivma_kvdikoi FROM codes WHERE rowid = ?1"));
    st.bind(1, rowId);
    if (!st.next())
        return std::nullopt;
    return UserRow{rowId, st.text(0), QString(), st.flag(1), st.flag(2), st.flag(3)};
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

bool addUser(db::Database &users, const UserRow &values, const auditlog::Author &author)
{
    if (!valuesComplete(values, true))
        return false;
    const QString hashed = userpassword::forStorage(values.password.trimmed());
    UserRow added = values;
    added.name = values.name.trimmed();
    db::Transaction t(users);
    users.execute(
        QStringLiteral("INSERT INTO codes (uname, upass, dikaivma_eggrafes, dikaivma_klhsimo, dikaivma_kvdikoi) "
                       "VALUES (?1, ?2, ?3, ?4, ?5)"),
        added.name, hashed, added.changeRecords, added.closeCash, added.groupsCodes);
    auditlog::write(users, author, addedText(added));
    t.commit();
    return true;
}

bool changeUser(db::Database &users, qint64 rowId, const UserRow &values, const auditlog::Author &author)
{
    if (!valuesComplete(values, false))
        return false;
    const bool newPassword = !blankAfterLeadingBlanks(values.password);
    const QString hashed = newPassword ? userpassword::forStorage(values.password.trimmed()) : QString();
    UserRow after = values;
    after.name = values.name.trimmed();
    db::Transaction t(users);
    const std::optional<UserRow> before = readUser(users, rowId);
    if (!before)
        return false; // deleted meanwhile: nothing to change
    users.execute(QStringLiteral("UPDATE codes SET uname = ?1, dikaivma_eggrafes = ?2, dikaivma_klhsimo = ?3, "
                                 "dikaivma_kvdikoi = ?4 WHERE rowid = ?5"),
                  after.name, after.changeRecords, after.closeCash, after.groupsCodes, rowId);
    if (newPassword)
        users.execute(QStringLiteral("UPDATE codes SET upass = ?1 WHERE rowid = ?2"), hashed, rowId);
    auditlog::write(users, author, changedText(*before, after, newPassword));
    t.commit();
    return true;
}

bool deleteUser(db::Database &users, qint64 rowId, const auditlog::Author &author)
{
    if (!msg::confirmOkCancel(QStringLiteral("Διαγραφή χρήστη"), QStringLiteral("Να γίνει η διαγραφή του χρήστη; ")))
        return false;
    db::Transaction t(users);
    const std::optional<UserRow> gone = readUser(users, rowId);
    if (!gone)
        return true; // already deleted by another workstation: the list is refilled all the same
    users.execute(QStringLiteral("DELETE FROM codes WHERE rowid = ?1"), rowId);
    auditlog::write(users, author, auditlog::action::UserDeleted + u' ' + quoted(gone->name));
    t.commit();
    return true;
}

} // namespace login
