#include "CashResults.h"

#include "FrameStandIn.h"
#include "PeriodRows.h"
#include "data/Store.h"
#include "platform/db/DbError.h"

namespace reports {

void cashResultsSummary(pages::Engine &lumo, Store &store, const QDate &start, const QDate &end,
                        const QString &startText, const QString &endText)
{
    applyPageFrame(lumo);
    lumo.StartDoc();
    lumo.setText(QStringLiteral("\r"));
    lumo.setHeader(title(QStringLiteral("Αποτελέσματα ταμείου συνοπτικά από ") + startText + QStringLiteral(" έως ")
                         + endText));
    TableWriter table(lumo, QStringLiteral(">1000|>1800|>1800|>1800|<2000"),
                      QStringLiteral("α/α|Έσοδα|Έξοδα|Υπόλοιπο|Ημερομηνία"), pages::rgb(255, 255, 220));
    lumo.setFontBold(true);
    table.open(QStringLiteral(" | | |"));
    lumo.setFontBold(false);

    // A store that cannot be read leaves the heading and a totals row of 0.
    QList<CashDayRow> days;
    try {
        days = readCashDays(store.main(), start, end);
    } catch (const db::DbError &) {
    }

    Money income, expense;
    int counter = 1;
    for (const CashDayRow &d : days) {
        table.row(QString::number(counter++) + u'|' + zeroAmount(d.esoda) + u'|' + zeroAmount(d.ejoda) + u'|'
                  + zeroAmount(d.ypoloipo) + u'|' + regional::formatDate(d.hmeromhnia));
        income += d.esoda;
        expense += d.ejoda;
    }

    // The last column of the totals is the result of the period, not a balance.
    lumo.setFontBold(true);
    table.plainRow(QStringLiteral("Σύνολα |") + zeroAmount(income) + u'|' + zeroAmount(expense) + u'|'
                   + zeroAmount(income - expense));
    lumo.EndDoc();
}

} // namespace reports
