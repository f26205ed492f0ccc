#include "memory/memory_report.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace minizol {
namespace {

struct Unit {
    std::int64_t bytes;
    int decimals;
    std::string_view suffix;
};

// Counts of 1 TB and more are shown in TB: every 64-bit process has more address space than
// that, so leaving them blank would empty two lines for good.
constexpr std::array<Unit, 5> kUnits = {{{1, 0, " bytes"},
                                         {std::int64_t{1} << 10, 1, " KB"},
                                         {std::int64_t{1} << 20, 2, " MB"},
                                         {std::int64_t{1} << 30, 2, " GB"},
                                         {std::int64_t{1} << 40, 2, " TB"}}};
constexpr std::array<std::uint64_t, 5> kPowersOf10 = {1, 10, 100, 1000, 10000};

const Unit& UnitOf(Currency bytes) {
    for (auto unit = kUnits.rbegin(); unit != kUnits.rend(); ++unit) {
        if (bytes.units() >= unit->bytes * Currency::kUnitsPerWhole) {
            return *unit;
        }
    }
    return kUnits.front();
}

constexpr std::array<std::string_view, 8> kLabels = {
    "Total physical memory:        ", "Available physical memory:    ",
    "Total virtual memory:         ", "Available virtual memory:     ",
    "Total page file:              ", "Available page file:          ",
    "Available extended page file: ", "Memory Load:                  "};
static_assert(std::ranges::all_of(kLabels,
                                  [](std::string_view label) { return label.size() == 30; }));

double CountToDouble(std::uint64_t count) {
    return LargeIntToDouble(static_cast<std::int32_t>(count & 0xffff'ffffU),
                            static_cast<std::int32_t>(count >> 32));
}

// A count of the record as NumberInKB writes it. Counts beyond a currency amount's range (about
// 838 TB) cannot travel as one, so they are scaled to TB straight from the count.
std::string CountText(std::uint64_t count, std::string_view decimalSeparator) {
    if (const auto amount = Currency::FromDouble(CountToDouble(count))) {
        return NumberInKB(*amount, decimalSeparator);
    }
    const auto hundredths = MulDivHalfEven(count, 100, std::uint64_t{1} << 40);
    std::string text =
        Currency::FromUnits(static_cast<std::int64_t>(hundredths * 100)).ToText(decimalSeparator);
    text += kUnits.back().suffix;
    return text;
}

bool IsUsable(const MemoryStatus& status) {
    return status.totalPhysical != 0 && status.availablePhysical <= status.totalPhysical &&
           status.memoryLoad <= 100;
}

}  // namespace

double LargeIntToDouble(std::int32_t low, std::int32_t high) {
    constexpr double kTwoTo32 = 4294967296.0;
    const double unsignedLow = low < 0 ? low + kTwoTo32 : low;
    const double unsignedHigh = high < 0 ? high + kTwoTo32 : high;
    return unsignedHigh * kTwoTo32 + unsignedLow;
}

Currency NumberInKBsub(Currency bytes) {
    const Unit& unit = UnitOf(bytes);
    if (unit.bytes == 1) {
        return bytes;
    }
    // Exact integer scaling, so that a half is a true half: 1280 bytes are 1.25 KB, giving 1.2.
    const auto scaled =
        MulDivHalfEven(static_cast<std::uint64_t>(bytes.units()), kPowersOf10[unit.decimals],
                       static_cast<std::uint64_t>(unit.bytes * Currency::kUnitsPerWhole));
    return Currency::FromUnits(static_cast<std::int64_t>(scaled * kPowersOf10[4 - unit.decimals]));
}

std::string NumberInKB(Currency bytes, std::string_view decimalSeparator) {
    std::string text = NumberInKBsub(bytes).ToText(decimalSeparator);
    text += UnitOf(bytes).suffix;
    return text;
}

std::string PrintRamInformation(const std::optional<MemoryStatus>& status,
                                std::string_view decimalSeparator) {
    std::array<std::string, 8> values;
    if (!status || !IsUsable(*status)) {
        values.fill(std::string(kUnavailableValue));
    } else {
        const double freePercent =
            CountToDouble(status->availablePhysical) / CountToDouble(status->totalPhysical) * 100.0;
        // nearbyint in the default rounding mode, which this program never changes: halves to
        // even, so exactly one eighth free reads 12.
        values[0] = CountText(status->totalPhysical, decimalSeparator) + " (" +
                    std::to_string(static_cast<int>(std::nearbyint(freePercent))) + "% Free)";
        values[1] = CountText(status->availablePhysical, decimalSeparator);
        values[2] = CountText(status->totalVirtual, decimalSeparator);
        values[3] = CountText(status->availableVirtual, decimalSeparator);
        values[4] = CountText(status->totalPageFile, decimalSeparator);
        values[5] = CountText(status->availablePageFile, decimalSeparator);
        values[6] = CountText(status->availableExtendedVirtual, decimalSeparator);
        values[7] = std::to_string(status->memoryLoad) + "%";
    }
    std::string report;
    report.reserve(512);
    for (std::size_t line = 0; line < kLabels.size(); ++line) {
        if (line != 0) {
            report += "\r\n";
        }
        report += kLabels[line];
        report += values[line];
    }
    return report;
}

std::string PrintRamInformation(std::string_view decimalSeparator) {
    return PrintRamInformation(QueryMemoryStatus(), decimalSeparator);
}

Currency fAPM(const MemoryStatus& status) {
    // At most 2^64 / 2^20 MB, well inside a currency amount.
    return Currency::FromUnits(static_cast<std::int64_t>(
        MulDivHalfEven(status.availablePhysical, Currency::kUnitsPerWhole, 1 << 20)));
}

std::optional<Currency> fAPM() {
    const auto status = QueryMemoryStatus();
    return status ? std::optional(fAPM(*status)) : std::nullopt;
}

}  // namespace minizol
