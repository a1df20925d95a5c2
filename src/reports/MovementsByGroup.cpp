#include "MovementsByGroup.h"

#include "FrameStandIn.h"
#include "MovementRows.h"
#include "MovementSums.h"
#include "data/Store.h"
#include "platform/desktop/Messages.h"

namespace reports {

namespace {

// Income, expense, memo: the column order of this report.
QString cells(const MovementSums &s)
{
    return blankAmount(s.income) + u'|' + blankAmount(s.expense) + u'|' + blankAmount(s.memo);
}

} // namespace

bool movementsByGroup(pages::Engine &lumo, Store &store, const QDate &start, const QDate &end,
                      const QString &startText, const QString &endText, const Selection &groups,
                      const std::function<bool(int)> &progress)
{
    if (groups.listed == 0) {
        msg::critical(QStringLiteral("Προσοχή"), QStringLiteral("Δεν υπάρχουν ομάδες για την εκτύπωση"));
        return true;
    }

    applyPageFrame(lumo);
    lumo.setMarginLeft(1400);
    lumo.setOrientation(1);
    lumo.setPaperSize(9);
    lumo.setFontSize(10);
    lumo.setFontBold(false);
    lumo.StartDoc();
    TableWriter table(lumo, QStringLiteral("^800|<1800|<1000|^1500|<4300|>1900|>1900|>1900"),
                      QStringLiteral("α/α|Ομάδα|Κωδ.|Ημερ/νια|Περιγραφή|Έσοδο|Έξοδο|Λ ταξ"));
    lumo.setText(QStringLiteral("\r"));
    lumo.setHeader(title(QStringLiteral("Σύνολο κινήσεων  με επιλογή ομάδας από ") + startText
                         + QStringLiteral(" έως ") + endText));
    table.open(QStringLiteral("||||||"));

    MovementSums total, sub;
    int counter = 1;
    qint64 currentGroup = 0;
    auto writeSubtotal = [&] {
        lumo.setFontBold(true);
        table.plainRow(QStringLiteral("||||Υποσύνολο|") + cells(sub));
        lumo.setFontBold(false);
        sub = MovementSums();
    };
    const bool complete = readMovementsByGroup(store.main(), start, end, groups.selected, [&](const MovementRow &m) {
        if (counter > 1 && m.aa_omada != currentGroup)
            writeSubtotal();
        currentGroup = m.aa_omada;
        table.row(QString::number(counter++) + u'|' + m.omada + u'|' + QString::number(m.kvdikos) + u'|'
                  + regional::formatDate(m.hmeromhnia) + u'|' + m.perigrafh.trimmed() + u'|' + blankAmount(m.esoda)
                  + u'|' + blankAmount(m.ejoda) + u'|' + blankAmount(m.memo));
        sub.add(m.memo, m.esoda, m.ejoda);
        total.add(m.memo, m.esoda, m.ejoda);
        return !progress || progress(lumo.PageCount());
    });

    if (counter == 1) {
        lumo.setText(QStringLiteral("\r\rΔεν βρέθηκαν εγγραφές"));
    } else if (complete) {
        writeSubtotal();
        lumo.setFontBold(true);
        table.plainRow(QStringLiteral("||||Σύνολα|") + cells(total));
        lumo.setFontBold(false);
    }
    lumo.EndDoc();
    return complete;
}

} // namespace reports
