// The calculator engine fed bytes as keys: bytes below 0x80 are typed characters, the others
// key-downs (Ctrl, the arrows, F1 and keys the engine ignores). After every key the display
// must be something the calculator may show, and a completed operation or conversion must
// show the value it computes, or "(Error)" exactly when that value is out of range.
#include <array>
#include <cmath>
#include <string>

#include "euro/calculator_engine.h"
#include "euro/display_rules.h"
#include "euro/number_text.h"
#include "fuzz_support.h"
#include "support/fake_calculator_view.h"

namespace minizol::fuzz {
namespace {

using View = testing::FakeCalculatorView;

constexpr std::array<int, 8> kKeyDowns = {keys::kCtrl, keys::kLeft, keys::kUp, keys::kRight,
                                          keys::kDown, keys::kF1,   0,         'A'};

constexpr double kLargestResult = 999'999'999'999.0;
// Subtraction and division go through a 64-bit count of ten-thousandths.
constexpr double kLargestFourDecimal = 9223372036854775807.0 / 10000.0;

// What an operation should show, and how far the display may be from it: 15 significant
// digits, the display's own shortening to 13 characters and the operation's rounding.
struct Expected {
    double value = 0.0;
    double tolerance = 0.0;  // absolute, from the operation's rounding
    double limit = kLargestResult;
    bool FitsLimits() const { return std::isfinite(value) && value <= limit; }
    // Where rounding to 15 digits, or to four decimals, may cross a limit either way.
    bool NearALimit() const {
        return std::fabs(value - kLargestResult) <= 1e-3 ||
               std::fabs(std::fabs(value) - kLargestFourDecimal) <= 1e3;
    }
};

Expected Operation(std::string_view op, double stored, double operand) {
    if (op == "+") {
        return Expected{stored + operand, 0.0};
    }
    if (op == "X") {
        return Expected{stored * operand, 0.0};
    }
    // Rounded to four decimals; beyond a 64-bit count of them there is no result.
    const double value = op == "-" ? stored - operand : stored / operand;
    const bool countable = std::isfinite(value) && std::fabs(value) < kLargestFourDecimal;
    return Expected{countable ? value : HUGE_VAL, 0.00005};
}

// Built only when a check fails: for every key it would slow the search down several times.
std::string Describe(std::size_t step, const View& view) {
    return "key " + std::to_string(step) + ", display " + Quoted(view.display) + ", indicator " +
           Quoted(view.indicator);
}

void CheckShows(const View& view, const Expected& expected, std::size_t step) {
    const std::string& d = view.display;
    const auto detail = [&] {
        return Describe(step, view) + ", expected " + GeneralText(expected.value);
    };
    if (expected.NearALimit()) {
        return;
    }
    if (!expected.FitsLimits()) {
        FUZZ_CHECK(d == kErrorText, detail());
        return;
    }
    FUZZ_CHECK(d != kErrorText, detail());
    const double shown = NumericValue(d);
    FUZZ_CHECK(std::fabs(shown - expected.value) <=
                   expected.tolerance + std::fabs(expected.value) * 1e-6 + 1e-300,
               detail());
}

// Types one character key and checks what it computes.
void TypeCharacter(View& view, CalculatorEngine& engine, std::uint8_t c, std::size_t step) {
    const double before = NumericValue(view.display);
    const bool hadDisplay = !view.display.empty();
    const std::string_view op = engine.PendingOperator();  // one of the engine's literals
    const double stored = engine.StoredValue();

    const int seen = engine.KeyPress(c);
    FUZZ_CHECK(seen == (c == ',' ? '.' : c), Describe(step, view));
    const bool completes = c == keys::kEnter || c == '+' || c == '-' || c == '*' || c == '/';
    if (completes && hadDisplay && !op.empty()) {
        CheckShows(view, Operation(op, stored, before), step);
    } else if (c == 'p' || c == 'P') {
        // Euros to whole pesetas.
        CheckShows(view, Expected{before * kPesetasPerEuro, 0.5}, step);
    } else if (c == 'e' || c == 'E') {
        // Pesetas to euros with two decimals, through a four-decimal quotient.
        const Expected quotient = Operation("/", before, kPesetasPerEuro);
        CheckShows(view, Expected{quotient.value, 0.00505}, step);
    } else if (c == keys::kSpace) {
        CheckShows(view, Expected{-before, 0.0, HUGE_VAL}, step);
    }
}

}  // namespace
}  // namespace minizol::fuzz

FUZZ_TARGET(input) {
    View view;
    CalculatorEngine engine(view);
    int ctrl = 0;
    int f1 = 0;
    for (std::size_t step = 0; !input.empty(); ++step) {
        const std::uint8_t byte = input.Byte();
        if (byte < 0x80) {
            TypeCharacter(view, engine, byte, step);
        } else {
            const int down = kKeyDowns[byte % kKeyDowns.size()];
            ctrl += down == keys::kCtrl ? 1 : 0;
            f1 += down == keys::kF1 ? 1 : 0;
            engine.KeyDown(down);
        }
        const char* broken = testing::BrokenCalculatorRule(view, engine);
        FUZZ_CHECK(broken == nullptr, std::string(broken) + ": " + Describe(step, view));
    }
    // Ctrl always asks for the next tool and F1 for help, once per key, never otherwise.
    FUZZ_CHECK(view.switches == ctrl, std::to_string(view.switches));
    FUZZ_CHECK(view.helps == f1, std::to_string(view.helps));
}
