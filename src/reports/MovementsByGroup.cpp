#include "MovementsByGroup.h"

#include "ColumnFit.h"
#include "MovementRows.h"
#include "MovementSums.h"
#include "MovementTotals.h"
#include "PageFrame.h"
#include "ReportSteps.h"
#include "TableWriter.h"
#include "data/Store.h"
#include "platform/desktop/Messages.h"

#include <QSet>

namespace reports {

namespace {

// Income, expense, memo: the column order of this report.
QStringList amounts(const MovementSums &s)
{
    return {moneyOrBlank(s.income), moneyOrBlank(s.expense), moneyOrBlank(s.memo)};
}

QString longestGroupName(const QList<groups::GroupEntry> &groups)
{
    QString longest;
    for (const groups::GroupEntry &g : groups)
        if (g.name.size() > longest.size())
            longest = g.name;
    // A name longer than this breaks between its words rather than crowd the description.
    return longest.left(30);
}

QStringList labelled(const QString &label, const MovementSums &s)
{
    return QStringList{QString(), QString(), QString(), QString(), label} + amounts(s);
}

} // namespace

void movementsByGroup(pages::Engine &engine, Store &store, const ReportInput &input)
{
    if (!anyGroups(store.main())) {
        msg::critical(QStringLiteral("Προσοχή"), QStringLiteral("Δεν υπάρχουν ομάδες για την εκτύπωση"));
        return;
    }

    // The columns are sized for the selected groups' totals, summed from the
    // index before the first row; every other figure stays within them.
    QSet<qint64> reported;
    for (const NamedGroup &g : reportGroups(store.main(), input.groups))
        reported.insert(g.number);
    const LargestFigures largest = combinedFigures(readPairTotals(
        store.main(), input.from, input.to, [&](const MovementPair &p) { return p.group && reported.contains(*p.group); }));
    applyPageFrame(engine);
    engine.setMarginLeft(1400);
    engine.setOrientation(pages::orientation::Landscape);
    engine.StartDoc();
    engine.setText(QStringLiteral("\r"));
    engine.setHeader(withCaption(input, QStringLiteral("Σύνολο κινήσεων  με επιλογή ομάδας από ") + input.fromText
                                            + QStringLiteral(" έως ") + input.toText));
    TableWriter table(engine);
    // The group's name stands on every row: it keeps one line when the
    // description can spare the room.
    const QString header = QStringLiteral("α/α|Ομάδα|Κωδ.|Ημερ/νια|Περιγραφή|Έσοδο|Έξοδο|Λ ταξ");
    QList<ColumnNeed> needs =
        figureNeeds({{5, largest.income}, {6, largest.expense}, {7, largest.memo}}, 0, largest.serial);
    needs.append({1, longestGroupName(input.groupList), true, true});
    needs.append(dateColumn(3));
    table.open(fitColumns(engine, QStringLiteral("^800|<1800|<1000|^1500|<4300|>1900|>1900|>1900"), header, needs, 4),
               header, QStringLiteral("||||||"));
    table.setShades(RowShade, 0);

    MovementSums total, sub;
    int counter = 0;
    qint64 currentGroup = 0;
    auto writeSubtotal = [&] {
        engine.setFontBold(true);
        table.append(labelled(QStringLiteral("Υποσύνολο"), sub));
        engine.setFontBold(false);
        sub = MovementSums();
    };
    readMovementsByGroup(store.main(), input.from, input.to, input.groups, [&](const MovementRow &m) {
        if (counter > 0 && m.aa_omada != currentGroup)
            writeSubtotal();
        currentGroup = m.aa_omada;
        table.appendShaded({QString::number(++counter), m.omada, QString::number(m.kvdikos), date(m.hmeromhnia),
                            m.perigrafh.trimmed(), moneyOrBlank(m.esoda), moneyOrBlank(m.ejoda), moneyOrBlank(m.memo)});
        sub.add(m.memo, m.esoda, m.ejoda);
        total.add(m.memo, m.esoda, m.ejoda);
        countRow(input, counter);
    });

    if (counter == 0) {
        engine.setText(QStringLiteral("\r\rΔεν βρέθηκαν εγγραφές"));
    } else {
        writeSubtotal();
        engine.setFontBold(true);
        table.append(labelled(QStringLiteral("Σύνολα"), total));
        engine.setFontBold(false);
    }
    engine.EndDoc();
}

} // namespace reports
