#pragma once

#include <string>
#include <string_view>

#include "euro/display_rules.h"

namespace minizol {

// What the calculator shows: the display text as the display rules leave it, the peseta and euro
// captions of that text, the operator indicator and the memory indicator. The engine drives it;
// a window or a test double only mirrors it, so the rules run in this one place.
class CalculatorDisplay {
  public:
    const std::string& Text() const { return text_; }
    const CurrencyLabels& Captions() const { return captions_; }
    const std::string& OperatorIndicator() const { return operatorIndicator_; }
    bool MemoryIndicatorVisible() const { return memoryShown_; }

    // Normalises the text (decimal point, length); the captions follow every change of it.
    void SetText(std::string_view text);
    void SetOperatorIndicator(std::string_view op) { operatorIndicator_ = op; }
    void SetMemoryIndicatorVisible(bool visible) { memoryShown_ = visible; }

    friend bool operator==(const CalculatorDisplay&, const CalculatorDisplay&) = default;

  private:
    std::string text_;
    CurrencyLabels captions_ = UpdateCurrencyLabels("");
    std::string operatorIndicator_;
    bool memoryShown_ = false;
};

}  // namespace minizol
