#include "shell/about_placement.h"

#include <algorithm>

namespace minizol {

TwipsPoint CentredOnScreen(TwipsSize window, TwipsSize screen) {
    return {(screen.width - window.width) / 2.0f, (screen.height - window.height) / 2.0f};
}

TwipsPoint PlacedAbovePoint(TwipsPoint point, TwipsSize window, TwipsSize screen) {
    float left = point.x - window.width / 2.0f;
    float top = point.y - window.height;

    if (left < 0.0f) {
        left = 0.0f;
    } else if (left + window.width > screen.width) {
        left = screen.width - window.width;
    }

    const float freeHeight = screen.height - kTaskBarBandTwips;
    if (top < 0.0f) {
        top = 0.0f;
    } else if (top + window.height > freeHeight) {
        top = freeHeight - window.height;
    }

    // Pulling a window wider or taller than the room back from the far edge would push its
    // top-left corner, and the title bar with it, off the screen.
    return {std::max(left, 0.0f), std::max(top, 0.0f)};
}

}  // namespace minizol
