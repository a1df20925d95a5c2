#include "AuditLog.h"

#include "platform/db/Database.h"
#include "platform/db/Transaction.h"

namespace auditlog {

void write(db::Database &users, const Author &author, const QString &what)
{
    const QString when = QDateTime::currentDateTime().toString(Qt::ISODate);
    users.execute(QStringLiteral("INSERT INTO katagrafh (xronos, xrhsths, stathmos, energeia) VALUES (?1, ?2, ?3, ?4)"),
                  when, author.user, author.workstation, what);
}

void record(db::Database &users, const QString &user, const QString &workstation, const QString &what)
{
    db::Transaction t(users);
    write(users, {user, workstation}, what);
    t.commit();
}

QList<Entry> recent(db::Database &users, int limit)
{
    QList<Entry> rows;
    db::Statement st = users.prepare(
        QStringLiteral("SELECT xronos, xrhsths, stathmos, energeia FROM katagrafh ORDER BY aa DESC LIMIT ?1"));
    st.bind(1, limit);
    while (st.next())
        rows << Entry{QDateTime::fromString(st.text(0), Qt::ISODate), st.text(1), st.text(2), st.text(3)};
    return rows;
}

} // namespace auditlog
