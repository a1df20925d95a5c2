#pragma once

#include <QObject>

class QLineEdit;

// Key filters of the cash sheet's boxes, applied on every key press.
namespace cashbook {

// Date boxes: digits, Backspace, Delete and the comma pass (the comma is read
// as a separator like the others); a blank or a punctuation character (codes
// 32 to 47) becomes "-"; anything else is dropped. So 5.12.2005 reads
// 5-12-2005 while it is typed.
void installDateKeyFilter(QLineEdit *box);

// Amount boxes use ui::installAmountKeyFilter (AmountKeyFilter.h).

} // namespace cashbook
