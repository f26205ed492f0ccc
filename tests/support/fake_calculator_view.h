#pragma once

#include <string>
#include <string_view>

#include "euro/calculator_engine.h"
#include "euro/display_rules.h"

namespace minizol::testing {

// What the calculator window would show, without a window: the display rules run on every
// change of the display, and the calls out are counted.
class FakeCalculatorView final : public CalculatorView {
  public:
    std::string DisplayText() const override { return display; }
    void SetDisplayText(std::string_view text) override {
        display = NormalizeDisplayText(text);
        labels = UpdateCurrencyLabels(display);
    }
    void SetOperatorIndicator(std::string_view op) override { indicator = op; }
    void SetMemoryIndicatorVisible(bool visible) override { memoryShown = visible; }
    bool MemoryIndicatorVisible() const override { return memoryShown; }
    void SwitchToNextTool() override { ++switches; }
    void ShowHelp() override { ++helps; }

    std::string display;
    CurrencyLabels labels = UpdateCurrencyLabels("");
    std::string indicator;
    bool memoryShown = false;
    int switches = 0;
    int helps = 0;
};

}  // namespace minizol::testing
