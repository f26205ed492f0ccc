#pragma once

#include <string>

#include "euro/calculator_engine.h"

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

}  // namespace minizol::testing
