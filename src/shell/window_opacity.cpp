#include "shell/window_opacity.h"

namespace minizol {
namespace {
constexpr int kOpaqueAlpha = 255;
}  // namespace

std::optional<double> OpacityFromAlpha(int alpha) {
    if (alpha < 0 || alpha > kOpaqueAlpha) {
        return std::nullopt;
    }
    return static_cast<double>(alpha) / kOpaqueAlpha;
}

}  // namespace minizol
