#include "DaysNotClosed.h"

#include "FrameStandIn.h"
#include "PeriodRows.h"
#include "data/Store.h"

#include <QSet>

namespace reports {

void daysNotClosed(pages::Engine &lumo, Store &store, const QDate &start, const QDate &end,
                   const std::function<bool(int)> &progress)
{
    // One query for all closed days; each day of the range is then looked up here.
    const QList<QDate> closedList = readClosedDays(store.users());
    applyPageFrame(lumo);
    lumo.setMarginLeft(QStringLiteral("2cm"));
    lumo.setHeader(QStringLiteral("|Ταμεία που δεν έχουν κλήσει ") + QStringLiteral("   ")
                   + globals().HeaderCaption);
    lumo.StartDoc();

    // With no day closed yet there is neither a first nor a last closed day:
    // every day of the range is listed.
    if (!closedList.isEmpty() && closedList.last() < end) {
        lumo.setParagraph(QStringLiteral("Τελευταία ημερομηνία ταμείου ") + regional::formatDate(closedList.last()));
        lumo.EndDoc();
        return;
    }
    if (!closedList.isEmpty() && closedList.first() > start) {
        lumo.setParagraph(QStringLiteral("Πρώτη ημερομηνία ταμείου ") + regional::formatDate(closedList.first()));
        lumo.EndDoc();
        return;
    }

    lumo.setFontSize(11);
    TableWriter table(lumo, QStringLiteral(">800|^1800|1800"), QStringLiteral("AA  |    Ημερομηνία | Ημ. εβδομάδος"),
                      pages::rgb(240, 220, 220), pages::rgb(220, 230, 190));
    table.open(QStringLiteral("|||"));
    const QSet<QDate> closed(closedList.cbegin(), closedList.cend());
    int number = 1;
    // The end day itself is not examined.
    for (QDate d = start; d < end; d = d.addDays(1)) {
        if (closed.contains(d))
            continue;
        table.row(QString::number(number++) + u'|' + regional::formatDate(d) + u'|' + regional::weekdayName(d));
        if (progress && !progress(lumo.PageCount()))
            break;
    }
    lumo.EndDoc();
}

} // namespace reports
