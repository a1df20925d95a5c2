#include "Cheques.h"

#include "ColumnFit.h"
#include "PageFrame.h"
#include "PeriodRows.h"
#include "ReportSteps.h"
#include "TableWriter.h"
#include "data/Store.h"

#include <QLocale>

namespace reports {

namespace {

// "Δε 02-03-2026": the first two letters of the abbreviated Greek weekday name.
QString markedDate(const QDate &d)
{
    static const QLocale greek(QLocale::Greek, QLocale::Greece);
    return greek.dayName(d.dayOfWeek(), QLocale::ShortFormat).left(2) + u' ' + date(d);
}

// Starts the document; false (after the one-line message) when there is no cheque.
bool startChequeReport(pages::Engine &engine, const ReportInput &input, const QString &words, bool anyRow)
{
    applyPageFrame(engine);
    engine.StartDoc();
    engine.setHeader(withCaption(input, words + date(input.from) + QStringLiteral(" έως ") + date(input.to)));
    if (!anyRow) {
        engine.setParagraph(QStringLiteral("Δεν υπάρχουν καταχωρήσεις επιταγών στο παραπάνω διάστημα"));
        engine.EndDoc();
        return false;
    }
    // The cheque reports write their table from half a centimetre of the edges.
    engine.setMarginLeft(QStringLiteral("0.5cm"));
    engine.setMarginTop(QStringLiteral("0.5cm"));
    engine.setText(QStringLiteral("\r"));
    return true;
}

} // namespace

void cheques(pages::Engine &engine, Store &store, const ReportInput &input)
{
    if (input.answers.printChoice.analytic)
        chequeList(engine, store, input);
    else
        chequeSummary(engine, store, input);
}

void chequeList(pages::Engine &engine, Store &store, const ReportInput &input)
{
    // The columns are sized for the totals, which no row exceeds; they and
    // the number of rows come from the index before the first row.
    const ChequeFigures figures = readChequeFigures(store.main(), input.from, input.to);
    if (!startChequeReport(engine, input, QStringLiteral("Εκτύπωση επιταγών από "), figures.count > 0))
        return;
    engine.setFontName(QStringLiteral("arial greek"));
    engine.setFontSize(10);
    const pages::ColorRef headerShade = pages::rgb(255, 255, 0);
    TableWriter table(engine);
    const QString header =
        alignRight(QStringLiteral("α/α"), 4) + QStringLiteral("|Ημερ/νια|Κωδ.|Περιγραφή|Λ τάξεως|Εσοδα|Εξοδα");
    // Memo, income, expense: the amount columns of the list.
    const QList<ColumnNeed> needs =
        figureNeeds({{4, figures.memo}, {5, figures.income}, {6, figures.expense}}, 0, figures.count);
    table.open(fitColumns(engine, QStringLiteral("^800|1500|900|<3400|>1350|>1250|>1250"), header, needs, 3), header,
               QStringLiteral(" |  | | ||"), headerShade);
    table.setShades(RowShade, 0, headerShade);

    Money memo, income, expense;
    int counter = 0;
    readCheques(store.main(), input.from, input.to, [&](const ChequeRow &c) {
        table.appendShaded({alignRight(QString::number(++counter), 4), markedDate(c.hmeromhnia),
                            QString::number(c.kvdikos), c.perigrafh, moneyOrBlank(c.memo), moneyOrZero(c.esoda),
                            moneyOrZero(c.ejoda)});
        memo += c.memo;
        income += c.esoda;
        expense += c.ejoda;
        countRow(input, counter, figures.count);
    });
    engine.setFontBold(true);
    table.appendShaded({QString(), QString(), QString(), QStringLiteral("Διαφορά = ") + moneyOrZero(income - expense),
                        moneyOrZero(memo), moneyOrZero(income), moneyOrZero(expense)});
    engine.EndDoc();
}

void chequeSummary(pages::Engine &engine, Store &store, const ReportInput &input)
{
    if (!startChequeReport(engine, input, QStringLiteral("Εκτύπωση επιταγών συνοπτικά από "),
                           anyCheques(store.main(), input.from, input.to)))
        return;
    engine.setFontName(QStringLiteral("courier new greek"));
    engine.setFontSize(10);
    TableWriter table(engine);
    table.open(QStringLiteral("^800|1800|2500"), alignRight(QStringLiteral("α/α"), 4) + QStringLiteral("|Ημερ/νια|Σύνολο LT"),
               QStringLiteral("|||"));
    table.setShades(RowShade, 0);

    int counter = 0;
    readChequeSums(store.main(), input.from, input.to, [&](const ChequeSumRow &s) {
        table.appendShaded({alignRight(QString::number(++counter), 4), markedDate(s.hmeromhnia),
                            alignRight(moneyOrBlank(s.synolo), 11)});
        countRow(input, counter);
    });
    engine.EndDoc();
}

} // namespace reports
