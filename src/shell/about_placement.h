#pragma once

namespace minizol {

// Window placement on the screen, in twips, with the origin at the screen's top-left corner.
struct TwipsPoint {
    float x;
    float y;
};

struct TwipsSize {
    float width;
    float height;
};

// Twips left free at the bottom of the screen, where a task bar usually sits.
inline constexpr float kTaskBarBandTwips = 480.0f;

// The top-left corner that centres a window of `window` size on the screen.
TwipsPoint CentredOnScreen(TwipsSize window, TwipsSize screen);

// The top-left corner that puts the middle of the window's bottom edge at `point`, pulled back
// onto the screen and above the task-bar band. A window too big for the screen keeps its
// top-left corner on it, so that its title bar can still be reached.
TwipsPoint PlacedAbovePoint(TwipsPoint point, TwipsSize window, TwipsSize screen);

}  // namespace minizol
