#pragma once

#include "ColumnFit.h"
#include "ReportInput.h"
#include "platform/regional/Money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <functional>

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

// Cheque movements of the range, newest day first, by code within a day and
// in booking order within a code; each is handed to `sink` as it is read (a
// report stops the reading by throwing).
struct ChequeRow
{
    QDate hmeromhnia;
    qint64 kvdikos = 0;
    QString perigrafh;
    Money esoda, ejoda, memo;
};
using ChequeSink = std::function<void(const ChequeRow &)>;
void readCheques(db::Database &db, const QDate &start, const QDate &end, const ChequeSink &sink);

// Whether the range has a cheque movement.
bool anyCheques(db::Database &db, const QDate &start, const QDate &end);

// What the cheque list of the range prints at most: its number of rows and,
// per amount column, the largest figure (from the index, before the rows).
struct ChequeFigures
{
    qint64 count = 0;
    ColumnFigure memo, income, expense;
};
ChequeFigures readChequeFigures(db::Database &db, const QDate &start, const QDate &end);

// One row for each day, income amount and expense amount among the cheque
// movements of the range, with the sum of their memo amounts; by day, then
// income, then expense; handed to `sink` as read.
struct ChequeSumRow
{
    QDate hmeromhnia;
    Money synolo;
};
using ChequeSumSink = std::function<void(const ChequeSumRow &)>;
void readChequeSums(db::Database &db, const QDate &start, const QDate &end, const ChequeSumSink &sink);

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
