#pragma once

#include <string>
#include <vector>

#include "common/twips.h"

namespace minizol {

// Distance of each frame line from its edge of the client area; both margins make 300 twips.
inline constexpr int kRulerMargin = 150;
inline constexpr int kTickSpacing = 150;
inline constexpr int kLongTickLength = 150;
inline constexpr int kShortTickLength = kLongTickLength / 2;
inline constexpr int kLabelWidth = 480;
inline constexpr int kLabelHeight = 195;
// The measured size the window starts at, in pixels.
inline constexpr int kRulerStartWidth = 200;
inline constexpr int kRulerStartHeight = 100;

// Every window size handed to the geometry is clamped to [0, this], so that a bogus size
// (NaN, infinity, a runaway toolkit value) cannot make the scales allocate without bound.
// 100 000 px is far beyond any screen made today, 8K included.
inline constexpr double kMaxWindowTwips = 100000.0 * kTwipsPerPixel;

// Positions in twips, origin at the client area's top-left corner, y downwards.
struct RulerLine {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    bool visible = false;

    friend bool operator==(const RulerLine&, const RulerLine&) = default;
};

struct RulerLabel {
    double left = 0;
    double top = 0;
    double width = kLabelWidth;
    double height = kLabelHeight;
    std::string caption;
    bool visible = false;

    friend bool operator==(const RulerLabel&, const RulerLabel&) = default;
};

// What the window reports on each resize, in twips. "Outer" includes title bar, menu bar and
// borders: the scales run up to the outer size, not just across the client area.
struct RulerWindowSize {
    double clientWidth = 0;
    double clientHeight = 0;
    double outerWidth = 0;
    double outerHeight = 0;

    static RulerWindowSize FromPixels(int clientWidth, int clientHeight, int outerWidth,
                                      int outerHeight);
};

inline constexpr double PixelsFromTwips(double twips) {
    return twips / kTwipsPerPixel;
}

// Client extent, in twips, that makes the measured size `rulerSize` pixels: size x 15 + 300.
inline constexpr double ClientTwipsForRuler(int rulerSize) {
    return static_cast<double>(rulerSize) * kTwipsPerPixel + 2 * kRulerMargin;
}

// The same in pixels, for toolkits that size the client area directly.
inline constexpr long long ClientPixelsForRuler(int rulerSize) {
    return static_cast<long long>(rulerSize) + 2 * kRulerMargin / kTwipsPerPixel;
}

// The ruler's retained drawing: lines and labels are appended the first time the window is
// large enough for them and are never moved, changed or removed afterwards.
//
// Element 0 of `ver` is the left frame line and of `hor` the top frame line; element k >= 1 of
// either is the tick 150 + 150 k twips from the client edge, and the same index of `lblVer` /
// `lblHor` is its number label (element 0 stays hidden and empty). `fin` holds the right (0)
// and bottom (1) frame lines. Elements are ordered by position, so a painter may stop at the
// first one beyond its client area.
class RulerGeometry {
  public:
    RulerGeometry();

    // The resize handler: recomputes the measured size and the menu caption, places the four
    // frame lines and appends the ticks and labels up to the outer size not reached before.
    void Resize(const RulerWindowSize& size);

    // The measured size in pixels, between opposite frame lines; negative when the client
    // area is smaller than both margins.
    int rulerWidth() const { return rulerWidth_; }
    int rulerHeight() const { return rulerHeight_; }
    // For a size chosen by the user before it is applied; the next Resize overwrites both
    // from the client area actually obtained.
    void SetRulerWidth(int pixels) { rulerWidth_ = pixels; }
    void SetRulerHeight(int pixels) { rulerHeight_ = pixels; }

    // New outer width / height (twips) that gives the stored measured size. Apply the width
    // first and store the height only after the width's resize has run: that resize rewrites
    // both fields from the client area, whose height is still the old one.
    double ApplyRulerWidth(double outerWidth, double clientWidth) const;
    double ApplyRulerHeight(double outerHeight, double clientHeight) const;

    // "Regla" until the first resize, then "Regla (W x H)".
    const std::string& menuCaption() const { return menuCaption_; }

    const std::vector<RulerLine>& ver() const { return ver_; }
    const std::vector<RulerLine>& hor() const { return hor_; }
    const std::vector<RulerLine>& fin() const { return fin_; }
    const std::vector<RulerLabel>& lblVer() const { return lblVer_; }
    const std::vector<RulerLabel>& lblHor() const { return lblHor_; }

  private:
    int rulerWidth_;
    int rulerHeight_;
    std::string menuCaption_;
    std::vector<RulerLine> ver_;
    std::vector<RulerLine> hor_;
    std::vector<RulerLine> fin_;
    std::vector<RulerLabel> lblVer_;
    std::vector<RulerLabel> lblHor_;
};

}  // namespace minizol
