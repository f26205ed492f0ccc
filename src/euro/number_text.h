#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace minizol {

// The value of the longest leading number of `text`: blanks skipped, an optional sign, digits,
// an optional "." with digits, an optional exponent. A number starts with a digit: ".5" has none.
// "," is never a decimal point. A text without a leading number gives 0; a number beyond the range
// of a double gives +/-infinity so that arithmetic on it fails visibly instead of silently.
double NumericValue(std::string_view text);

// Whether `text`, blanks around it aside, reads completely as one number in the grammar of
// NumericValue (so "0." and "1E-12" are numbers; "-", ".5", "(Error)" and "" are not).
bool IsNumberText(std::string_view text);

// The value rounded to 15 significant digits, "." as decimal point, no grouping, no trailing
// zeros or point; magnitudes from 1E+15 up, and very small ones, in exponent form. The few
// largest doubles, which would round beyond the range, give "1.79769313486231E+308".
std::string GeneralText(double value);

// The value rounded to the nearest ten-thousandth (halves to even), written as GeneralText.
// Empty when the value is not finite or beyond the range of a 64-bit count of ten-thousandths.
std::optional<std::string> FourDecimalText(double value);

// Writes `value` through a digit pattern such as "###,###,##0" or "########0.00": "," in the
// integer part asks for thousands grouping, the "0"s at its end are the integer digits always
// written, the places after "." the decimals. Rounding is decimal, halves away from zero, on
// the value's 15-significant-digit form, as a person reading the number expects (2.675 gives
// 2.68). A result that rounds to zero is written without a sign. Empty for non-finite values.
std::string FormatWithPattern(double value, std::string_view pattern, char groupSeparator,
                              char decimalSeparator);

}  // namespace minizol
