#include "DaysNotClosed.h"

#include "PageFrame.h"
#include "PeriodRows.h"
#include "ReportSteps.h"
#include "TableWriter.h"
#include "data/Store.h"
#include "platform/regional/GreekFormats.h"

#include <QSet>

namespace reports {

void daysNotClosed(pages::Engine &engine, Store &store, const ReportInput &input)
{
    // One query for all closed days; each day of the range is looked up here.
    const QList<QDate> closedList = readClosedDays(store.users());
    applyPageFrame(engine);
    engine.setMarginLeft(QStringLiteral("2cm"));
    engine.setHeader(QStringLiteral("|") + withCaption(input, QStringLiteral("Ταμεία που δεν έχουν κλήσει ")));
    engine.StartDoc();

    // With no day closed yet there is neither a first nor a last closed day:
    // every day of the range is listed.
    if (!closedList.isEmpty() && closedList.last() < input.to) {
        engine.setParagraph(QStringLiteral("Τελευταία ημερομηνία ταμείου ") + date(closedList.last()));
        engine.EndDoc();
        return;
    }
    if (!closedList.isEmpty() && closedList.first() > input.from) {
        engine.setParagraph(QStringLiteral("Πρώτη ημερομηνία ταμείου ") + date(closedList.first()));
        engine.EndDoc();
        return;
    }

    engine.setFontSize(11);
    TableWriter table(engine);
    table.open(QStringLiteral(">800|^1800|1800"), QStringLiteral("AA  |    Ημερομηνία | Ημ. εβδομάδος"),
               QStringLiteral("|||"), pages::rgb(240, 220, 220));
    table.setShades(pages::rgb(220, 230, 190), 0);
    const QSet<QDate> closed(closedList.cbegin(), closedList.cend());
    const qint64 days = input.from.daysTo(input.to);
    int number = 1;
    // The end day itself is not examined.
    for (QDate d = input.from; d < input.to; d = d.addDays(1)) {
        if (!closed.contains(d))
            table.appendShaded({QString::number(number++), date(d), regional::weekdayName(d)});
        countRow(input, input.from.daysTo(d) + 1, days);
    }
    engine.EndDoc();
}

} // namespace reports
