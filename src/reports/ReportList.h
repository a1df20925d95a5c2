#pragma once

#include <QList>
#include <QString>

namespace reports {

// An entry of List2(0) "Διαθέσιμες εκτυπώσεις": its text and its item data.
struct ReportEntry
{
    QString text;
    int number = 0;
};

// The entries, in order, with their leading and trailing blanks: the nine
// of old and the charts of the cash after them.
QList<ReportEntry> reportEntries();

// The report window's title: the entry text from its fourth character on
// (" Ταμείο ημέρας" for "  1 Ταμείο ημέρας", leading blank kept).
QString reportTitle(const QString &entryText);

// Report start: no entry selected -> "Δεν έχετε επιλέξει την εκτύπωση"; a bad
// date in either field -> "Η ημερομηνία είναι λάθος", for every report. Shows
// the message and returns false; true when the report may start.
bool checkReportStart(bool entrySelected, const QString &fromText, const QString &toText);

} // namespace reports
