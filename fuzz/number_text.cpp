// The number texts: the input read as a text by NumericValue and IsNumberText, and numbers
// (read from the text, and from the input's first eight bytes as any double) written by
// GeneralText, FourDecimalText and the digit patterns the calculator uses.
#include "euro/number_text.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <string>

#include "fuzz_support.h"

namespace minizol::fuzz {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void CheckGeneralText(double value) {
    const std::string text = GeneralText(value);
    const std::string detail = GeneralText(value) + " from " + std::to_string(value);
    if (!std::isfinite(value)) {
        return;
    }
    FUZZ_CHECK(IsNumberText(text), detail);
    FUZZ_CHECK(text.find_first_not_of("0123456789.E+-") == std::string::npos, detail);
    // Fifteen significant digits: reading back is that close, and writing again is stable.
    const double back = NumericValue(text);
    FUZZ_CHECK(std::fabs(back - value) <= std::fabs(value) * 1e-14 || std::fabs(value) < DBL_MIN,
               detail);
    FUZZ_CHECK(GeneralText(back) == text, detail + " rewritten " + GeneralText(back));
    if (value == std::trunc(value) && std::fabs(value) < 1e15) {
        FUZZ_CHECK(text.find_first_of(".E") == std::string::npos, detail);
    }
}

void CheckFourDecimalText(double value) {
    const auto text = FourDecimalText(value);
    const double scaled = std::nearbyint(value * 10000.0);
    const bool countable = std::isfinite(scaled) && std::fabs(scaled) < 9223372036854775807.0;
    FUZZ_CHECK(text.has_value() == countable, std::to_string(value));
    if (!text) {
        return;
    }
    const std::string detail = *text + " from " + GeneralText(value);
    FUZZ_CHECK(IsNumberText(*text), detail);
    const double back = NumericValue(*text);
    FUZZ_CHECK(std::fabs(back - value) <= 0.00005 + std::fabs(value) * 1e-14, detail);
    // At most four decimals when written without an exponent.
    const std::size_t point = text->find('.');
    if (point != std::string::npos && text->find('E') == std::string::npos) {
        FUZZ_CHECK(text->size() - point - 1 <= 4, detail);
    }
}

struct Pattern {
    std::string_view digits;
    char group;
    char point;
    int decimals;
    bool grouping;
    std::size_t minInteger;
};

// The patterns of the conversions and of the captions.
constexpr std::array<Pattern, 4> kPatterns = {{
    {"###########", '.', '.', 0, false, 0},
    {"########0.00", ',', '.', 2, false, 1},
    {"###,###,###,###,###,##0", '.', ',', 0, true, 1},
    {"###,###,###,###,###,###,###0.00", '.', ',', 2, true, 1},
}};

void CheckPattern(double value, const Pattern& pattern) {
    const std::string text = FormatWithPattern(value, pattern.digits, pattern.group, pattern.point);
    const std::string detail =
        Quoted(text) + " from " + GeneralText(value) + " through " + std::string(pattern.digits);
    if (!std::isfinite(value)) {
        FUZZ_CHECK(text.empty(), detail);
        return;
    }
    std::string_view rest = text;
    const bool negative = rest.starts_with('-');
    if (negative) {
        rest.remove_prefix(1);
    }
    std::string_view integer = rest;
    std::string_view fraction;
    if (pattern.decimals > 0) {
        const std::size_t point = rest.rfind(pattern.point);
        FUZZ_CHECK(point != std::string_view::npos, detail);
        integer = rest.substr(0, point);
        fraction = rest.substr(point + 1);
        FUZZ_CHECK(fraction.size() == static_cast<std::size_t>(pattern.decimals), detail);
    }
    // Digits in groups of three from the right, and at least the pattern's integer digits.
    std::string digits;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        const std::size_t fromRight = integer.size() - i;
        if (pattern.grouping && fromRight % 4 == 0) {
            FUZZ_CHECK(integer[i] == pattern.group, detail);
            FUZZ_CHECK(i > 0, detail);
            continue;
        }
        FUZZ_CHECK(IsDigit(integer[i]), detail);
        digits += integer[i];
    }
    FUZZ_CHECK(digits.size() >= pattern.minInteger, detail);
    FUZZ_CHECK(digits.size() <= 1 || digits.front() != '0', detail);
    for (const char c : fraction) {
        FUZZ_CHECK(IsDigit(c), detail);
    }
    // Close to the value: rounded to the last place on 15 significant digits; never "-0".
    const double back = NumericValue((negative ? "-" : "") + (digits.empty() ? "0" : digits) + "." +
                                     std::string(fraction));
    FUZZ_CHECK(!negative || back != 0.0, detail);
    const double halfPlace = pattern.decimals == 0 ? 0.5 : 0.005;
    FUZZ_CHECK(std::fabs(back - value) <= halfPlace + std::fabs(value) * 1e-14, detail);
}

void CheckValue(double value) {
    CheckGeneralText(value);
    CheckFourDecimalText(value);
    for (const Pattern& pattern : kPatterns) {
        CheckPattern(value, pattern);
    }
}

}  // namespace
}  // namespace minizol::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace minizol;
    using namespace minizol::fuzz;
    Input input(data, size);
    const std::string_view text = input.rest();

    const double value = NumericValue(text);
    FUZZ_CHECK(!std::isnan(value), Quoted(text));
    if (IsNumberText(text)) {
        // A number reads the same with blanks around it and with anything after it.
        FUZZ_CHECK(NumericValue(" " + std::string(text) + "\t") == value, Quoted(text));
    } else {
        FUZZ_CHECK(!IsNumberText(" " + std::string(text) + " "), Quoted(text));
    }
    FUZZ_CHECK(NumericValue(std::string(text) + "x") == value, Quoted(text));
    CheckValue(value);
    CheckValue(input.Double());
    return 0;
}
