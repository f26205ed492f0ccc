#pragma once

namespace minizol {

// The ruler's alpha: 0 fully transparent, 255 opaque; the page keys keep it within 50 to 250.
inline constexpr int kRulerAlphaStart = 200;
inline constexpr int kRulerAlphaMin = 50;
inline constexpr int kRulerAlphaMax = 250;
inline constexpr int kRulerAlphaStep = 10;

enum class AlphaStep {
    Up,    // Page Up: less transparent
    Down,  // Page Down: more transparent
};

// The alpha after one page key, clamped to kRulerAlphaMin..kRulerAlphaMax.
int StepRulerAlpha(int alpha, AlphaStep step);

}  // namespace minizol
