#pragma once

#include <QString>

// Fixed-width columns of the fixed-pitch lists and display lines. A column
// counts whole characters as the eye sees them (a letter with its accents, an
// emoji of two UTF-16 halves), so a cut never splits one.
namespace regional {

// The number of whole characters (grapheme clusters) of the text.
int characterCount(const QString &text);
// The first / last n whole characters of the text.
QString firstCharacters(const QString &text, int n);
QString lastCharacters(const QString &text, int n);

// The trimmed text right-justified in n characters, cut on the left when longer.
QString PadLeft(const QString &text, int n);
// The trimmed text left-justified in n characters, cut on the right when longer.
QString PadRight(const QString &text, int n);

} // namespace regional
