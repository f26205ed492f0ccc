// The memory monitor's tick, the live query and the report, run as often as in almost three
// hours of monitoring at ten ticks a second: the heap must not grow.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "memory/memory_report.h"
#include "platform/memory_status.h"
#include "support/heap_usage.h"

namespace minizol {
namespace {

constexpr int kTicks = 100'000;
// Anything left behind by each tick would be at least one 16-byte block: 1.6 MB in all. This
// margin only absorbs the allocator's bookkeeping, which is not per tick.
constexpr std::size_t kToleranceBytes = 16 * 1024;

TEST(MemoryTickSoak, HundredThousandTicksLeaveTheHeapAsItWas) {
    // On Linux the live figures exist; without them the tick would test only the fallback.
    ASSERT_TRUE(QueryMemoryStatus().has_value());
    for (int tick = 0; tick < 1000; ++tick) {
        PrintRamInformation(",");  // anything allocated once, on first use, is allocated now
    }
    const std::size_t before = testing::HeapInUse();
    for (int tick = 0; tick < kTicks; ++tick) {
        // Each report is whole: eight lines with figures.
        const std::string report = PrintRamInformation(",");
        ASSERT_TRUE(std::count(report.begin(), report.end(), '\n') == 7 &&
                    report.find(kUnavailableValue) == std::string::npos)
            << "tick " << tick << " reported:\n"
            << report;
    }
    EXPECT_LE(testing::HeapInUse(), before + kToleranceBytes) << "over " << kTicks << " ticks";
}

}  // namespace
}  // namespace minizol
