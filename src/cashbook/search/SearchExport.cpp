#include "SearchExport.h"

#include "platform/pages/engine.h"
#include "platform/regional/GreekFormats.h"
#include "reports/CsvExport.h"
#include "reports/PageFrame.h"
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

void buildResultsDocument(pages::Engine &engine, const Results &results, const QString &caption)
{
    reports::applyPageFrame(engine);
    engine.StartDoc();
    engine.setHeader(resultsTitle() + QStringLiteral(": ") + caption);
    reports::TableWriter table(engine);
    table.open(QStringLiteral("^1300|>800|<4200|>1600|>1600|^500"),
               QStringLiteral("Ημερ/νια|Κωδ.|Περιγραφή|Εσοδα|Εξοδα|Επ."), QStringLiteral("|||||"));
    table.setShades(reports::RowShade, 0);
    for (const Found &f : results.rows)
        table.appendShaded({reports::date(f.day), QString::number(f.code), f.description,
                            reports::moneyOrZero(f.income), reports::moneyOrZero(f.expense),
                            f.cheque ? QStringLiteral("§") : QString()});
    engine.setFontBold(true);
    table.append({QString(), QString(),
                  QStringLiteral("Κινήσεις: %1").arg(results.rows.size()), reports::moneyOrZero(results.income),
                  reports::moneyOrZero(results.expense), QString()});
    engine.EndDoc();
}

bool saveResults(const Results &results, const Criteria &criteria, SaveKind kind, const QString &fileName)
{
    pages::Engine engine;
    const QString caption = criteriaText(criteria);
    buildResultsDocument(engine, results, caption);
    if (kind == SaveKind::Csv)
        return reports::writeCsv(engine.document(), fileName);
    return reports::writeXlsx(engine.document(), {resultsTitle(), caption, QString()}, fileName);
}

} // namespace search
