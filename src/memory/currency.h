#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace minizol {

// A fixed-point amount: a signed 64-bit count of 1/10000 units. The memory report carries byte
// counts and its scaled figures in it.
class Currency {
  public:
    static constexpr std::int64_t kUnitsPerWhole = 10000;

    constexpr Currency() = default;
    static constexpr Currency FromUnits(std::int64_t units) { return Currency(units); }

    // `value` rounded to four decimals, halves to even; whole numbers convert exactly. Nothing
    // for NaN, infinities and values outside about ±922337203685477.
    static std::optional<Currency> FromDouble(double value);

    constexpr std::int64_t units() const { return units_; }

    // No digit grouping, no trailing zeros, no separator for whole amounts: "512", "1,5".
    std::string ToText(std::string_view decimalSeparator) const;

    friend constexpr auto operator<=>(const Currency&, const Currency&) = default;

  private:
    constexpr explicit Currency(std::int64_t units) : units_(units) {}

    std::int64_t units_ = 0;
};

// round(n * multiplier / divisor) with an exact half going to the even neighbour, computed
// exactly; (n / divisor) * multiplier and (n % divisor) * multiplier must fit in 64 bits.
std::uint64_t MulDivHalfEven(std::uint64_t n, std::uint64_t multiplier, std::uint64_t divisor);

}  // namespace minizol
