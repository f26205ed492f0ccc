// The calculator's texts on any input, read as a text and, from its first eight bytes, as any
// double: reading and writing numbers, and the display rules and captions.
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

void CheckGeneralText(double value) {
    if (!std::isfinite(value)) {
        return;
    }
    const std::string text = GeneralText(value);
    const std::string detail = text + " from " + std::to_string(value);
    FUZZ_CHECK(IsNumberText(text), detail);
    FUZZ_CHECK(text.find_first_not_of("0123456789.E+-") == std::string::npos, detail);
    // Fifteen significant digits: reading back is that close, and writing again is stable.
    const double back = NumericValue(text);
    FUZZ_CHECK(std::fabs(back - value) <= std::fabs(value) * 1e-14 || std::fabs(value) < DBL_MIN,
               detail);
    FUZZ_CHECK(GeneralText(back) == text, detail + " rewritten " + GeneralText(back));
}

// The patterns of the conversions and of the captions, and half their last place.
constexpr std::array<std::pair<std::string_view, double>, 4> kPatterns = {
    {{"###########", 0.5},
     {"########0.00", 0.005},
     {"###,###,###,###,###,##0", 0.5},
     {"###,###,###,###,###,###,###0.00", 0.005}}};

// Read back without its group marks, the text is the value rounded to the pattern's last place
// on 15 significant digits, and never "-0"; the unit tests pin the layout itself.
void CheckPattern(double value, std::string_view pattern, double halfPlace) {
    const std::string text = FormatWithPattern(value, pattern, '.', ',');
    const std::string detail =
        Quoted(text) + " from " + GeneralText(value) + " through " + std::string(pattern);
    if (!std::isfinite(value)) {
        FUZZ_CHECK(text.empty(), detail);
        return;
    }
    std::string plain;
    for (const char c : text) {
        if (c != '.') {
            plain += c == ',' ? '.' : c;
        }
    }
    FUZZ_CHECK(plain.find_first_not_of("-0123456789.") == std::string::npos, detail);
    FUZZ_CHECK(plain.empty() || IsNumberText(plain), detail);
    const double back = NumericValue(plain);
    FUZZ_CHECK(!plain.starts_with('-') || back != 0.0, detail);
    FUZZ_CHECK(std::fabs(back - value) <= halfPlace + std::fabs(value) * 1e-14, detail);
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
    FUZZ_CHECK(IsNumberText(fitted) && IsNumberText(shown), detail);
    FUZZ_CHECK(fitted.size() <= Limit(fitted) || fitted.find('E') == std::string::npos, detail);
    const double back = NumericValue(shown);
    FUZZ_CHECK(std::fabs(back - value) <= std::fabs(value) * 1e-6 || std::fabs(value) < DBL_MIN,
               detail);
}

// Both captions or neither, each in its currency; the unit tests pin how amounts are written.
void CheckLabels(std::string_view text) {
    const CurrencyLabels labels = UpdateCurrencyLabels(text);
    FUZZ_CHECK(labels.pesetas.empty()
                   ? labels.euros.empty()
                   : labels.pesetas.ends_with(" Ptas.") && labels.euros.ends_with(" Euros."),
               Quoted(text) + " gives " + Quoted(labels.pesetas) + " " + Quoted(labels.euros));
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
    CheckLabels(text);
    CheckLabels(NormalizeDisplayText(text));
    for (const double number : {value, input.Double()}) {
        CheckGeneralText(number);
        for (const auto& [pattern, halfPlace] : kPatterns) {
            CheckPattern(number, pattern, halfPlace);
        }
        CheckFitComputed(number);
    }
}
