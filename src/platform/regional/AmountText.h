#pragma once

#include "Money.h"

#include <QString>
#include <optional>

// The one rule every amount box follows: a typed or pasted text is either a
// clear amount or refused with the reason, never rounded or reinterpreted.
//
// A clear amount is digits, optionally grouped by dots in threes, and at most
// two decimals after a comma: "1.234,56", "1234,5", ",30". With no comma, a
// single dot followed by one or two digits is the keypad's decimal key
// ("12.5" is 12,50); a single dot followed by three digits could be either
// and is refused. Blank is 0, as an untouched box shows it.
namespace regional {

// The largest amount one movement may carry: ten thousand such movements a day
// for a lifetime of days still sum far inside the 64-bit count of Money.
inline constexpr Money MaxAmount = Money::fromCents(99'999'999'999); // 999.999.999,99

enum class AmountSign { NotNegative, MayBeNegative };

struct AmountCheck
{
    std::optional<Money> amount; // set when the text is a clear amount
    QString refusal;             // otherwise why not, as the user reads it

    bool accepted() const { return amount.has_value(); }
};

AmountCheck checkAmountText(const QString &text, AmountSign sign = AmountSign::NotNegative);

} // namespace regional
