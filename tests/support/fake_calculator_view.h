#pragma once

#include <cmath>
#include <string>

#include "euro/calculator_engine.h"
#include "euro/display_rules.h"
#include "euro/number_text.h"

namespace minizol::testing {

// What the calculator window would show, without a window: a mirror of the engine's display as
// last shown, and a count of the calls out.
class FakeCalculatorView final : public CalculatorView {
  public:
    void ShowDisplay(const CalculatorDisplay& shown) override {
        display = shown.Text();
        labels = shown.Captions();
        indicator = shown.OperatorIndicator();
        memoryShown = shown.MemoryIndicatorVisible();
    }
    void SwitchToNextTool() override { ++switches; }
    void ShowHelp() override { ++helps; }

    std::string display;
    CurrencyLabels labels = CalculatorDisplay().Captions();
    std::string indicator;
    bool memoryShown = false;
    int switches = 0;
    int helps = 0;
};

// What must hold after any key, for the key-sequence tests and the fuzz target alike: the first
// rule the view and the engine break, or nullptr. A lone "-" is what Backspace leaves of a
// negative number.
inline const char* BrokenCalculatorRule(const FakeCalculatorView& view,
                                        const CalculatorEngine& engine) {
    const std::string& d = view.display;
    const auto isOperator = [](std::string_view op) {
        return op.empty() || op == "+" || op == "-" || op == "X" || op == "/";
    };
    if (!(d.empty() || d == kErrorText || d == "-" || IsNumberText(d))) {
        return "display is not a number";
    } else if (d.size() > (d.starts_with('-') ? 14u : 13u) || d.find(',') != std::string::npos) {
        return "display too long or with a comma";
    } else if (!isOperator(engine.PendingOperator()) || !isOperator(view.indicator)) {
        return "unknown operator";
    } else if (!std::isfinite(engine.StoredValue()) || !std::isfinite(engine.MemoryValue())) {
        return "stored or memory value not finite";
    } else if (d == kErrorText && !engine.StartNewEntry()) {
        return "error without a new entry";
    } else if (engine.MemoryValue() != 0.0 && !view.memoryShown) {
        return "memory indicator hidden";
    } else if (view.labels != UpdateCurrencyLabels(view.display)) {
        return "captions not those of the display";
    }
    return nullptr;
}

}  // namespace minizol::testing
