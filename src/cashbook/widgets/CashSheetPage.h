#pragma once

#include "shell/contracts/Pages.h"

#include <memory>

class QWidget;

namespace cashbook {

// The factory the program puts in PageFactories::cash. The page reads and
// writes the store of context.state.
std::unique_ptr<CashSheetPage> makeCashSheetPage(PageContext &context, QWidget *parent);

} // namespace cashbook
