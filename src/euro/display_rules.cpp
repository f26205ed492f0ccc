#include "euro/display_rules.h"

#include <array>
#include <charconv>
#include <cmath>

#include "common/utf8_text.h"
#include "euro/number_text.h"

namespace minizol {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::size_t DisplayLimit(std::string_view text) {
    return text.starts_with('-') ? 14 : 13;
}

// `value` in exponent form with `digits` significant digits: "-1.2345E+15".
std::string ExponentText(double value, int digits) {
    std::array<char, 48> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, digits - 1);
    std::string text(buffer.data(), result.ptr);
    const std::size_t e = text.find('e');
    std::string mantissa = text.substr(0, e);
    if (mantissa.find('.') != std::string::npos) {
        mantissa.erase(mantissa.find_last_not_of('0') + 1);
        if (mantissa.ends_with('.')) {
            mantissa.pop_back();
        }
    }
    return mantissa + 'E' + text.substr(e + 1);
}

// A currency amount in Spanish notation. Digit patterns write every integer digit, but beyond
// 15 digits a double has no more real ones: "-16.638.600.000.000.000.000.000" would be mostly
// invented zeros, too long for its label and, once clipped, read as a smaller number. Such
// amounts are written in exponent form with a decimal comma instead: "-1,66386E+22".
std::string CurrencyAmount(double amount, std::string_view pattern) {
    constexpr double kLargestSpelledOut = 1e15;
    if (std::fabs(amount) < kLargestSpelledOut) {
        return FormatWithPattern(amount, pattern, '.', ',');
    }
    std::string text = ExponentText(amount, 6);
    for (char& c : text) {
        if (c == '.') {
            c = ',';
        }
    }
    return text;
}

}  // namespace

std::string FitResultToDisplay(std::string_view numberText) {
    const std::size_t limit = DisplayLimit(numberText);
    if (numberText.size() <= limit || !IsNumberText(numberText)) {
        return std::string(numberText);
    }
    const bool exponentForm = numberText.find_first_of("Ee") != std::string_view::npos;
    const std::size_t point = std::min(numberText.find('.'), numberText.size());
    if (!exponentForm && point <= limit) {
        return std::string(numberText);  // only decimals get cut
    }
    const double value = NumericValue(numberText);
    if (!std::isfinite(value)) {
        return std::string(numberText);  // no shorter form; the engine refuses it as overflow
    }
    for (int digits = 15; digits > 1; --digits) {
        std::string text = ExponentText(value, digits);
        if (text.size() <= limit) {
            return text;
        }
    }
    return ExponentText(value, 1);
}

std::string NormalizeDisplayText(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == ',') {
            c = '.';
        }
    }
    const bool negative = out.starts_with('-');
    const std::size_t limit = negative ? 14 : 13;
    // Characters as DigiZol's fields count them, so that bytes which are not UTF-8 count too.
    if (CharCount(out) > limit) {
        out.resize(CharSlice(out, 0, limit).size());
    }
    return out;
}

CurrencyLabels UpdateCurrencyLabels(std::string_view displayText) {
    if (!IsNumberText(displayText) && !TrimBlanks(displayText).empty()) {
        return {};
    }
    const double value = NumericValue(displayText);
    if (value == 0.0) {
        return {"0 Ptas.", "0,00 Euros."};
    }
    const double pesetas = value * kPesetasPerEuro;
    const double euros = value / kPesetasPerEuro;
    if (!std::isfinite(pesetas) || !std::isfinite(euros)) {
        return {};  // beyond what a double holds: nothing sensible to show
    }
    return {CurrencyAmount(pesetas, "###,###,###,###,###,##0") + " Ptas.",
            CurrencyAmount(euros, "###,###,###,###,###,###,###0.00") + " Euros."};
}

}  // namespace minizol
