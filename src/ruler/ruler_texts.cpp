#include "ruler/ruler_texts.h"

#include <cmath>

namespace minizol {

std::string RulerHelpText() {
    std::string text(kRulerHelpLines.front());
    for (std::size_t i = 1; i < kRulerHelpLines.size(); ++i) {
        text += "\r\n";
        text += kRulerHelpLines[i];
    }
    return text;
}

std::string RulerMenuCaption(int rulerWidth, int rulerHeight) {
    std::string caption(kRulerMenuCaption);
    caption += " (" + std::to_string(rulerWidth) + " x " + std::to_string(rulerHeight) + ")";
    return caption;
}

std::optional<std::string> RulerDeviceSizeTip(int rulerWidth, int rulerHeight,
                                              double devicePixelRatio) {
    if (devicePixelRatio == 1.0) {
        return std::nullopt;
    }
    const auto device = [devicePixelRatio](int pixels) {
        return std::to_string(std::lround(pixels * devicePixelRatio));
    };
    return RulerMenuCaption(rulerWidth, rulerHeight) + " = " + device(rulerWidth) + " x " +
           device(rulerHeight) + " píxeles físicos";
}

std::string RulerSizeDialogDefault(int rulerWidth, int rulerHeight) {
    return std::to_string(rulerWidth) + "x" + std::to_string(rulerHeight);
}

}  // namespace minizol
