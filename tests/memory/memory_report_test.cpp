#include "memory/memory_report.h"

#include <gtest/gtest.h>

#include <cmath>

namespace minizol {
namespace {

constexpr std::int64_t kMiB = std::int64_t{1} << 20;
constexpr std::int64_t kGiB = std::int64_t{1} << 30;
constexpr std::int64_t kTiB = std::int64_t{1} << 40;

TEST(MemoryReport, NumberInKBUnitsAndRounding) {
    const std::pair<std::int64_t, std::string_view> cases[] = {
        {1023, "1023 bytes"},       {1024, "1 KB"},         {1280, "1,2 KB"},  // 1.25: half to even
        {1536, "1,5 KB"},           {kMiB - 1, "1024 KB"},  {kMiB + kMiB / 8, "1,12 MB"},
        {kMiB * 11 / 8, "1,38 MB"}, {512 * kMiB, "512 MB"}, {4 * kGiB - 1, "4 GB"},
        {kTiB - 1, "1024 GB"},      {kTiB, "1 TB"},         {128 * kTiB, "128 TB"},
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(NumberInKB(Currency::FromUnits(bytes * Currency::kUnitsPerWhole), ","), text);
    }
}

// The two halves of a large count read unsigned; amounts keep four decimals.
TEST(MemoryReport, ConversionsOfCountsAndAmounts) {
    EXPECT_EQ(LargeIntToDouble(INT32_MIN, 0), 2147483648.0);
    EXPECT_EQ(LargeIntToDouble(7, 1), 4294967303.0);
    EXPECT_EQ(LargeIntToDouble(-1, -1), std::ldexp(1.0, 64));  // 2^64 - 1, rounded
    EXPECT_EQ(Currency::FromDouble(1.23456)->ToText(","), "1,2346");
    EXPECT_EQ(Currency::FromDouble(-0.25)->ToText("."), "-0.25");
    EXPECT_EQ(Currency::FromDouble(140737488355327.0)->units(), 1407374883553270000);
    EXPECT_EQ(Currency::FromDouble(NAN), std::nullopt);
}

// 8 GB with exactly one eighth free, and an extended figure beyond what a currency amount holds.
constexpr MemoryStatus kEighthFree = {
    7,         8 * kGiB, kGiB, 12 * kGiB, 5 * kGiB + kGiB / 4, 128 * kTiB, 128 * kTiB - 3 * kMiB,
    UINT64_MAX};

TEST(MemoryReport, EightAlignedLines) {
    EXPECT_EQ(PrintRamInformation(kEighthFree, "."),
              "Total physical memory:        8 GB (12% Free)\r\n"
              "Available physical memory:    1 GB\r\n"
              "Total virtual memory:         128 TB\r\n"
              "Available virtual memory:     128 TB\r\n"
              "Total page file:              12 GB\r\n"
              "Available page file:          5.25 GB\r\n"
              "Available extended page file: 16777216 TB\r\n"
              "Memory Load:                  7%");
    MemoryStatus status = kEighthFree;
    status.availablePhysical = 3 * kMiB / 2 + 1;  // 1.50000095 MB
    EXPECT_EQ(fAPM(status).ToText(","), "1,5");
}

TEST(MemoryReport, UnavailableFiguresKeepTheLabels) {
    const auto broken = [](auto field, auto value) {
        MemoryStatus status = kEighthFree;
        status.*field = value;
        return std::optional(status);
    };
    for (const auto& status :
         {std::optional<MemoryStatus>(), broken(&MemoryStatus::totalPhysical, 0),
          broken(&MemoryStatus::availablePhysical, 8 * kGiB + 1),
          broken(&MemoryStatus::memoryLoad, 101)}) {
        EXPECT_EQ(PrintRamInformation(status, ","),
                  "Total physical memory:        n/d\r\nAvailable physical memory:    n/d\r\n"
                  "Total virtual memory:         n/d\r\nAvailable virtual memory:     n/d\r\n"
                  "Total page file:              n/d\r\nAvailable page file:          n/d\r\n"
                  "Available extended page file: n/d\r\nMemory Load:                  n/d");
    }
}

}  // namespace
}  // namespace minizol
