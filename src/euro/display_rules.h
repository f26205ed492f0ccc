#pragma once

#include <string>
#include <string_view>

namespace minizol {

// Pesetas for one euro, the fixed conversion rate.
inline constexpr double kPesetasPerEuro = 166.386;

// The display always uses "." as decimal point and holds at most 13 characters (14 with a
// leading "-"), whoever wrote it.
std::string NormalizeDisplayText(std::string_view text);

// A computed number as the display can hold it. Cutting decimals off a long result is how the
// display shortens numbers, but cutting the end off "-123456789012345" or "5.35279123212E-05"
// would change its magnitude; such results are rewritten in exponent form with as many
// significant digits as fit. Texts that are not numbers pass unchanged.
std::string FitResultToDisplay(std::string_view numberText);

// The captions beside the display: the number taken as euros in pesetas, and taken as pesetas
// in euros, with Spanish grouping ("166.386 Ptas.", "6,01 Euros.").
struct CurrencyLabels {
    std::string pesetas;
    std::string euros;

    friend bool operator==(const CurrencyLabels&, const CurrencyLabels&) = default;
};

CurrencyLabels UpdateCurrencyLabels(std::string_view displayText);

}  // namespace minizol
