#pragma once

#include "platform/regional/AmountText.h"

class QLineEdit;

namespace ui {

// Key filter of an amount box, applied on every key press. Digits pass; the
// minus passes too, so that checkAmountText can refuse it with its reason (or
// take it where negative amounts are allowed). Any other character is the
// decimal comma, so the keypad's decimal key gives "12,5" for 12.5; typed
// after a comma and three digits it turns that comma into the thousands dot
// first, so "1.234,56" typed as it is shown stays 1.234,56. Nothing is
// refused here: the box's text is checked when it is left and when used.
void installAmountKeyFilter(QLineEdit *box);

} // namespace ui
