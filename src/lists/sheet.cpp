#include "lists/sheet.h"

#include <charconv>
#include <cmath>

namespace minizol {

std::string NumberCellText(double value) {
    char digits[32];
    // Every whole number a double holds exactly is written with all its digits.
    constexpr double kExactWhole = 9007199254740992.0;  // 2^53
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) <= kExactWhole) {
        const auto end = std::to_chars(digits, digits + sizeof digits,
                                       static_cast<long long>(value)).ptr;
        return std::string(digits, end);
    }
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    std::string text(digits, end);
    for (char& c : text) {
        if (c == '.') {
            c = ',';
        }
    }
    return text;
}

std::string NumberCellText(std::string_view stored) {
    double value = 0;
    const auto [end, error] = std::from_chars(stored.data(), stored.data() + stored.size(), value);
    if (error != std::errc() || end != stored.data() + stored.size()) {
        return std::string(stored);
    }
    return NumberCellText(value);
}

}  // namespace minizol
