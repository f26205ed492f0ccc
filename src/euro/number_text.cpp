#include "euro/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace minizol {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Length of the number that starts at text[pos] (sign, digits, point, exponent), or 0.
// An exponent marker is only part of the number when digits follow it.
std::size_t LeadingNumberLength(std::string_view text, std::size_t pos) {
    std::size_t i = pos;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    const std::size_t integerStart = i;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
    }
    // The calculator never writes a bare point (".5"): a number starts with a digit.
    if (i == integerStart) {
        return 0;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
        }
    }
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        const std::size_t exponentStart = j;
        while (j < text.size() && IsDigit(text[j])) {
            ++j;
        }
        if (j > exponentStart) {
            i = j;
        }
    }
    return i - pos;
}

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    return pos;
}

// Fifteen significant digits of the doubles above this round to a number beyond the largest
// double, which would read back as infinity: they are written as this instead.
constexpr double kLargestFifteenDigits = 1.79769313486231e308;

double WithinFifteenDigitRange(double value) {
    return std::fabs(value) > kLargestFifteenDigits && std::isfinite(value)
               ? std::copysign(kLargestFifteenDigits, value)
               : value;
}

// The 15 significant digits of |value| and the power of ten of the first one.
struct DecimalDigits {
    std::string digits;
    int exponent = 0;
};

DecimalDigits SignificantDigits(double value) {
    std::array<char, 40> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                      std::fabs(WithinFifteenDigitRange(value)), std::chars_format::scientific, 14);
    const std::string_view text(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));
    DecimalDigits out;
    const std::size_t e = text.find('e');
    for (char c : text.substr(0, e)) {
        if (IsDigit(c)) {
            out.digits += c;
        }
    }
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                    out.exponent);
    return out;
}

std::string GroupThousands(const std::string& digits, char separator) {
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += separator;
        }
        out += digits[i];
    }
    return out;
}

struct PatternShape {
    bool grouping = false;
    std::size_t minIntegerDigits = 0;
    std::size_t decimals = 0;
};

PatternShape ReadPattern(std::string_view pattern) {
    PatternShape shape;
    const std::size_t point = pattern.find('.');
    const std::string_view integerPart = pattern.substr(0, point);
    shape.grouping = integerPart.find(',') != std::string_view::npos;
    for (auto it = integerPart.rbegin(); it != integerPart.rend() && *it == '0'; ++it) {
        ++shape.minIntegerDigits;
    }
    if (point != std::string_view::npos) {
        shape.decimals = pattern.size() - point - 1;
    }
    return shape;
}

}  // namespace

double NumericValue(std::string_view text) {
    const std::size_t start = SkipBlanks(text, 0);
    const std::size_t length = LeadingNumberLength(text, start);
    if (length == 0) {
        return 0.0;
    }
    std::string_view number = text.substr(start, length);
    const bool negative = number.front() == '-';
    if (number.front() == '+' || number.front() == '-') {
        number.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone here; tell overflow from underflow by the exponent.
        const std::size_t e = number.find_first_of("Ee");
        const bool tiny = e != std::string_view::npos && number.substr(e + 1).starts_with('-');
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

bool IsNumberText(std::string_view text) {
    std::size_t start = SkipBlanks(text, 0);
    const std::size_t length = LeadingNumberLength(text, start);
    return length > 0 && SkipBlanks(text, start + length) == text.size();
}

std::string GeneralText(double value) {
    if (value == 0.0) {
        return "0";  // also for -0, which a person never writes
    }
    std::array<char, 40> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), WithinFifteenDigitRange(value),
                      std::chars_format::general, 15);
    std::string text(buffer.data(), result.ptr);
    for (char& c : text) {
        if (c == 'e') {
            c = 'E';
        }
    }
    return text;
}

std::optional<std::string> FourDecimalText(double value) {
    const double scaled = std::nearbyint(value * 10000.0);  // default rounding: halves to even
    constexpr double kLimit = 9223372036854775807.0;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= kLimit) {
        return std::nullopt;
    }
    return GeneralText(static_cast<double>(static_cast<long long>(scaled)) / 10000.0);
}

std::string FormatWithPattern(double value, std::string_view pattern, char groupSeparator,
                              char decimalSeparator) {
    if (!std::isfinite(value)) {
        return {};
    }
    const PatternShape shape = ReadPattern(pattern);
    DecimalDigits number = SignificantDigits(value);
    if (value == 0.0) {
        number.digits.assign(1, '0');
        number.exponent = 0;
    }

    // `integerDigits` digits stand before the decimal point; keep integerDigits + decimals.
    long long integerDigits = number.exponent + 1;
    const long long keep = integerDigits + static_cast<long long>(shape.decimals);
    std::string digits = number.digits;
    if (keep < 0) {
        digits.clear();
    } else if (keep < static_cast<long long>(digits.size())) {
        const bool roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        if (roundUp) {
            std::size_t i = digits.size();
            while (i > 0 && digits[i - 1] == '9') {
                digits[--i] = '0';
            }
            if (i == 0) {
                digits.insert(digits.begin(), '1');
                ++integerDigits;
            } else {
                ++digits[i - 1];
            }
        }
    }

    // Lay the kept digits out on both sides of the point, padding with zeros.
    std::string integerPart;
    std::string fraction;
    if (integerDigits > 0) {
        integerPart = digits.substr(0, static_cast<std::size_t>(std::min<long long>(
                                           integerDigits, static_cast<long long>(digits.size()))));
        integerPart.append(static_cast<std::size_t>(integerDigits) - integerPart.size(), '0');
        if (static_cast<std::size_t>(integerDigits) < digits.size()) {
            fraction = digits.substr(static_cast<std::size_t>(integerDigits));
        }
    } else {
        fraction.assign(static_cast<std::size_t>(-integerDigits), '0');
        fraction += digits;
    }
    fraction.resize(shape.decimals, '0');

    const std::size_t firstNonZero = integerPart.find_first_not_of('0');
    integerPart = firstNonZero == std::string::npos ? "" : integerPart.substr(firstNonZero);
    if (integerPart.size() < shape.minIntegerDigits) {
        integerPart.insert(0, shape.minIntegerDigits - integerPart.size(), '0');
    }

    const bool isZero = integerPart.find_first_not_of('0') == std::string::npos &&
                        fraction.find_first_not_of('0') == std::string::npos;
    std::string text = (value < 0 && !isZero) ? "-" : "";
    text += shape.grouping ? GroupThousands(integerPart, groupSeparator) : integerPart;
    if (shape.decimals > 0) {
        text += decimalSeparator;
        text += fraction;
    }
    return text;
}

}  // namespace minizol
