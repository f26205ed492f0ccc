#pragma once

#include <optional>

namespace minizol {

// The outcome of making a window translucent; the values are the routine's status codes.
enum class AlphaStatus : int {
    Ok = 0,
    OutOfRange = 1,      // alpha outside 0 to 255: the window is left untouched
    PlatformCannot = 2,  // the platform cannot make a top-level window translucent
};

// Window opacity for an alpha, linear from 0 -> 0.0 to 255 -> 1.0; none outside 0 to 255.
std::optional<double> OpacityFromAlpha(int alpha);

}  // namespace minizol
