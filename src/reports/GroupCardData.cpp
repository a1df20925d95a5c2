#include "GroupCardData.h"

#include "MovementRows.h"

#include "platform/db/Database.h"
#include "platform/db/Statement.h"

namespace reports {

namespace {

// Each movement is read once: it is joined to one name per group (see
// groupNamesTable), never to every code of its group. The chosen group
// numbers travel as one bound text ",3,7," so that any number of groups needs
// no more than three parameters.
QString columnQuery()
{
    return QStringLiteral(
               "select kinhseis.aa, kinhseis.kvdikos, kinhseis.hmeromhnia, kinhseis.perigrafh, "
               "kinhseis.esoda, kinhseis.ejoda, kinhseis.aa_omada, g.omada "
               "from kinhseis inner join ")
        + groupNamesTable()
        + QStringLiteral(" g on kinhseis.aa_omada=g.aa_omadas "
                         "where hmeromhnia between ?1 and ?2 and instr(?3, ',' || kinhseis.aa_omada || ',') > 0 "
                         "order by g.omada, kinhseis.kvdikos, kinhseis.hmeromhnia desc, kinhseis.aa");
}

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
        db::Statement st = db.prepare(columnQuery());
        st.bindAll(start, end, numberList(numbers));
        while (st.next())
            column.lines.append({st.text(QStringLiteral("perigrafh")),
                                 st.money(QStringLiteral("esoda")) + st.money(QStringLiteral("ejoda"))});
    }
    return columns;
}

} // namespace reports
