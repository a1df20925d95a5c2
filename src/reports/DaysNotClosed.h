#pragma once

#include <QDate>

#include <functional>

class Store;
namespace pages { class Engine; }

namespace reports {

// Report 9: the days from start up to (not including) end whose cash was
// not closed; or, when the range reaches past the closed days, the one
// line naming the last (or first) closed day.
void daysNotClosed(pages::Engine &lumo, Store &store, const QDate &start, const QDate &end,
                   const std::function<bool(int)> &progress = {});

} // namespace reports
