#pragma once

// Lengths: the engine works in twips (1440 an inch, 20 a point, 15 a pixel
// at 96 dpi); callers may also give a text with a unit.

#include <QString>

#include <optional>

namespace pages {

constexpr int TwipsPerInch = 1440;
constexpr int TwipsPerPoint = 20;
constexpr int TwipsPerPixel = 15;

// "2cm" -> 1134, "0.5cm", "10mm", "1in", "72pt", "100px", "1440", "1440tw";
// a decimal comma is read as a point. Blanks around and before the unit are
// allowed. nullopt when the text is not a length.
std::optional<int> parseTwips(const QString &text);

}  // namespace pages
