#include "euro/calculator_display.h"

namespace minizol {

void CalculatorDisplay::SetText(std::string_view text) {
    std::string normalized = NormalizeDisplayText(text);
    if (normalized == text_) {
        return;
    }
    text_ = std::move(normalized);
    captions_ = UpdateCurrencyLabels(text_);
}

}  // namespace minizol
