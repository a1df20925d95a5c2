#pragma once

#include <QObject>

class QLineEdit;

// Key filters of the cash sheet's boxes, applied on every key press.
namespace cashbook {

// Date boxes: digits, Backspace, Delete and the comma pass; a blank or a
// punctuation character (codes 32 to 47) becomes "-"; anything else is
// dropped. So 5.12.2005 reads 5-12-2005 while it is typed.
void installDateKeyFilter(QLineEdit *box);

// Amount boxes: digits, Backspace and Delete pass; any other character
// becomes the decimal comma. A second comma is refused by the box's validator,
// which also keeps pasted text to an amount.
void installAmountKeyFilter(QLineEdit *box);

} // namespace cashbook
