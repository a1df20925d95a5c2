#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <functional>

class Store;
namespace pages { class Engine; }

namespace reports {

// The entries of a list of the reports tab: how many it shows and the item
// data of those selected (none selected: all of them).
struct Selection
{
    int listed = 0;
    QList<qint64> selected;
};

// Report 4: movements of the range by code, every movement with a subtotal
// at each change of code (analytic) or one row per code (summary).
// Returns false when the report was stopped before its end.
bool movementsByCode(pages::Engine &lumo, Store &store, const QDate &start, const QDate &end,
                     const QString &startText, const QString &endText, const Selection &codes, bool analytic,
                     const std::function<bool(int)> &progress = {});

} // namespace reports
