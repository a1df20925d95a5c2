#pragma once

#include <QDate>
#include <QString>

class Store;
namespace pages { class Engine; }

namespace reports {

// Report 3: the days of the range newest first, and the result of the period.
void cashResultsSummary(pages::Engine &lumo, Store &store, const QDate &start, const QDate &end,
                        const QString &startText, const QString &endText);

} // namespace reports
