#pragma once

#include <QString>

// Text that users typed or pasted, made safe for the place it goes to.
//
// A one-line box keeps no character that is not seen: no line breaks or tabs
// (they would break the fixed-pitch line and the report row), no other control
// characters, no direction overrides or embeddings, no zero-width characters
// (they count as a column but take no room). Rows stored before this rule may
// still hold them: every line and report cell shows such a character as a
// visible mark instead, one column wide.
//
// Right-to-left words (Hebrew, Arabic) are laid out on their own, inside
// Unicode isolates, so they never carry the amounts beside them along.
namespace regional {

// What a one-line box keeps of typed or pasted text: line breaks and tabs
// become one blank, every other invisible character is removed.
QString oneLineText(const QString &text);

// True for a character a one-line box does not keep.
bool isInvisibleCharacter(char32_t c);

// Every invisible character replaced by its mark: "¶" for a line break, "→"
// for a tab, "□" for any other.
QString markInvisible(const QString &text);

// The text between FIRST STRONG ISOLATE and POP DIRECTIONAL ISOLATE when it
// holds right-to-left characters; other texts are returned as they are.
QString isolateRightToLeft(const QString &text);

// A text field of a fixed-pitch line: trimmed, marked, cut at a whole
// character and padded with blanks to `width` characters; a right-to-left
// text is isolated (the isolate marks take no room, the blanks stay outside).
QString columnText(const QString &text, int width);

// The text of a report cell: marked and isolated as above, and the table's
// cell separator "|" shown as "¦", so the text stays one cell of one row.
QString cellText(const QString &text);

} // namespace regional
