#include "SearchExport.h"

#include "data/AppGlobals.h"
#include "data/Store.h"
#include "platform/pages/engine.h"
#include "platform/regional/GreekFormats.h"
#include "reports/ColumnFit.h"
#include "reports/CsvExport.h"
#include "reports/PageFrame.h"
#include "reports/ReportInput.h"
#include "reports/ReportSteps.h"
#include "reports/TableWriter.h"
#include "reports/XlsxExport.h"

namespace search {

QString resultsTitle()
{
    return QStringLiteral("Αναζήτηση κινήσεων");
}

QString criteriaText(const Criteria &c)
{
    QStringList parts;
    if (!c.words.trimmed().isEmpty())
        parts << QStringLiteral("λέξεις «") + c.words.simplified() + QStringLiteral("»");
    if (c.amountFrom && c.amountTo && *c.amountFrom == *c.amountTo)
        parts << QStringLiteral("ποσό ") + regional::formatMoney(*c.amountFrom);
    else if (c.amountFrom || c.amountTo)
        parts << QStringLiteral("ποσό ") + regional::formatMoney(c.amountFrom.value_or(Money()))
                + QStringLiteral(" έως ") + (c.amountTo ? regional::formatMoney(*c.amountTo) : QStringLiteral("…"));
    if (c.from.isValid() || c.to.isValid())
        parts << (c.from.isValid() ? regional::formatDate(c.from) : QStringLiteral("…")) + QStringLiteral(" έως ")
                + (c.to.isValid() ? regional::formatDate(c.to) : QStringLiteral("…"));
    if (!c.codes.isEmpty()) {
        QStringList codes;
        for (int code : c.codes)
            codes << QString::number(code);
        parts << QStringLiteral("κωδικοί ") + codes.join(QStringLiteral(", "));
    }
    if (c.chequesOnly)
        parts << QStringLiteral("μόνο επιταγές");
    return parts.join(QStringLiteral("· "));
}

void buildResultsReport(pages::Engine &engine, Store &store, const Criteria &criteria,
                        const reports::ReportInput &input)
{
    // The totals first, in one pass: no amount column holds a figure larger
    // than its total, so the columns are made wide enough before any row.
    const Results found = findMovements(store.main(), criteria, 0);

    reports::applyPageFrame(engine);
    engine.StartDoc();
    engine.setHeader(reports::withCaption(input, resultsTitle() + QStringLiteral(": ") + criteriaText(criteria)));
    const QString header = QStringLiteral("Ημερ/νια|Κωδ.|Περιγραφή|Εσοδα|Εξοδα|Επ.");
    reports::ColumnFigure income, expense;
    income.include(found.income);
    expense.include(found.expense);
    engine.setFontBold(true);
    const QString format = reports::fitColumns(
        engine, QStringLiteral("^1300|>800|<4200|>1600|>1600|^500"), header,
        reports::figureNeeds({{3, income}, {4, expense}}, -1, 0), 2);
    engine.setFontBold(false);
    reports::TableWriter table(engine);
    table.open(format, header, QStringLiteral("|||||"));
    table.setShades(reports::RowShade, 0);

    qint64 rows = 0;
    Money incomeSum, expenseSum;
    forEachFound(store.main(), criteria, [&](const Found &f) {
        table.appendShaded({reports::date(f.day), QString::number(f.code), f.description,
                            reports::moneyOrZero(f.income), reports::moneyOrZero(f.expense),
                            f.cheque ? QStringLiteral("§") : QString()});
        incomeSum += f.income;
        expenseSum += f.expense;
        reports::countRow(input, ++rows, found.count);
    });
    // The totals of the rows printed: a movement booked meanwhile by another
    // workstation is on the page and in its sums alike.
    engine.setFontBold(true);
    table.append({QString(), QString(), QStringLiteral("Κινήσεις: %1").arg(rows), reports::moneyOrZero(incomeSum),
                  reports::moneyOrZero(expenseSum), QString()});
    engine.setFontBold(false);
    engine.EndDoc();
}

bool saveResults(Store &store, const Criteria &criteria, SaveKind kind, const QString &fileName)
{
    pages::Engine engine;
    reports::ReportInput input;
    input.headerCaption = globals().HeaderCaption;
    buildResultsReport(engine, store, criteria, input);
    if (kind == SaveKind::Csv)
        return reports::writeCsv(engine.document(), fileName);
    return reports::writeXlsx(engine.document(), {resultsTitle(), criteriaText(criteria), QString()}, fileName);
}

} // namespace search
