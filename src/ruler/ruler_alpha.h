#pragma once

#include <optional>

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

// The outcome of making a window translucent; the values are the routine's status codes.
enum class AlphaStatus : int {
    Ok = 0,
    OutOfRange = 1,      // alpha outside 0 to 255: the window is left untouched
    PlatformCannot = 2,  // the platform cannot make a top-level window translucent
};

// Window opacity for an alpha, linear from 0 -> 0.0 to 255 -> 1.0; none outside 0 to 255.
std::optional<double> OpacityFromAlpha(int alpha);

}  // namespace minizol
