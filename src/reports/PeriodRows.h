#pragma once

#include "ReportInput.h"
#include "platform/regional/Money.h"

#include <QDate>
#include <QList>
#include <QString>

namespace db { class Database; }

namespace reports {

// The rows behind the period lists, the cheque reports and the code list,
// read with every date bound. A missing memo amount reads as 0.

// tameio rows of the range, newest day first.
struct CashDayRow
{
    QDate hmeromhnia;
    Money esoda, ejoda, ypoloipo;
};
QList<CashDayRow> readCashDays(db::Database &db, const QDate &start, const QDate &end);

// Cheque movements of the range, newest day first and by code within a day.
struct ChequeRow
{
    QDate hmeromhnia;
    qint64 kvdikos = 0;
    QString perigrafh;
    Money esoda, ejoda, memo;
};
QList<ChequeRow> readCheques(db::Database &db, const QDate &start, const QDate &end);

// One row for each day, income amount and expense amount among the cheque
// movements of the range, with the sum of their memo amounts; by day, then
// income, then expense.
struct ChequeSumRow
{
    QDate hmeromhnia;
    Money synolo;
};
QList<ChequeSumRow> readChequeSums(db::Database &db, const QDate &start, const QDate &end);

// Every closed day (mapcodes.mdb), oldest first.
QList<QDate> readClosedDays(db::Database &users);

// The code list in the chosen order, all codes or only the active ones.
// Description and group name sort as users read them, without regard to case
// or accents; codes of one description or group follow by number.
struct CodeListRow
{
    qint64 kvdikos = 0;
    QString perigrafh;
    QString omada;
};
QList<CodeListRow> readCodeList(db::Database &db, const SortChoice &choice);

} // namespace reports
