#pragma once

class QLineEdit;

// The one rule of every one-line text box (descriptions, code and group
// texts, user names): what is typed, pasted or dropped keeps no line break,
// tab or other invisible character (regional::oneLineText), so none is stored.
namespace ui {

void SetOneLineText(QLineEdit *box);
// The same, with typed letters made capitals (SetUpperCase).
void SetOneLineUpperCase(QLineEdit *box);
// True when the box keeps one line by this rule (with or without capitals),
// so a window may still make it upper-case.
bool KeepsOneLine(const QLineEdit *box);

} // namespace ui
