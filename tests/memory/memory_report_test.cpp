#include "memory/memory_report.h"

#include <gtest/gtest.h>

#include <cmath>

namespace minizol {
namespace {

constexpr std::int64_t kMiB = std::int64_t{1} << 20;
constexpr std::int64_t kGiB = std::int64_t{1} << 30;
constexpr std::int64_t kTiB = std::int64_t{1} << 40;

Currency Bytes(std::int64_t count) {
    return Currency::FromUnits(count * Currency::kUnitsPerWhole);
}

TEST(MemoryReport, LargeIntToDoubleReadsBothHalvesUnsigned) {
    EXPECT_EQ(LargeIntToDouble(INT32_MIN, 0), 2147483648.0);
    EXPECT_EQ(LargeIntToDouble(7, 1), 4294967303.0);
    EXPECT_EQ(LargeIntToDouble(-1, -1), std::ldexp(1.0, 64));  // 2^64 - 1, rounded
}

TEST(MemoryReport, NumberInKBUnitsAndRounding) {
    const std::pair<std::int64_t, std::string_view> cases[] = {
        {1023, "1023 bytes"},       {1024, "1 KB"},         {1280, "1,2 KB"},  // 1.25: half to even
        {1536, "1,5 KB"},           {kMiB - 1, "1024 KB"},  {kMiB + kMiB / 8, "1,12 MB"},
        {kMiB * 11 / 8, "1,38 MB"}, {512 * kMiB, "512 MB"}, {4 * kGiB - 1, "4 GB"},
        {kTiB - 1, "1024 GB"},      {kTiB, "1 TB"},         {128 * kTiB, "128 TB"},
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(NumberInKB(Bytes(bytes), ","), text) << bytes;
    }
    EXPECT_EQ(NumberInKB(Bytes(kMiB + kMiB / 8), "."), "1.12 MB");
    EXPECT_EQ(NumberInKBsub(Bytes(3 * kGiB + kGiB / 3)).units(), 33300);  // 3.33 without its unit
}

TEST(MemoryReport, CurrencyConversionAndText) {
    EXPECT_EQ(Currency::FromDouble(1.23456)->ToText(","), "1,2346");
    EXPECT_EQ(Currency::FromDouble(-0.25)->ToText(","), "-0,25");
    EXPECT_EQ(Currency::FromDouble(140737488355327.0)->units(), 1407374883553270000);
    EXPECT_EQ(Currency::FromDouble(NAN), std::nullopt);
}

MemoryStatus EighthFree() {
    return {7, 8 * kGiB, kGiB, 12 * kGiB, 5 * kGiB + kMiB / 2, 128 * kTiB, 128 * kTiB - 3 * kMiB,
            0};
}

TEST(MemoryReport, EightAlignedLines) {
    EXPECT_EQ(PrintRamInformation(EighthFree(), ","),
              "Total physical memory:        8 GB (12% Free)\r\n"
              "Available physical memory:    1 GB\r\n"
              "Total virtual memory:         128 TB\r\n"
              "Available virtual memory:     128 TB\r\n"
              "Total page file:              12 GB\r\n"
              "Available page file:          5 GB\r\n"
              "Available extended page file: 0 bytes\r\n"
              "Memory Load:                  7%");
    MemoryStatus odd = EighthFree();
    odd.availablePageFile = 5 * kGiB + kGiB / 4;
    odd.availableExtendedVirtual = UINT64_MAX;  // beyond what a currency amount holds
    const std::string report = PrintRamInformation(odd, ".");
    EXPECT_NE(report.find("\r\nAvailable page file:          5.25 GB\r\n"), std::string::npos);
    EXPECT_NE(report.find("\r\nAvailable extended page file: 16777216 TB\r\n"), std::string::npos);
}

TEST(MemoryReport, UnavailableFiguresKeepTheLabels) {
    const std::string unavailable =
        "Total physical memory:        n/d\r\nAvailable physical memory:    n/d\r\n"
        "Total virtual memory:         n/d\r\nAvailable virtual memory:     n/d\r\n"
        "Total page file:              n/d\r\nAvailable page file:          n/d\r\n"
        "Available extended page file: n/d\r\nMemory Load:                  n/d";
    EXPECT_EQ(PrintRamInformation(std::nullopt, ","), unavailable);
    MemoryStatus broken = EighthFree();
    broken.totalPhysical = 0;
    EXPECT_EQ(PrintRamInformation(broken, ","), unavailable);
    broken = EighthFree();
    broken.availablePhysical = broken.totalPhysical + 1;
    EXPECT_EQ(PrintRamInformation(broken, ","), unavailable);
}

TEST(MemoryReport, AvailablePhysicalInMB) {
    MemoryStatus status = EighthFree();
    status.availablePhysical = 3 * kMiB / 2 + 1;  // 1.50000095 MB
    EXPECT_EQ(fAPM(status).ToText(","), "1,5");
    status.availablePhysical = 105;  // 0.00010013 MB
    EXPECT_EQ(fAPM(status).units(), 1);
}

}  // namespace
}  // namespace minizol
