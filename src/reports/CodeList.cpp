#include "CodeList.h"

#include "PageFrame.h"
#include "PeriodRows.h"
#include "ReportSteps.h"
#include "TableWriter.h"
#include "data/Store.h"

namespace reports {

void codeList(pages::Engine &engine, Store &store, const ReportInput &input)
{
    const SortChoice &choice = input.answers.sortChoice;
    applyPageFrame(engine);
    engine.StartDoc();
    engine.setHeader(withCaption(input, QStringLiteral("Κωδικοί κίνησης")));
    engine.setText(QStringLiteral("\r"));
    const pages::ColorRef headerShade = pages::rgb(255, 255, 220);
    TableWriter table(engine);
    table.open(QStringLiteral("^1500|^1500|3000|<3000"), QStringLiteral("α/α|Κωδ.|Περιγραφή|Ομάδα"),
               QStringLiteral("|||"), headerShade);
    table.setShades(RowShade, 0, headerShade);
    engine.setFontSize(10);

    int i = 1;
    for (const CodeListRow &c : readCodeList(store.main(), choice))
        table.appendShaded({QString::number(i++), QString::number(c.kvdikos), c.perigrafh, c.omada});
    engine.EndDoc();
}

} // namespace reports
