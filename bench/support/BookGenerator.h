#pragma once

#include <QDate>
#include <QString>

// A realistic cash book for benchmarks: ten years of working days with about
// forty movements a day, 60 codes in 8 groups, the older days closed and a few
// users. It is a fixture, written in bulk in one transaction, not through the
// cash book's operations; its tameio rows still follow the balance rule (each
// row's ypoloipo = the previous row's + that day's income - expense).
namespace benchsupport {

struct BookSize
{
    QDate firstDay = QDate(2016, 1, 4);
    int years = 10;
    int movementsPerDay = 40;     // on average
    unsigned seed = 20160104;
    // Every amount multiplied by this: 2000 gives totals of twelve digits on
    // a book of 150.000 movements, each movement still within 999.999.999,99.
    qint64 amountScale = 1;
};

struct GeneratedBook
{
    QDate firstDay;
    QDate lastDay;
    int days = 0;
    int movements = 0;
    int codes = 0;
    int closedDays = 0;
};

// Creates the databases in the folder (which must not hold any) and fills them.
GeneratedBook generateBook(const QString &dataFolder, const BookSize &size = BookSize());

} // namespace benchsupport
