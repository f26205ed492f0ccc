#include "platform/memory_status.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace minizol {

void PrintTo(const MemoryStatus& s, std::ostream* out) {
    *out << "{load " << s.memory_load << ", phys " << s.total_physical << "/"
         << s.available_physical << ", commit " << s.total_page_file << "/" << s.available_page_file
         << ", virtual " << s.total_virtual << "/" << s.available_virtual << ", extended "
         << s.available_extended_virtual << "}";
}

namespace {

constexpr std::uint64_t kKB = 1024;
constexpr std::uint64_t k128TiB = std::uint64_t{1} << 47;

// Opening lines and unit-less lines of a 6.18 kernel's /proc/meminfo, machine without swap.
constexpr std::string_view kModernMeminfo = R"(MemTotal:       24683784 kB
MemFree:        24470496 kB
MemAvailable:   24406276 kB
Buffers:            3152 kB
Cached:            56852 kB
SwapCached:            0 kB
Active(anon):         32 kB
SwapTotal:             0 kB
SwapFree:              0 kB
HugePages_Total:       0
Hugepagesize:       2048 kB
)";

// A 2.6.32 kernel's, from before MemAvailable existed.
constexpr std::string_view kOldMeminfo = R"(MemTotal:        3924440 kB
MemFree:          248572 kB
Buffers:          187824 kB
Cached:          2527212 kB
SwapCached:         5096 kB
SwapTotal:       4128760 kB
SwapFree:        4087244 kB
HugePages_Total:       0
)";

constexpr std::string_view kStatus =
    "Name:\tcat\nUmask:\t0022\nVmPeak:\t    3060 kB\n"
    "VmSize:\t    3060 kB\nVmLck:\t       0 kB\n";

TEST(ParseMemoryStatus, ModernKernel) {
    const MemoryStatus expected{1,
                                24683784 * kKB,
                                24406276 * kKB,
                                24683784 * kKB,
                                24406276 * kKB,
                                k128TiB,
                                k128TiB - 3060 * kKB,
                                0};
    EXPECT_EQ(ParseMemoryStatus(kModernMeminfo, kStatus, k128TiB), expected);
}

TEST(ParseMemoryStatus, OldKernelEstimatesAvailableFromFreeBuffersAndCached) {
    const std::uint64_t available = (248572 + 187824 + 2527212) * kKB;
    const MemoryStatus expected{24,  // 24.48 % in use
                                3924440 * kKB,
                                available,
                                (3924440 + 4128760) * kKB,
                                available + 4087244 * kKB,
                                1 << 30,
                                (1 << 30) - 3060 * kKB,
                                0};
    EXPECT_EQ(ParseMemoryStatus(kOldMeminfo, kStatus, 1 << 30), expected);
}

TEST(ParseMemoryStatus, OddOrBrokenMeminfo) {
    struct Case {
        std::string_view from, to;
        bool usable;
    };
    const Case cases[] = {
        {"MemTotal:       24683784 kB", " MemTotal :\t24683784kB \r", true},
        {"MemTotal:       24683784 kB", "MemTotal:       024683784   kB", true},
        {"MemTotal:       24683784 kB\n", "", false},
        {"MemTotal:       24683784 kB", "MemTotal:       0 kB", false},
        {"MemTotal:       24683784 kB", "MemTotal:       24683784", false},
        {"MemTotal:       24683784 kB", "MemTotal:       24683784 MB", false},
        {"MemTotal:       24683784 kB", "MemTotal:       24 683 784 kB", false},
        {"MemTotal:       24683784 kB", "MemTotal:       -24683784 kB", false},
        {"MemTotal:       24683784 kB", "MemTotal:       9223372036854775808 kB", false},
        {"MemTotal:       24683784 kB", "MemTotal:       9007199254740992 kB", false},
        {"MemTotal:       24683784 kB", "MemTotal:       99999999999999999999999 kB", false},
        {"MemTotal:       24683784 kB", "MemTotal:        kB", false},
        {"MemFree:", "MemTotal:", false},
        {"MemAvailable:   24406276 kB", "MemAvailable:   lots kB", false},
        {"MemAvailable:   24406276 kB", "MemAvailable:   24683785 kB", false},
        {"MemAvailable:   24406276 kB\n", "", true},
        {"MemAvailable:   24406276 kB\nBuffers:            3152 kB\n", "", false},
        {"SwapFree:              0 kB", "SwapFree:              8 kB", false},
        {"SwapTotal:             0 kB", "SwapTotal:             9007199254740991 kB", false},
    };
    for (const Case& c : cases) {
        std::string text(kModernMeminfo);
        text.replace(text.find(c.from), c.from.size(), c.to);
        EXPECT_EQ(ParseMemoryStatus(text, kStatus, k128TiB).has_value(), c.usable) << c.to;
    }
    EXPECT_EQ(ParseMemoryStatus("", kStatus, k128TiB), std::nullopt);
}

TEST(ParseMemoryStatus, ProcessStatusAndAddressSpace) {
    EXPECT_EQ(ParseMemoryStatus(kModernMeminfo, "VmPeak:\t 3060 kB\n", k128TiB), std::nullopt);
    EXPECT_EQ(ParseMemoryStatus(kModernMeminfo, "VmSize:\t 3060\n", k128TiB), std::nullopt);
    EXPECT_EQ(ParseMemoryStatus(kModernMeminfo, kStatus, 0), std::nullopt);
    // A limit set below what is already mapped leaves nothing available, not a wrapped count.
    const auto below = ParseMemoryStatus(kModernMeminfo, kStatus, 1024 * kKB);
    ASSERT_TRUE(below);
    EXPECT_EQ(below->total_virtual, 1024 * kKB);
    EXPECT_EQ(below->available_virtual, 0u);
}

TEST(EffectiveAddressSpace, SmallerOfLimitAndArchitecture) {
    using Bytes = std::optional<std::uint64_t>;
    EXPECT_EQ(EffectiveAddressSpace(std::nullopt, k128TiB), Bytes(k128TiB));
    EXPECT_EQ(EffectiveAddressSpace(1 << 30, k128TiB), Bytes(1 << 30));
    EXPECT_EQ(EffectiveAddressSpace(k128TiB * 4, k128TiB), Bytes(k128TiB));
    EXPECT_EQ(EffectiveAddressSpace(1 << 30, std::nullopt), Bytes(1 << 30));
    EXPECT_EQ(EffectiveAddressSpace(std::nullopt, std::nullopt), std::nullopt);
}

TEST(QueryMemoryStatus, LiveFiguresAgreeWithEachOther) {
    const auto status = QueryMemoryStatus();
    ASSERT_TRUE(status);
    EXPECT_GT(status->total_physical, 0u);
    EXPECT_LE(status->available_physical, status->total_physical);
    EXPECT_LE(status->memory_load, 100u);
    EXPECT_GE(status->total_page_file, status->total_physical);
    EXPECT_GE(status->available_page_file, status->available_physical);
    EXPECT_LT(status->available_virtual, status->total_virtual);
    EXPECT_EQ(status->available_extended_virtual, 0u);
}

}  // namespace
}  // namespace minizol
