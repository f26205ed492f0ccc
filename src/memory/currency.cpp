#include "memory/currency.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace minizol {

std::optional<Currency> Currency::FromDouble(double value) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double whole = std::trunc(value);
    if (std::fabs(whole) > static_cast<double>(kMax / kUnitsPerWhole)) {
        return std::nullopt;
    }
    // Whole part and fraction apart, so that a large whole count is not rounded by the scaling.
    // nearbyint in the default rounding mode, which this program never changes: halves to even.
    const auto fraction =
        static_cast<std::int64_t>(std::nearbyint((value - whole) * kUnitsPerWhole));
    const std::int64_t wholeUnits = static_cast<std::int64_t>(whole) * kUnitsPerWhole;
    if ((fraction > 0 && wholeUnits > kMax - fraction) ||
        (fraction < 0 && wholeUnits < -kMax - 1 - fraction)) {
        return std::nullopt;
    }
    return Currency(wholeUnits + fraction);
}

std::string Currency::ToText(std::string_view decimalSeparator) const {
    const bool negative = units_ < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(units_) : static_cast<std::uint64_t>(units_);
    char whole[24];
    const auto wholeEnd =
        std::to_chars(whole, whole + sizeof whole, magnitude / kUnitsPerWhole).ptr;

    std::string text;
    text.reserve(32);
    if (negative) {
        text += '-';
    }
    text.append(whole, wholeEnd);
    std::uint64_t fraction = magnitude % kUnitsPerWhole;
    if (fraction != 0) {
        char digits[4];
        for (int i = 3; i >= 0; --i) {
            digits[i] = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        int count = 4;
        while (digits[count - 1] == '0') {
            --count;
        }
        text += decimalSeparator;
        text.append(digits, static_cast<std::size_t>(count));
    }
    return text;
}

std::uint64_t MulDivHalfEven(std::uint64_t n, std::uint64_t multiplier, std::uint64_t divisor) {
    const std::uint64_t rest = n % divisor * multiplier;
    std::uint64_t quotient = n / divisor * multiplier + rest / divisor;
    const std::uint64_t remainder = rest % divisor;
    if (remainder > divisor - remainder ||
        (remainder == divisor - remainder && quotient % 2 != 0)) {
        ++quotient;
    }
    return quotient;
}

}  // namespace minizol
