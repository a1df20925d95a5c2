#include "BookingDay.h"

#include "platform/desktop/Messages.h"
#include "platform/regional/GreekFormats.h"

namespace cashbook {

QDate firstBookingDay()
{
    return QDate(1900, 1, 1);
}

QDate lastBookingDay(const QDate &today)
{
    return today.addYears(1);
}

QString bookingDayRefusal(const QDate &day, const QDate &today)
{
    if (day >= firstBookingDay() && day <= lastBookingDay(today))
        return QString();
    return QStringLiteral("Η ημερομηνία ") + regional::formatDate(day)
        + QStringLiteral(" είναι έξω από τις ημέρες του ταμείου.\nΔεκτές είναι από ")
        + regional::formatDate(firstBookingDay()) + QStringLiteral(" έως ")
        + regional::formatDate(lastBookingDay(today)) + QLatin1Char('.');
}

bool checkBookingDay(const QDate &day, const QDate &today)
{
    const QString refusal = bookingDayRefusal(day, today);
    if (refusal.isEmpty())
        return true;
    msg::information(QStringLiteral("Λάθος στην ημερομηνία"), refusal);
    return false;
}

} // namespace cashbook
