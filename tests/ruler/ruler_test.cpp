#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <limits>
#include <utility>

#include "ruler/ruler_alpha.h"
#include "ruler/ruler_geometry.h"
#include "ruler/ruler_texts.h"

namespace minizol {
namespace {

TEST(RulerAlpha, PageKeysStepByTenWithinFiftyAndTwoHundredFifty) {
    // Presses from the start value 200: positive counts Page Up, negative Page Down.
    const std::pair<int, int> cases[] = {{4, 240},  {5, 250},  {6, 250},
                                         {-14, 60}, {-15, 50}, {-16, 50}};
    for (const auto& [presses, last] : cases) {
        int alpha = kRulerAlphaStart;
        for (int i = 0; i < std::abs(presses); ++i) {
            alpha = StepRulerAlpha(alpha, presses > 0 ? AlphaStep::Up : AlphaStep::Down);
        }
        EXPECT_EQ(alpha, last) << presses;
    }
    // An alpha from outside the bounds is bounded before the step.
    EXPECT_EQ(StepRulerAlpha(0, AlphaStep::Up), 60);
    EXPECT_EQ(StepRulerAlpha(INT_MAX, AlphaStep::Up), 250);
}

TEST(RulerGeometry, MeasuredSizeAndCaptionFollowTheClientArea) {
    const struct {
        double clientWidth, clientHeight;
        const char* caption;
    } cases[] = {
        {3300, 1800, "Regla (200 x 100)"},
        {457.5, 472.5, "Regla (10 x 12)"},  // 10.5 and 11.5: halves go to even
        {300, 0, "Regla (0 x -20)"},
        {std::numeric_limits<double>::quiet_NaN(), -4000, "Regla (-20 x -20)"},
        {1e300, 1e300, "Regla (99980 x 99980)"},  // clamped rather than allocating forever
    };
    for (const auto& c : cases) {
        RulerGeometry ruler;
        ruler.Resize({c.clientWidth, c.clientHeight, 0, 0});
        EXPECT_EQ(ruler.menuCaption(), c.caption);
    }
}

TEST(RulerGeometry, FrameTicksAndLabels) {
    RulerGeometry ruler;
    ruler.Resize({3300, 1800, 33300, 33300});
    EXPECT_EQ(ruler.ver()[0], (RulerLine{150, 0, 150, 1800, true}));
    EXPECT_EQ(ruler.hor()[0], (RulerLine{0, 150, 3300, 150, true}));
    EXPECT_EQ(ruler.fin()[0], (RulerLine{3150, 0, 3150, 1800, true}));
    EXPECT_EQ(ruler.fin()[1], (RulerLine{0, 1650, 3300, 1650, true}));
    EXPECT_EQ(ruler.lblVer()[0], RulerLabel{});
    const struct {
        int k;
        double at, length;
        const char* caption;
    } cases[] = {
        {1, 300, 75, ""},     {4, 750, 75, ""},          {5, 900, 150, "50"},
        {6, 1050, 75, ""},    {10, 1650, 150, "100"},    {15, 2400, 150, "150"},
        {221, 33300, 75, ""}, {220, 33150, 150, "2200"},  // beyond 16-bit twips
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.k);
        EXPECT_EQ(ruler.ver()[c.k], (RulerLine{c.at, 0, c.at, c.length, true}));
        EXPECT_EQ(ruler.lblVer()[c.k],
                  (RulerLabel{c.at - 90, c.length, 480, 195, c.caption, true}));
        EXPECT_EQ(ruler.hor()[c.k], (RulerLine{0, c.at, c.length, c.at, true}));
        EXPECT_EQ(ruler.lblHor()[c.k],
                  (RulerLabel{c.length + 45, c.at - 90, 480, 195, c.caption, true}));
    }
}

TEST(RulerGeometry, ScalesReachTheOuterSizeInclusively) {
    // Counts include element 0, the frame line.
    const std::pair<double, std::size_t> cases[] = {
        {149, 1}, {300, 2}, {1649, 10}, {1649.5, 11}, {1650, 11}, {1650.5, 11}, {120000, 800}};
    for (const auto& [outer, elements] : cases) {
        RulerGeometry ruler;
        ruler.Resize({300, 300, outer, outer});
        EXPECT_EQ(ruler.ver().size(), elements) << outer;
        EXPECT_EQ(ruler.lblHor().size(), elements) << outer;
    }
}

TEST(RulerGeometry, ShrinkingKeepsTicksAndRegrowingAddsNoDuplicates) {
    RulerGeometry ruler;
    ruler.Resize({0, 0, 4500, 3000});
    const auto top = ruler.lblVer();
    for (double size : {600.0, 0.0, 4500.0, 3000.0, 6000.0}) {
        ruler.Resize({0, 0, size, size});
    }
    EXPECT_EQ(ruler.hor().size(), 40u);
    ASSERT_EQ(ruler.lblVer().size(), 40u);
    EXPECT_TRUE(std::equal(top.begin(), top.end(), ruler.lblVer().begin()));
    EXPECT_EQ(ruler.lblVer()[39].left, 6000 - 90);
}

// None where a logical pixel is a device pixel; device sizes round to whole pixels and keep
// the sign of a window smaller than its two margins.
TEST(RulerDeviceSizeTip, TellsTheDevicePixelsOnAScaledScreen) {
    EXPECT_EQ(RulerDeviceSizeTip(200, 100, 1.0), std::nullopt);
    EXPECT_EQ(RulerDeviceSizeTip(200, 100, 2.0), "Regla (200 x 100) = 400 x 200 píxeles físicos");
    EXPECT_EQ(RulerDeviceSizeTip(201, 99, 1.5), "Regla (201 x 99) = 302 x 149 píxeles físicos");
    EXPECT_EQ(RulerDeviceSizeTip(3, 5, 1.25), "Regla (3 x 5) = 4 x 6 píxeles físicos");
    EXPECT_EQ(RulerDeviceSizeTip(-4, 10, 2.0), "Regla (-4 x 10) = -8 x 20 píxeles físicos");
}

}  // namespace
}  // namespace minizol
