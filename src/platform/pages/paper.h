#pragma once

// Standard paper sizes by the numbers the reports use (9 is A4), in twips.

#include <QPageSize>
#include <QSize>

#include <optional>

namespace pages {

constexpr int CustomPaper = 256;

// Portrait size of a standard paper; nullopt for unknown numbers.
std::optional<QSize> paperTwips(int paperId);
std::optional<QPageSize::PageSizeId> paperPageSizeId(int paperId);
// The paper number of a Qt page size, 256 when there is none.
int paperIdOf(QPageSize::PageSizeId id);

}  // namespace pages
