#pragma once

// What a by-name caller may give for a whole number or a truth value. Hosts
// that forward a by-name interface pass numbers as text from edit fields and
// form files; these say what such a text means, and refuse what it cannot
// mean instead of guessing.

#include <QVariant>

#include <optional>

namespace pages {

// A whole number given as a number or as text ("50", " -3 "); nullopt for a
// fraction ("50.7", 50.7), a length with a unit ("2cm") or anything else.
std::optional<qint64> wholeNumber(const QVariant &value);

// True or False given as a Boolean, as a whole number (0 False, any other
// True) or as the text "True"/"False" (any case) or a whole number; nullopt
// for anything else ("abc", "").
std::optional<bool> truthValue(const QVariant &value);

// A number with or without a fraction ("9.75", "9,75", 9.75); nullopt for
// anything that is not a finite number.
std::optional<double> realNumber(const QVariant &value);

}  // namespace pages
