#include "ruler/ruler_texts.h"

#include <gtest/gtest.h>

namespace minizol {
namespace {

TEST(RulerDeviceSizeTip, NoneWhereALogicalPixelIsADevicePixel) {
    EXPECT_EQ(RulerDeviceSizeTip(200, 100, 1.0), std::nullopt);
}

TEST(RulerDeviceSizeTip, BothSizesOnAScaledScreen) {
    EXPECT_EQ(RulerDeviceSizeTip(200, 100, 2.0), "Regla (200 x 100) = 400 x 200 píxeles físicos");
    EXPECT_EQ(RulerDeviceSizeTip(1000, 0, 3.0), "Regla (1000 x 0) = 3000 x 0 píxeles físicos");
}

TEST(RulerDeviceSizeTip, FractionalRatiosRoundToWholeDevicePixels) {
    EXPECT_EQ(RulerDeviceSizeTip(201, 99, 1.5), "Regla (201 x 99) = 302 x 149 píxeles físicos");
    EXPECT_EQ(RulerDeviceSizeTip(3, 5, 1.25), "Regla (3 x 5) = 4 x 6 píxeles físicos");
}

TEST(RulerDeviceSizeTip, NegativeSizesKeepTheirSign) {
    // A window smaller than its two margins measures less than nothing.
    EXPECT_EQ(RulerDeviceSizeTip(-4, 10, 2.0), "Regla (-4 x 10) = -8 x 20 píxeles físicos");
}

}  // namespace
}  // namespace minizol
