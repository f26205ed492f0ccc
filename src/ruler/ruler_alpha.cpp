#include "ruler/ruler_alpha.h"

#include <algorithm>

namespace minizol {

namespace {
constexpr int kOpaqueAlpha = 255;
}  // namespace

int StepRulerAlpha(int alpha, AlphaStep step) {
    const int delta = step == AlphaStep::Up ? kRulerAlphaStep : -kRulerAlphaStep;
    // Bounding first keeps the addition from overflowing for any int.
    const int bounded = std::clamp(alpha, kRulerAlphaMin, kRulerAlphaMax);
    return std::clamp(bounded + delta, kRulerAlphaMin, kRulerAlphaMax);
}

std::optional<double> OpacityFromAlpha(int alpha) {
    if (alpha < 0 || alpha > kOpaqueAlpha) {
        return std::nullopt;
    }
    return static_cast<double>(alpha) / kOpaqueAlpha;
}

}  // namespace minizol
