#include "CashResults.h"

#include "PageFrame.h"
#include "PeriodRows.h"
#include "ReportSteps.h"
#include "TableWriter.h"
#include "data/Store.h"

namespace reports {

void cashResultsSummary(pages::Engine &engine, Store &store, const ReportInput &input)
{
    applyPageFrame(engine);
    engine.StartDoc();
    engine.setText(QStringLiteral("\r"));
    engine.setHeader(withCaption(input, QStringLiteral("Αποτελέσματα ταμείου συνοπτικά από ") + input.fromText
                                            + QStringLiteral(" έως ") + input.toText));
    TableWriter table(engine);
    const pages::ColorRef headerShade = pages::rgb(255, 255, 220);
    engine.setFontBold(true);
    table.open(QStringLiteral(">1000|>1800|>1800|>1800|<2000"),
               QStringLiteral("α/α|Έσοδα|Έξοδα|Υπόλοιπο|Ημερομηνία"), QStringLiteral(" | | |"), headerShade);
    engine.setFontBold(false);
    table.setShades(RowShade, 0, headerShade);

    // A store that cannot be read is left to the runner, which says so and
    // marks the pages incomplete: zeros would pass for a period without days.
    const QList<CashDayRow> days = readCashDays(store.main(), input.from, input.to);

    Money income, expense;
    int counter = 1;
    for (const CashDayRow &d : days) {
        table.appendShaded({QString::number(counter++), moneyOrZero(d.esoda), moneyOrZero(d.ejoda),
                            moneyOrZero(d.ypoloipo), date(d.hmeromhnia)});
        income += d.esoda;
        expense += d.ejoda;
    }

    // The last column of the totals is the result of the period, not a balance.
    engine.setFontBold(true);
    table.append({QStringLiteral("Σύνολα "), moneyOrZero(income), moneyOrZero(expense), moneyOrZero(income - expense)});
    engine.EndDoc();
}

} // namespace reports
