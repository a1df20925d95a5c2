#include "Cheques.h"

#include "FrameStandIn.h"
#include "PeriodRows.h"
#include "data/Store.h"
#include "platform/regional/TextPad.h"

#include <QLocale>

namespace reports {

namespace {

const QString NoCheques = QStringLiteral("Δεν υπάρχουν καταχωρήσεις επιταγών στο παραπάνω διάστημα");

// "Δε 02-03-2026": the first two letters of the abbreviated Greek weekday name.
QString markedDate(const QDate &d)
{
    static const QLocale greek(QLocale::Greek, QLocale::Greece);
    return greek.dayName(d.dayOfWeek(), QLocale::ShortFormat).left(2) + u' ' + regional::formatDate(d);
}

// Right-aligned in n characters; a longer amount stays whole (cutting it to
// n would drop its leading digits from 1.000.000,00 on).
QString rightAligned(const QString &amount, int n)
{
    return amount.size() > n ? amount : regional::PadLeft(amount, n);
}

QString range(const QDate &start, const QDate &end)
{
    return regional::formatDate(start) + QStringLiteral(" έως ") + regional::formatDate(end);
}

// The cheque reports write their table from half a centimetre of the edges.
void chequeMargins(pages::Engine &lumo)
{
    lumo.setMarginLeft(QStringLiteral("0.5cm"));
    lumo.setMarginTop(QStringLiteral("0.5cm"));
    lumo.setText(QStringLiteral("\r"));
}

} // namespace

void chequeList(pages::Engine &lumo, Store &store, const QDate &start, const QDate &end)
{
    applyPageFrame(lumo);
    lumo.StartDoc();
    lumo.setHeader(title(QStringLiteral("Εκτύπωση επιταγών από ") + range(start, end)));
    const QList<ChequeRow> cheques = readCheques(store.main(), start, end);
    if (cheques.isEmpty()) {
        lumo.setParagraph(NoCheques);
        lumo.EndDoc();
        return;
    }

    chequeMargins(lumo);
    lumo.setFontName(QStringLiteral("arial greek"));
    lumo.setFontSize(10);
    TableWriter table(lumo, QStringLiteral("^800|1500|900|<3400|>1350|>1250|>1250"),
                      regional::PadLeft(QStringLiteral("α/α"), 4)
                          + QStringLiteral("|Ημερ/νια|Κωδ.|Περιγραφή|Λ τάξεως|Εσοδα|Εξοδα"),
                      pages::rgb(255, 255, 0));
    table.open(QStringLiteral(" |  | | ||"));

    Money memo, income, expense;
    int counter = 0;
    for (const ChequeRow &c : cheques) {
        table.row(regional::PadLeft(QString::number(++counter), 4) + u'|' + markedDate(c.hmeromhnia) + u'|'
                  + QString::number(c.kvdikos) + u'|' + c.perigrafh + u'|' + blankAmount(c.memo) + u'|'
                  + zeroAmount(c.esoda) + u'|' + zeroAmount(c.ejoda));
        memo += c.memo;
        income += c.esoda;
        expense += c.ejoda;
    }
    lumo.setFontBold(true);
    table.row(QStringLiteral("|||Διαφορά = ") + zeroAmount(income - expense) + u'|' + zeroAmount(memo) + u'|'
              + zeroAmount(income) + u'|' + zeroAmount(expense));
    lumo.EndDoc();
}

void chequeSummary(pages::Engine &lumo, Store &store, const QDate &start, const QDate &end)
{
    applyPageFrame(lumo);
    lumo.StartDoc();
    lumo.setHeader(title(QStringLiteral("Εκτύπωση επιταγών συνοπτικά από ") + range(start, end)));
    const QList<ChequeSumRow> sums = readChequeSums(store.main(), start, end);
    if (sums.isEmpty()) {
        lumo.setParagraph(NoCheques);
        lumo.EndDoc();
        return;
    }

    chequeMargins(lumo);
    lumo.setFontName(QStringLiteral("courier new greek"));
    lumo.setFontSize(10);
    TableWriter table(lumo, QStringLiteral("^800|1800|2500"),
                      regional::PadLeft(QStringLiteral("α/α"), 4) + QStringLiteral("|Ημερ/νια|Σύνολο LT"));
    table.open(QStringLiteral("|||"));

    int counter = 0;
    for (const ChequeSumRow &s : sums)
        table.row(regional::PadLeft(QString::number(++counter), 4) + u'|' + markedDate(s.hmeromhnia) + u'|'
                  + rightAligned(blankAmount(s.synolo), 11));
    lumo.EndDoc();
}

} // namespace reports
