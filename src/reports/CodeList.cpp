#include "CodeList.h"

#include "FrameStandIn.h"
#include "data/Store.h"

namespace reports {

void codeList(pages::Engine &lumo, Store &store, CodeOrder order, bool activeOnly)
{
    applyPageFrame(lumo);
    lumo.StartDoc();
    lumo.setHeader(title(QStringLiteral("Κωδικοί κίνησης")));
    TableWriter table(lumo, QStringLiteral("^1500|^1500|3000|<3000"), QStringLiteral("α/α|Κωδ.|Περιγραφή|Ομάδα"),
                      pages::rgb(255, 255, 220));
    lumo.setText(QStringLiteral("\r"));
    table.open(QStringLiteral("|||"));
    lumo.setFontSize(10);

    int i = 1;
    for (const CodeListRow &c : readCodeList(store.main(), order, activeOnly))
        table.row(QString::number(i++) + u'|' + QString::number(c.kvdikos) + u'|' + c.perigrafh + u'|' + c.omada);
    lumo.EndDoc();
}

} // namespace reports
