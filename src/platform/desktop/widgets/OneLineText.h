#pragma once

class QLineEdit;

// The one rule of every one-line text box (descriptions, code and group
// texts, user names): what is typed, pasted or dropped keeps no line break,
// tab or other invisible character (regional::oneLineText), so none is stored.
namespace ui {

void SetOneLineText(QLineEdit *box);
// The same, with typed letters made capitals (SetUpperCase).
void SetOneLineUpperCase(QLineEdit *box);

} // namespace ui
