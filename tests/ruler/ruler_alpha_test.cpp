#include "ruler/ruler_alpha.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <utility>

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

}  // namespace
}  // namespace minizol
