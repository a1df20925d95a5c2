#include "GroupCardData.h"

#include "platform/db/Database.h"
#include "platform/db/Statement.h"

namespace reports {

namespace {

// The movement number belongs to the distinct row: the join with the codes
// repeats each movement once per code of its group, and DISTINCT removes those
// repeats, but without the number it would also merge two movements that
// happen to look alike (same code, day, text and amount), and the column
// total would miss one of them.
// The chosen group numbers travel as one bound text ",3,7," so that any
// number of groups needs no more than three parameters.
const QString ColumnQuery = QStringLiteral(
    "select DISTINCT kinhseis.aa, kinhseis.kvdikos, kinhseis.hmeromhnia, kinhseis.perigrafh, "
    "kinhseis.esoda, kinhseis.ejoda, kinhseis.aa_omada, kvdikoi.aa_omadas, kvdikoi.omada "
    "from kinhseis inner join kvdikoi on kinhseis.aa_omada=kvdikoi.aa_omadas "
    "where hmeromhnia between ?1 and ?2 and instr(?3, ',' || kinhseis.aa_omada || ',') > 0 "
    "order by kvdikoi.omada, kinhseis.kvdikos, kinhseis.hmeromhnia desc");

QString numberList(const QList<qint64> &numbers)
{
    QString out = QStringLiteral(",");
    for (const qint64 n : numbers)
        out += QString::number(n) + QLatin1Char(',');
    return out;
}

} // namespace

GroupCardColumns readGroupCard(db::Database &db, const QDate &start, const QDate &end,
                               const std::array<groups::ColumnChoice, groups::GroupColumnCount> &choices)
{
    GroupCardColumns columns;
    for (int i = 0; i < groups::GroupColumnCount; ++i) {
        GroupCardColumn &column = columns[i];
        column.heading = choices[i].heading;
        const QList<qint64> &numbers = choices[i].groups;
        if (numbers.isEmpty())
            continue;
        column.chosen = true;
        db::Statement st = db.prepare(ColumnQuery);
        st.bindAll(start, end, numberList(numbers));
        while (st.next())
            column.lines.append({st.text(QStringLiteral("perigrafh")),
                                 st.money(QStringLiteral("esoda")) + st.money(QStringLiteral("ejoda"))});
    }
    return columns;
}

} // namespace reports
