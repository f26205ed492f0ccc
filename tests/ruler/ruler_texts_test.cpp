#include "ruler/ruler_texts.h"

#include <gtest/gtest.h>

namespace minizol {
namespace {

// None where a logical pixel is a device pixel; device sizes round to whole pixels and keep
// the sign of a window smaller than its two margins.
TEST(RulerDeviceSizeTip, TellsTheDevicePixelsOnAScaledScreen) {
    EXPECT_EQ(RulerDeviceSizeTip(200, 100, 1.0), std::nullopt);
    EXPECT_EQ(RulerDeviceSizeTip(200, 100, 2.0), "Regla (200 x 100) = 400 x 200 píxeles físicos");
    EXPECT_EQ(RulerDeviceSizeTip(1000, 0, 3.0), "Regla (1000 x 0) = 3000 x 0 píxeles físicos");
    EXPECT_EQ(RulerDeviceSizeTip(201, 99, 1.5), "Regla (201 x 99) = 302 x 149 píxeles físicos");
    EXPECT_EQ(RulerDeviceSizeTip(3, 5, 1.25), "Regla (3 x 5) = 4 x 6 píxeles físicos");
    EXPECT_EQ(RulerDeviceSizeTip(-4, 10, 2.0), "Regla (-4 x 10) = -8 x 20 píxeles físicos");
}

}  // namespace
}  // namespace minizol
