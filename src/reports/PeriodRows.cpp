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

namespace {

// The cheque movements of a range, ?1 to ?2. The index on cheque mark, day
// and amounts (schema::createReadIndexes) finds them without reading the
// other movements, and gives them by day.
const QString ChequesOfRange =
    QStringLiteral(" FROM kinhseis WHERE hmeromhnia BETWEEN ?1 AND ?2 AND epitagh = -1");

} // namespace

void readCheques(db::Database &db, const QDate &start, const QDate &end, const ChequeSink &sink)
{
    // Backwards along the index by day: only a day's rows are sorted (by code
    // and booking) before they are handed on, so the first rows come without
    // the whole range sorted first.
    db::Statement st = db.prepare(QStringLiteral("SELECT hmeromhnia, kvdikos, perigrafh, esoda, ejoda, IFNULL(L_tajeos, 0)")
                                  + ChequesOfRange + QStringLiteral(" ORDER BY hmeromhnia DESC, kvdikos, aa"));
    st.bindAll(start, end);
    while (st.next())
        sink(ChequeRow{st.date(0), st.integer(1), st.text(2), st.money(3), st.money(4), st.money(5)});
}

bool anyCheques(db::Database &db, const QDate &start, const QDate &end)
{
    return db.scalar(QStringLiteral("SELECT EXISTS (SELECT 1") + ChequesOfRange + u')', start, end).toLongLong() != 0;
}

ChequeFigures readChequeFigures(db::Database &db, const QDate &start, const QDate &end)
{
    // No amount the program books is negative; one edited into the book by
    // hand makes its column's figures bounded by the sum of magnitudes
    // rather than by the total, and gives them a minus sign.
    db::Statement st = db.prepare(
        QStringLiteral("SELECT COUNT(*), SUM(ABS(IFNULL(L_tajeos, 0))), SUM(ABS(esoda)), SUM(ABS(ejoda)),"
                       " MIN(IFNULL(L_tajeos, 0)), MIN(esoda), MIN(ejoda)")
        + ChequesOfRange);
    st.bindAll(start, end);
    ChequeFigures figures;
    if (!st.next())
        return figures;
    figures.count = st.integer(0);
    ColumnFigure *columns[] = {&figures.memo, &figures.income, &figures.expense};
    for (int c = 0; c < 3; ++c)
        *columns[c] = {st.money(1 + c), st.money(4 + c) < Money()};
    return figures;
}

void readChequeSums(db::Database &db, const QDate &start, const QDate &end, const ChequeSumSink &sink)
{
    // The conditions are on grouped fields, so they filter the movements
    // before grouping; the groups are those of the old summary. The cheque
    // mark is one value here, so ordering by it too changes nothing; it makes
    // the order the grouping's, which the index gives as the groups are made,
    // so no group waits for the whole range to be sorted.
    db::Statement st = db.prepare(QStringLiteral("SELECT hmeromhnia, SUM(IFNULL(L_tajeos, 0))") + ChequesOfRange
                                  + QStringLiteral(" GROUP BY hmeromhnia, esoda, ejoda, epitagh"
                                                   " ORDER BY hmeromhnia, esoda, ejoda, epitagh"));
    st.bindAll(start, end);
    while (st.next())
        sink(ChequeSumRow{st.date(0), st.money(1)});
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
