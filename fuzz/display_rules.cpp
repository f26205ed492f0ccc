// The display rules on any text: what NormalizeDisplayText leaves, what FitResultToDisplay
// makes of a computed number (from the input's first eight bytes as any double) and of the
// input itself, and the currency captions.
#include "euro/display_rules.h"

#include <cfloat>
#include <cmath>
#include <string>

#include "common/utf8_text.h"
#include "euro/number_text.h"
#include "fuzz_support.h"

namespace minizol::fuzz {
namespace {

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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace minizol::fuzz;
    Input input(data, size);
    const std::string_view text = input.rest();
    CheckNormalize(text);
    CheckFitText(text);
    CheckLabels(text);
    CheckLabels(minizol::NormalizeDisplayText(text));
    CheckFitComputed(input.Double());
    CheckFitComputed(minizol::NumericValue(text));
    return 0;
}
