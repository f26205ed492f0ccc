#include "shell/window_opacity.h"

#include <gtest/gtest.h>

namespace minizol {
namespace {

TEST(WindowOpacity, OpacityIsLinearAndOnlyForAByte) {
    EXPECT_EQ(OpacityFromAlpha(0), 0.0);
    EXPECT_EQ(OpacityFromAlpha(51), 0.2);
    EXPECT_EQ(OpacityFromAlpha(255), 1.0);
    EXPECT_EQ(OpacityFromAlpha(-1), std::nullopt);
    EXPECT_EQ(OpacityFromAlpha(256), std::nullopt);
}

}  // namespace
}  // namespace minizol
