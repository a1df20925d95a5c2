#include "GroupCardData.h"

#include "platform/db/Database.h"
#include "platform/db/Statement.h"

namespace reports {

namespace {

// Movements are joined to their group's name through the distinct pairs of
// group number and name of the codes, so each movement is read once. (Joined
// to every code of its group, a movement came once per code, and the DISTINCT
// that removed those repeats also merged two movements that happen to look
// alike — same code, day, text and amount — so a column total missed one.)
// The chosen group numbers travel as one bound text ",3,7," so that any
// number of groups needs no more than three parameters.
const QString ColumnQuery = QStringLiteral(
    "select kinhseis.aa, kinhseis.kvdikos, kinhseis.hmeromhnia, kinhseis.perigrafh, "
    "kinhseis.esoda, kinhseis.ejoda, kinhseis.aa_omada, g.omada "
    "from kinhseis inner join (select DISTINCT aa_omadas, omada from kvdikoi) g "
    "on kinhseis.aa_omada=g.aa_omadas "
    "where hmeromhnia between ?1 and ?2 and instr(?3, ',' || kinhseis.aa_omada || ',') > 0 "
    "order by g.omada, kinhseis.kvdikos, kinhseis.hmeromhnia desc");

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
