#include "MovementsByCode.h"

#include "FrameStandIn.h"
#include "MovementRows.h"
#include "MovementSums.h"
#include "data/Store.h"
#include "platform/desktop/Messages.h"
#include "platform/regional/TextPad.h"

namespace reports {

namespace {

using Sums = MovementSums;

// Memo, income, expense: the column order of this report.
QString cells(const Sums &s)
{
    return blankAmount(s.memo) + u'|' + blankAmount(s.income) + u'|' + blankAmount(s.expense);
}

void writeSubtotal(pages::Engine &lumo, TableWriter &table, Sums &sub)
{
    lumo.setFontBold(true);
    table.plainRow(QStringLiteral("|||Υποσύνολο|") + cells(sub));
    lumo.setFontBold(false);
    sub = Sums();
}

// Income minus expense, in red when negative; a zero difference reads 0,00.
void writeDifference(pages::Engine &lumo, TableWriter &table, const QString &lead, const Sums &total)
{
    const Money difference = total.income - total.expense;
    lumo.setTextColor(difference < Money() ? 255 : 0);
    table.plainRow(lead + regional::formatMoney(difference));
    lumo.setTextColor(0);
}

} // namespace

bool movementsByCode(pages::Engine &lumo, Store &store, const QDate &start, const QDate &end,
                     const QString &startText, const QString &endText, const Selection &codes, bool analytic,
                     const std::function<bool(int)> &progress)
{
    if (codes.listed == 0) {
        msg::critical(QStringLiteral("Προσοχή"), QStringLiteral("Δεν υπάρχουν κωδικοί για την εκτύπωση"));
        return true;
    }

    applyPageFrame(lumo);
    lumo.StartDoc();
    TableWriter table(lumo,
                      analytic ? QStringLiteral(">800|<1700|<1300|3600|>1250|>1250|>1250")
                               : QStringLiteral(">800|<4300|>1250|>1250|>1250"),
                      analytic ? QStringLiteral("α/α|Κωδ.|Ημερ/νια|Περιγραφή|Λ τάξεως|Έσοδο|Έξοδο")
                               : QStringLiteral("α/α|Κωδικος|Λ τάξεως|Έσοδο|Έξοδο"));
    lumo.setFontBold(true);
    lumo.setText(QStringLiteral("\r"));
    lumo.setHeader(title(QStringLiteral("Σύνολο κινήσεων  με επιλογή κωδικού από ") + startText
                         + QStringLiteral(" έως ") + endText));
    table.open(analytic ? QStringLiteral("|||||") : QStringLiteral("||||"));
    lumo.setFontBold(false);
    lumo.setFontSize(10);

    Sums total, sub;
    int counter = 1;
    bool complete = true;
    if (analytic) {
        qint64 currentCode = 0;
        bool first = true;
        complete = readMovementsByCode(store.main(), start, end, codes.selected, [&](const MovementRow &m) {
            const bool newCode = first || m.kvdikos != currentCode;
            if (newCode && !first)
                writeSubtotal(lumo, table, sub);
            first = false;
            currentCode = m.kvdikos;
            const QString codeCell = newCode ? (m.lista.isNull() ? QString::number(m.kvdikos) : m.lista.trimmed())
                                             : QStringLiteral(" ");
            table.row(QString::number(counter++) + u'|' + codeCell + u'|' + regional::formatDate(m.hmeromhnia)
                      + u'|' + m.perigrafh.trimmed() + u'|' + blankAmount(m.memo) + u'|' + blankAmount(m.esoda)
                      + u'|' + blankAmount(m.ejoda));
            sub.add(m.memo, m.esoda, m.ejoda);
            total.add(m.memo, m.esoda, m.ejoda);
            return !progress || progress(lumo.PageCount());
        });
        if (counter > 1 && complete)
            writeSubtotal(lumo, table, sub);
    } else {
        for (const CodeSumRow &c : readCodeSums(store.main(), start, end, codes.selected)) {
            table.row(QString::number(counter++) + u'|' + regional::PadLeft(QString::number(c.kvdikos), 5) + u' '
                      + c.perigrafh + u'|' + blankAmount(c.memo) + u'|' + blankAmount(c.esoda) + u'|'
                      + blankAmount(c.ejoda));
            total.add(c.memo, c.esoda, c.ejoda);
        }
    }

    if (counter == 1) {
        lumo.setText(QStringLiteral("\r\rΔεν βρέθηκαν εγγραφές"));
        lumo.EndDoc();
        return complete;
    }
    if (complete) {
        lumo.setFontBold(true);
        table.plainRow((analytic ? QStringLiteral("|||Σύνολα|") : QStringLiteral("|Σύνολα|")) + cells(total));
        writeDifference(lumo, table, analytic ? QStringLiteral("||Διαφορά|") : QStringLiteral("|Διαφορά  "), total);
        lumo.setFontBold(false);
    }
    lumo.EndDoc();
    return complete;
}

} // namespace reports
