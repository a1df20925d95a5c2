#include "PeriodRows.h"

#include "platform/db/Database.h"

namespace reports {

QList<CashDayRow> readCashDays(db::Database &db, const QDate &start, const QDate &end)
{
    db::Statement st = db.prepare(QStringLiteral(
        "SELECT hmeromhnia, esoda_hmeras, ejoda_hmeras, ypoloipo FROM tameio"
        " WHERE hmeromhnia BETWEEN ?1 AND ?2 ORDER BY hmeromhnia DESC"));
    st.bindAll(start, end);
    QList<CashDayRow> rows;
    while (st.next())
        rows << CashDayRow{st.date(0), st.money(1), st.money(2), st.money(3)};
    return rows;
}

QList<ChequeRow> readCheques(db::Database &db, const QDate &start, const QDate &end)
{
    db::Statement st = db.prepare(QStringLiteral(
        "SELECT hmeromhnia, kvdikos, perigrafh, esoda, ejoda, IFNULL(L_tajeos, 0) FROM kinhseis"
        " WHERE hmeromhnia BETWEEN ?1 AND ?2 AND epitagh = -1 ORDER BY hmeromhnia DESC, kvdikos, aa"));
    st.bindAll(start, end);
    QList<ChequeRow> rows;
    while (st.next())
        rows << ChequeRow{st.date(0), st.integer(1), st.text(2), st.money(3), st.money(4), st.money(5)};
    return rows;
}

QList<ChequeSumRow> readChequeSums(db::Database &db, const QDate &start, const QDate &end)
{
    // The conditions are on grouped fields, so they filter the movements
    // before grouping; the groups are those of the old summary.
    db::Statement st = db.prepare(QStringLiteral(
        "SELECT hmeromhnia, SUM(IFNULL(L_tajeos, 0)) FROM kinhseis"
        " WHERE hmeromhnia BETWEEN ?1 AND ?2 AND epitagh = -1"
        " GROUP BY hmeromhnia, esoda, ejoda, epitagh ORDER BY hmeromhnia, esoda, ejoda"));
    st.bindAll(start, end);
    QList<ChequeSumRow> rows;
    while (st.next())
        rows << ChequeSumRow{st.date(0), st.money(1)};
    return rows;
}

QList<QDate> readClosedDays(db::Database &users)
{
    db::Statement st = users.prepare(QStringLiteral(
        "SELECT Hmeraklhsimatos FROM KlhsimoTameioy ORDER BY Hmeraklhsimatos"));
    QList<QDate> days;
    while (st.next())
        days << st.date(0);
    return days;
}

QList<CodeListRow> readCodeList(db::Database &db, const SortChoice &choice)
{
    // The sort field is one of three fixed texts, never typed.
    const QString orderBy = choice.order == SortChoice::ByDescription ? QStringLiteral("perigrafh COLLATE GREEKCI, kvdikos")
                            : choice.order == SortChoice::ByGroup     ? QStringLiteral("omada COLLATE GREEKCI, kvdikos")
                                                                      : QStringLiteral("kvdikos");
    db::Statement st = db.prepare(QStringLiteral("SELECT kvdikos, perigrafh, omada FROM kvdikoi")
                                  + (choice.onlyActive ? QStringLiteral(" WHERE energos = -1") : QString())
                                  + QStringLiteral(" ORDER BY ") + orderBy);
    QList<CodeListRow> rows;
    while (st.next())
        rows << CodeListRow{st.integer(0), st.text(1), st.text(2)};
    return rows;
}

} // namespace reports
