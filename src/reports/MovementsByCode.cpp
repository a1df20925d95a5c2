#include "MovementsByCode.h"

#include "ColumnFit.h"
#include "MovementRows.h"
#include "MovementSums.h"
#include "MovementTotals.h"
#include "PageFrame.h"
#include "ReportSteps.h"
#include "TableWriter.h"
#include "data/Store.h"
#include "platform/desktop/Messages.h"

namespace reports {

namespace {

// Memo, income, expense: the column order of this report.
QStringList amounts(const MovementSums &s)
{
    return {moneyOrBlank(s.memo), moneyOrBlank(s.income), moneyOrBlank(s.expense)};
}

void writeSubtotal(pages::Engine &engine, TableWriter &table, MovementSums &sub)
{
    engine.setFontBold(true);
    table.append(QStringList{QString(), QString(), QString(), QStringLiteral("Υποσύνολο")} + amounts(sub));
    engine.setFontBold(false);
    sub = MovementSums();
}

void analyticRows(pages::Engine &engine, Store &store, const ReportInput &input, TableWriter &table,
                  MovementSums &total)
{
    MovementSums sub;
    qint64 currentCode = 0;
    int counter = 0;
    readMovementsByCode(store.main(), input.from, input.to, input.codes, [&](const MovementRow &m) {
        const bool newCode = counter == 0 || m.kvdikos != currentCode;
        if (newCode && counter > 0)
            writeSubtotal(engine, table, sub);
        currentCode = m.kvdikos;
        // The code's list line names it on its first row only.
        const QString codeCell = !newCode ? QStringLiteral(" ")
                                 : m.lista.isNull() ? QString::number(m.kvdikos) : m.lista.trimmed();
        table.appendShaded(QStringList{QString::number(++counter), codeCell, date(m.hmeromhnia), m.perigrafh.trimmed(),
                                       moneyOrBlank(m.memo), moneyOrBlank(m.esoda), moneyOrBlank(m.ejoda)});
        sub.add(m.memo, m.esoda, m.ejoda);
        total.add(m.memo, m.esoda, m.ejoda);
        countRow(input, counter);
    });
    if (counter > 0)
        writeSubtotal(engine, table, sub);
}

void summaryRows(const QList<CodeSumRow> &rows, TableWriter &table, MovementSums &total)
{
    int counter = 0;
    for (const CodeSumRow &c : rows) {
        table.appendShaded(QStringList{QString::number(++counter),
                                       alignRight(QString::number(c.kvdikos), 5) + u' ' + c.perigrafh}
                           + amounts({c.memo, c.esoda, c.ejoda}));
        total.add(c.memo, c.esoda, c.ejoda);
    }
}

} // namespace

void movementsByCode(pages::Engine &engine, Store &store, const ReportInput &input)
{
    const bool analytic = input.answers.printChoice.analytic;
    if (!anyCodes(store.main())) {
        msg::critical(QStringLiteral("Προσοχή"), QStringLiteral("Δεν υπάρχουν κωδικοί για την εκτύπωση"));
        return;
    }

    // The columns are sized for the totals, which every other figure stays
    // within: the summary has them in its rows, which it reads first; the
    // analytic report sums each selected code from the index before its rows.
    QList<CodeSumRow> summary;
    LargestFigures largest;
    QList<qint64> codes;
    if (analytic) {
        const QList<PairTotals> totals = readPairTotals(store.main(), input.from, input.to, [&](const MovementPair &p) {
            return p.code && inSelection(input.codes, *p.code);
        });
        largest = combinedFigures(totals);
        for (const PairTotals &t : totals)
            if (!codes.contains(*t.pair.code))
                codes.append(*t.pair.code);
    } else {
        summary = readCodeSums(store.main(), input.from, input.to, input.codes);
        for (const CodeSumRow &c : summary) {
            largest.memo.include(c.memo);
            largest.income.include(c.esoda);
            largest.expense.include(c.ejoda);
        }
        largest.serial = summary.size();
    }
    applyPageFrame(engine);
    engine.StartDoc();
    engine.setFontBold(true);
    engine.setText(QStringLiteral("\r"));
    engine.setHeader(withCaption(input, QStringLiteral("Σύνολο κινήσεων  με επιλογή κωδικού από ") + input.fromText
                                            + QStringLiteral(" έως ") + input.toText));
    TableWriter table(engine);
    if (analytic) {
        const QString header = QStringLiteral("α/α|Κωδ.|Ημερ/νια|Περιγραφή|Λ τάξεως|Έσοδο|Έξοδο");
        QList<ColumnNeed> needs = figureNeeds({{4, largest.memo}, {5, largest.income}, {6, largest.expense}}, 0,
                                              largest.serial);
        needs.append(dateColumn(2));
        needs.append({1, widestText(engine, codeListLines(store.main(), codes)), false, true});
        table.open(fitColumns(engine, QStringLiteral(">800|<1700|<1300|3600|>1250|>1250|>1250"), header, needs, 3),
                   header, QStringLiteral("|||||"));
    } else {
        const QString header = QStringLiteral("α/α|Κωδικος|Λ τάξεως|Έσοδο|Έξοδο");
        const QList<ColumnNeed> needs =
            figureNeeds({{2, largest.memo}, {3, largest.income}, {4, largest.expense}}, 0, largest.serial);
        table.open(fitColumns(engine, QStringLiteral(">800|<4300|>1250|>1250|>1250"), header, needs, 1), header,
                   QStringLiteral("||||"));
    }
    table.setShades(RowShade, 0);
    engine.setFontBold(false);
    engine.setFontSize(10);

    MovementSums total;
    if (analytic)
        analyticRows(engine, store, input, table, total);
    else
        summaryRows(summary, table, total);
    if (table.rowCount() == 0) {
        engine.setText(QStringLiteral("\r\rΔεν βρέθηκαν εγγραφές"));
        engine.EndDoc();
        return;
    }

    engine.setFontBold(true);
    const QStringList lead = analytic ? QStringList{QString(), QString(), QString(), QStringLiteral("Σύνολα")}
                                      : QStringList{QString(), QStringLiteral("Σύνολα")};
    table.append(lead + amounts(total));
    // Income minus expense, in red when negative; a zero difference reads 0,00.
    const Money difference = total.income - total.expense;
    engine.setTextColor(difference < Money() ? 255 : 0);
    table.append(analytic ? QStringList{QString(), QString(), QStringLiteral("Διαφορά"), money(difference)}
                          : QStringList{QString(), QStringLiteral("Διαφορά  ") + money(difference)});
    engine.setTextColor(0);
    engine.setFontBold(false);
    engine.EndDoc();
}

} // namespace reports
