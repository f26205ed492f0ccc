#include "ruler/ruler_geometry.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "ruler/ruler_texts.h"

namespace minizol {
namespace {

// Twips of the label's top-left corner from the tick: the number sits centred under a top
// tick and beside a left tick.
constexpr int kLabelAcrossOffset = 90;
constexpr int kLabelBesideOffset = 45;
constexpr int kTicksPerLongTick = 5;
constexpr int kPixelsPerTick = kTickSpacing / kTwipsPerPixel;

double ClampWindowTwips(double twips) {
    // Written so that NaN lands on 0 as well.
    return twips > 0 ? std::min(twips, kMaxWindowTwips) : 0.0;
}

// Nearest integer, an exact half to the even neighbour, whatever the FPU rounding mode is.
// The argument is already bounded by the clamp above.
int RoundHalfEven(double value) {
    double whole = std::floor(value);
    double rest = value - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        whole += 1.0;
    }
    return static_cast<int>(whole);
}

int MeasuredPixels(double clientTwips) {
    return RoundHalfEven((clientTwips - 2 * kRulerMargin) / kTwipsPerPixel);
}

enum class Scale { Top, Left };

// Appends the ticks (and their labels) whose position is at most `bound` and that do not exist
// yet. Starting at the present count keeps a resize to a size reached before free of work.
void GrowScale(Scale scale, int bound, std::vector<RulerLine>& ticks,
               std::vector<RulerLabel>& labels) {
    for (int k = static_cast<int>(ticks.size()); kRulerMargin + kTickSpacing * k <= bound; ++k) {
        const double at = kRulerMargin + kTickSpacing * k;
        const bool isLong = k % kTicksPerLongTick == 0;
        const double length = isLong ? kLongTickLength : kShortTickLength;
        RulerLabel label;
        label.visible = true;
        if (isLong) {
            label.caption = std::to_string(k * kPixelsPerTick);
        }
        if (scale == Scale::Top) {
            ticks.push_back({at, 0, at, length, true});
            label.left = at - kLabelAcrossOffset;
            label.top = length;
        } else {
            ticks.push_back({0, at, length, at, true});
            label.left = length + kLabelBesideOffset;
            label.top = at - kLabelAcrossOffset;
        }
        labels.push_back(std::move(label));
    }
}

}  // namespace

RulerWindowSize RulerWindowSize::FromPixels(int clientWidth, int clientHeight, int outerWidth,
                                            int outerHeight) {
    const auto twips = [](int pixels) { return static_cast<double>(pixels) * kTwipsPerPixel; };
    return {twips(clientWidth), twips(clientHeight), twips(outerWidth), twips(outerHeight)};
}

RulerGeometry::RulerGeometry()
    : rulerWidth_(kRulerStartWidth),
      rulerHeight_(kRulerStartHeight),
      menuCaption_(kRulerMenuCaption),
      ver_(1),
      hor_(1),
      fin_(2),
      lblVer_(1),
      lblHor_(1) {}

void RulerGeometry::Resize(const RulerWindowSize& size) {
    const double width = ClampWindowTwips(size.clientWidth);
    const double height = ClampWindowTwips(size.clientHeight);

    rulerHeight_ = MeasuredPixels(height);
    rulerWidth_ = MeasuredPixels(width);
    menuCaption_ = RulerMenuCaption(rulerWidth_, rulerHeight_);

    ver_[0] = {kRulerMargin, 0, kRulerMargin, height, true};
    hor_[0] = {0, kRulerMargin, width, kRulerMargin, true};
    fin_[0] = {width - kRulerMargin, 0, width - kRulerMargin, height, true};
    fin_[1] = {0, height - kRulerMargin, width, height - kRulerMargin, true};

    GrowScale(Scale::Top, RoundHalfEven(ClampWindowTwips(size.outerWidth)), ver_, lblVer_);
    GrowScale(Scale::Left, RoundHalfEven(ClampWindowTwips(size.outerHeight)), hor_, lblHor_);
}

double RulerGeometry::ApplyRulerWidth(double outerWidth, double clientWidth) const {
    return outerWidth - clientWidth + ClientTwipsForRuler(rulerWidth_);
}

double RulerGeometry::ApplyRulerHeight(double outerHeight, double clientHeight) const {
    return outerHeight - clientHeight + ClientTwipsForRuler(rulerHeight_);
}

}  // namespace minizol
