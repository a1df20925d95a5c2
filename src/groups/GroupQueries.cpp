#include "GroupQueries.h"

#include "platform/db/Database.h"

namespace groups {
namespace {

GroupRow readGroup(const db::Statement &st)
{
    return {st.integer(0), st.text(1)};
}

} // namespace

QList<GroupRow> listGroups(db::Database &db)
{
    QList<GroupRow> rows;
    auto st = db.prepare(QStringLiteral("SELECT aa, perigrafh FROM omades ORDER BY aa"));
    while (st.next())
        rows << readGroup(st);
    return rows;
}

std::optional<GroupRow> groupById(db::Database &db, qint64 aa)
{
    auto st = db.prepare(QStringLiteral("SELECT aa, perigrafh FROM omades WHERE aa = ?1"));
    st.bind(1, aa);
    if (!st.next())
        return std::nullopt;
    return readGroup(st);
}

std::optional<GroupRow> findGroupByName(db::Database &db, const QString &name)
{
    auto st = db.prepare(
        QStringLiteral("SELECT aa, perigrafh FROM omades WHERE perigrafh = ?1 COLLATE GREEKCI ORDER BY aa LIMIT 1"));
    st.bind(1, name);
    if (!st.next())
        return std::nullopt;
    return readGroup(st);
}

} // namespace groups
