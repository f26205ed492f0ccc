#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "memory/currency.h"
#include "platform/memory_status.h"

namespace minizol {

// The unsigned 64-bit count whose 32-bit halves are `low` and `high`, each read as unsigned.
double LargeIntToDouble(std::int32_t low, std::int32_t high);

// A byte count scaled to its unit and rounded, halves to even: unchanged below 1 KB, in KB to one
// decimal, in MB, GB and TB to two. The unit is chosen from the unscaled count.
Currency NumberInKBsub(Currency bytes);

// The count as text with its unit: "1023 bytes", "1,2 KB", "1,12 MB", "4 GB", "128 TB".
std::string NumberInKB(Currency bytes, std::string_view decimalSeparator);

// Each value of the report when there are no figures.
inline constexpr std::string_view kUnavailableValue = "n/d";

// The eight-line report, lines joined by "\r\n", labels padded to 30 characters. Without usable
// figures (none, zero total, more available than total, load over 100) the labels are kept and
// every value reads kUnavailableValue.
std::string PrintRamInformation(const std::optional<MemoryStatus>& status,
                                std::string_view decimalSeparator);

// One refresh of the monitor: queries the figures and builds the report.
std::string PrintRamInformation(std::string_view decimalSeparator);

// The available physical memory in MB, to four decimals.
Currency fAPM(const MemoryStatus& status);
std::optional<Currency> fAPM();

}  // namespace minizol
