#pragma once

#include <QDate>
#include <QString>

// The days a movement may be booked on. A booking moves the balance of every
// later day, so a slip in the year (01-01-0001, 31-12-9999) would move the
// whole book: days before 1900 or more than a year after today are refused.
namespace cashbook {

QDate firstBookingDay();
QDate lastBookingDay(const QDate &today);

// Empty when the day may be booked on; otherwise the message that says why not.
QString bookingDayRefusal(const QDate &day, const QDate &today);

// Shows the refusal (title "Λάθος στην ημερομηνία"); true when the day may be booked on.
bool checkBookingDay(const QDate &day, const QDate &today);

} // namespace cashbook
