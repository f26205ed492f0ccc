#include "platform/memory_status.h"

#include <gtest/gtest.h>

#include <string>

namespace minizol {
namespace {

constexpr std::uint64_t kKB = 1024;
constexpr std::uint64_t k128TiB = std::uint64_t{1} << 47;

// Lines of a 6.18 kernel's /proc/meminfo (no swap on that machine), unit-less ones included.
constexpr std::string_view kModernMeminfo = R"(MemTotal:       24683784 kB
MemFree:        24470496 kB
MemAvailable:   24406276 kB
Buffers:            3152 kB
Cached:            56852 kB
SwapTotal:             0 kB
SwapFree:              0 kB
HugePages_Total:       0
)";

// A 2.6.32 kernel's, from before MemAvailable existed.
constexpr std::string_view kOldMeminfo = R"(MemTotal:        3924440 kB
MemFree:          248572 kB
Buffers:          187824 kB
Cached:          2527212 kB
SwapTotal:       4128760 kB
SwapFree:        4087244 kB
)";

constexpr std::string_view kStatus = "Name:\tcat\nVmPeak:\t    3060 kB\nVmSize:\t    3060 kB\n";

TEST(ParseMemoryStatus, KernelsWithAndWithoutMemAvailable) {
    EXPECT_EQ(ParseMemoryStatus(kModernMeminfo, kStatus, k128TiB),
              (MemoryStatus{1, 24683784 * kKB, 24406276 * kKB, 24683784 * kKB, 24406276 * kKB,
                            k128TiB, k128TiB - 3060 * kKB, 0}));
    const std::uint64_t estimate = (248572 + 187824 + 2527212) * kKB;  // 24.48 % in use
    EXPECT_EQ(ParseMemoryStatus(kOldMeminfo, kStatus, 1 << 30),
              (MemoryStatus{24, 3924440 * kKB, estimate, (3924440 + 4128760) * kKB,
                            estimate + 4087244 * kKB, 1 << 30, (1 << 30) - 3060 * kKB, 0}));
    // A limit set below what is already mapped leaves nothing available, not a wrapped count.
    EXPECT_EQ(ParseMemoryStatus(kModernMeminfo, kStatus, 1024 * kKB).value().availableVirtual, 0u);
}

// The modern text with `from` replaced by `to`, parsed with the status and address space given.
TEST(ParseMemoryStatus, OddOrBrokenInputs) {
    const struct {
        std::string_view from, to;
        bool usable;
        std::string_view status = kStatus;
        std::uint64_t addressSpace = k128TiB;
    } cases[] = {
        {"MemTotal:       24683784 kB", " MemTotal :\t024683784kB \r", true},
        {"MemTotal:       24683784 kB\n", "", false},
        {"MemTotal:       24683784 kB", "MemTotal:       0 kB", false},
        {"MemTotal:       24683784 kB", "MemTotal:       9007199254740992 kB", false},
        // 2^54 kB and the real size: in bytes it wraps round 64 bits to a plausible total.
        {"MemTotal:       24683784 kB", "MemTotal:       18014398534165768 kB", false},
        {"MemFree:", "MemTotal:", false},  // twice
        {"MemAvailable:   24406276 kB", "MemAvailable:   lots kB", false},
        {"MemAvailable:   24406276 kB", "MemAvailable:   24683785 kB", false},
        {"MemAvailable:   24406276 kB\nBuffers:            3152 kB\n", "", false},
        {"SwapFree:              0 kB", "SwapFree:              0", false},
        {"SwapFree:              0 kB", "SwapFree:              8 kB", false},
        {"SwapTotal:             0 kB", "SwapTotal:             9007199254740991 kB", false},
        {"SwapTotal:             0 kB", "SwapTotal:              kB", false},
        {"", "", false, "VmPeak:\t 3060 kB\n"},
        {"", "", false, kStatus, 0},
    };
    for (const auto& c : cases) {
        std::string text(kModernMeminfo);
        text.replace(text.find(c.from), c.from.size(), c.to);
        EXPECT_EQ(ParseMemoryStatus(text, c.status, c.addressSpace).has_value(), c.usable) << c.to;
    }
}

TEST(EffectiveAddressSpace, SmallerOfLimitAndArchitecture) {
    EXPECT_EQ(EffectiveAddressSpace(std::nullopt, k128TiB), k128TiB);
    EXPECT_EQ(EffectiveAddressSpace(k128TiB * 4, k128TiB), k128TiB);
    EXPECT_EQ(EffectiveAddressSpace(std::nullopt, std::nullopt), std::nullopt);
}

TEST(QueryMemoryStatus, LiveFiguresAgreeWithEachOther) {
    const auto status = QueryMemoryStatus();
    ASSERT_TRUE(status);
    EXPECT_GT(status->totalPhysical, 0u);
    EXPECT_LE(status->availablePhysical, status->totalPhysical);
    EXPECT_LE(status->memoryLoad, 100u);
    EXPECT_LT(status->availableVirtual, status->totalVirtual);
    EXPECT_EQ(status->availableExtendedVirtual, 0u);
}

}  // namespace
}  // namespace minizol
