#pragma once

#include "MovementsByCode.h"

namespace reports {

// Report 5: movements of the range by group, landscape, with a subtotal at
// each change of group. Returns false when the report was stopped before its end.
bool movementsByGroup(pages::Engine &lumo, Store &store, const QDate &start, const QDate &end,
                      const QString &startText, const QString &endText, const Selection &groups,
                      const std::function<bool(int)> &progress = {});

} // namespace reports
