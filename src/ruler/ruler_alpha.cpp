#include "ruler/ruler_alpha.h"

#include <algorithm>

namespace minizol {

int StepRulerAlpha(int alpha, AlphaStep step) {
    const int delta = step == AlphaStep::Up ? kRulerAlphaStep : -kRulerAlphaStep;
    // Bounding first keeps the addition from overflowing for any int.
    const int bounded = std::clamp(alpha, kRulerAlphaMin, kRulerAlphaMax);
    return std::clamp(bounded + delta, kRulerAlphaMin, kRulerAlphaMax);
}

}  // namespace minizol
