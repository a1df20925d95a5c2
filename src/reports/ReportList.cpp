#include "ReportList.h"

#include "platform/desktop/Messages.h"
#include "platform/regional/Clock.h"
#include "platform/regional/GreekFormats.h"

namespace reports {

QList<ReportEntry> reportEntries()
{
    // The first nine texts are the program's own, blanks and spelling included.
    return {
        {QStringLiteral("  1 Ταμείο ημέρας"), 1},
        {QStringLiteral("  2 Κωδικοί κίνησης "), 2},
        {QStringLiteral("  3 Συνοπτικό ταμείο από ... εως"), 3},
        {QStringLiteral("  4 Σύνολο ανα κωδικό"), 4},
        {QStringLiteral("  5 Συνολο ανα ομάδα"), 5},
        {QStringLiteral("  6 Κατάσταση"), 6},
        {QStringLiteral("  7 Επιταγές"), 7},
        {QStringLiteral("  8 Ανάλυση ταμείου ημέρας "), 8},
        {QStringLiteral("  9 Ταμεία που δεν έχουν κλήσει !"), 9},
        // Two-digit numbers keep the column: one blank before, so the title
        // (from the fourth character) starts with a blank like the others.
        {QStringLiteral(" 10 Διαγράμματα ταμείου από ... έως"), 10},
    };
}

QString reportTitle(const QString &entryText) { return entryText.mid(3); }

bool checkReportStart(bool entrySelected, const QString &fromText, const QString &toText)
{
    if (!entrySelected) {
        msg::information(QStringLiteral("Προσοχή"), QStringLiteral("Δεν έχετε επιλέξει την εκτύπωση"));
        return false;
    }
    const QDate today = Clock::today();
    if (!regional::parseDate(fromText, today) || !regional::parseDate(toText, today)) {
        msg::information(QStringLiteral("Προσοχ'η στην ημερομηνία"), QStringLiteral("Η ημερομηνία είναι λάθος"));
        return false;
    }
    return true;
}

} // namespace reports
