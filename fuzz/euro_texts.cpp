// The calculator's texts on any input, read as a text and, from its first eight bytes, as any
// double: NumericValue and IsNumberText; GeneralText, FourDecimalText and the digit patterns
// the calculator writes numbers with; and the display rules: what NormalizeDisplayText
// leaves, what FitResultToDisplay makes of a computed number and of the text, and the
// currency captions.
#include <array>
#include <cfloat>
#include <cmath>
#include <string>

#include "common/utf8_text.h"
#include "euro/display_rules.h"
#include "euro/number_text.h"
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

std::size_t Limit(std::string_view text) {
    return text.starts_with('-') ? 14 : 13;
}

void CheckNormalize(std::string_view text) {
    const std::string once = NormalizeDisplayText(text);
    const std::string detail = Quoted(text) + " gives " + Quoted(once);
    FUZZ_CHECK(NormalizeDisplayText(once) == once, detail);
    FUZZ_CHECK(once.find(',') == std::string::npos, detail);
    // Characters as a person counts them: a byte that is not valid UTF-8 is one on its own.
    FUZZ_CHECK(CharCount(once) <= Limit(once), detail);
    // Only the start of the text, with "," read as ".".
    std::string dotted(text);
    for (char& c : dotted) {
        c = c == ',' ? '.' : c;
    }
    FUZZ_CHECK(dotted.starts_with(once), detail);
    FUZZ_CHECK(once.size() == dotted.size() || CharCount(once) == Limit(once), detail);
}

// A computed result written as the engine writes it keeps its magnitude on the display.
void CheckFitComputed(double value) {
    if (!std::isfinite(value)) {
        return;
    }
    const std::string computed = GeneralText(value);
    const std::string fitted = FitResultToDisplay(computed);
    const std::string shown = NormalizeDisplayText(fitted);
    const std::string detail = computed + " fitted " + Quoted(fitted) + " shown " + Quoted(shown);
    FUZZ_CHECK(IsNumberText(fitted), detail);
    FUZZ_CHECK(IsNumberText(shown), detail);
    FUZZ_CHECK(fitted.size() <= Limit(fitted) || fitted.find('E') == std::string::npos, detail);
    const double back = NumericValue(shown);
    FUZZ_CHECK(std::fabs(back - value) <= std::fabs(value) * 1e-6 || std::fabs(value) < DBL_MIN,
               detail);
}

void CheckFitText(std::string_view text) {
    const std::string fitted = FitResultToDisplay(text);
    const std::string detail = Quoted(text) + " fitted " + Quoted(fitted);
    if (!IsNumberText(text) || text.size() <= Limit(text)) {
        FUZZ_CHECK(fitted == text, detail);
        return;
    }
    FUZZ_CHECK(IsNumberText(fitted), detail);
    if (std::isfinite(NumericValue(text))) {
        // Cut to the display's length, a result (which has no blanks around it) stays a number.
        const bool blanks = text.find_first_of(" \t") != std::string_view::npos;
        FUZZ_CHECK(blanks || IsNumberText(NormalizeDisplayText(fitted)), detail);
    } else {
        FUZZ_CHECK(fitted == text, detail);  // no shorter form of a number beyond a double
    }
}

// An amount is spelled out with grouping and `decimals` places, or, from 10^15 up, written in
// exponent form with a decimal comma ("-1,66386E+22").
void CheckAmount(std::string_view amount, std::size_t decimals, const std::string& detail) {
    const std::size_t exponent = amount.find('E');
    if (exponent != std::string_view::npos) {
        const std::string_view mantissa = amount.substr(0, exponent);
        const std::string_view power = amount.substr(exponent + 1);
        FUZZ_CHECK(mantissa.find_first_not_of("-0123456789,") == std::string_view::npos, detail);
        FUZZ_CHECK(power.size() >= 3 && power[0] == '+', detail);
        FUZZ_CHECK(power.find_first_not_of("0123456789", 1) == std::string_view::npos, detail);
        FUZZ_CHECK(std::stoi(std::string(power.substr(1))) >= 15, detail);
        return;
    }
    FUZZ_CHECK(amount.find_first_not_of("-0123456789.,") == std::string_view::npos, detail);
    const std::size_t comma = amount.find(',');
    if (decimals == 0) {
        FUZZ_CHECK(comma == std::string_view::npos, detail);
    } else {
        FUZZ_CHECK(comma != std::string_view::npos && amount.size() - comma - 1 == decimals,
                   detail);
    }
}

void CheckLabels(std::string_view text) {
    const CurrencyLabels labels = UpdateCurrencyLabels(text);
    const std::string detail =
        Quoted(text) + " gives " + Quoted(labels.pesetas) + " " + Quoted(labels.euros);
    FUZZ_CHECK(labels.pesetas.empty() == labels.euros.empty(), detail);
    if (labels.pesetas.empty()) {
        return;
    }
    FUZZ_CHECK(labels.pesetas.ends_with(" Ptas.") && labels.euros.ends_with(" Euros."), detail);
    const std::string_view pesetas =
        std::string_view(labels.pesetas).substr(0, labels.pesetas.size() - 6);
    const std::string_view euros =
        std::string_view(labels.euros).substr(0, labels.euros.size() - 7);
    CheckAmount(pesetas, 0, detail);
    CheckAmount(euros, 2, detail);
}

}  // namespace
}  // namespace minizol::fuzz

FUZZ_TARGET(input) {
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
    CheckNormalize(text);
    CheckFitText(text);
    CheckLabels(text);
    CheckLabels(NormalizeDisplayText(text));
    for (const double number : {value, input.Double()}) {
        CheckValue(number);
        CheckFitComputed(number);
    }
}
