#pragma once

#include <QDate>

// "Today" for the whole program. Tests set it so that start-up, the month
// range of the reports and the bulk closing of days are reproducible.
namespace Clock {
QDate today();
void setToday(const QDate &date); // an invalid date returns to the real clock
}
