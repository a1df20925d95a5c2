#pragma once

// How a table cell's text is broken into the lines of its box.

#include "platform/pages/fontmap.h"

#include <QString>
#include <vector>

namespace pages {

struct CellLine {
    QString text;
    double width = 0;    // twips, as drawn (after scale)
    double scale = 1.0;  // < 1: drawn in a smaller font so that it fits
};

// A number as reports write them: digits with their signs and separators
// ("1.234,56", "-0,50", "02-03-2026", "107193", "12%").
bool isNumberWord(const QString &word);

// Breaks a cell's text into lines no wider than `width` twips. Text breaks
// only between words. A number is never broken nor cut: when it alone is wider
// than the cell it keeps a line of its own, drawn smaller to fit. Any other
// word wider than the cell is shortened and ends in "…", so that no reader
// takes a piece of a word for a word. A text that fits is kept as it is,
// blanks included.
std::vector<CellLine> wrapCell(const QString &text, const FontCache::Entry &font, double width);

// The room between a table cell's border and its text, on each side (twips).
inline constexpr int CellPaddingX = 60;

// The mark that ends a shortened word.
inline constexpr QChar ElisionMark = QChar(0x2026);

}  // namespace pages
