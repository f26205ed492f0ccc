// The memory report for any figures. Input: the load and the seven byte counts as decimal
// numbers separated by blanks (any count, beyond 64 bits saturating), then "|" and a byte
// choosing the decimal separator.
#include "memory/memory_report.h"

#include <array>
#include <limits>
#include <string>

#include "fuzz_support.h"
#include "report_check.h"

FUZZ_TARGET(input) {
    std::string_view figures = input.Field();
    std::array<std::uint64_t, 8> numbers{};
    for (std::uint64_t& number : numbers) {
        const std::size_t start = figures.find_first_not_of(" \t\n");
        figures.remove_prefix(start == std::string_view::npos ? figures.size() : start);
        number = DecimalCount(figures);
        const std::size_t end = figures.find_first_of(" \t\n");
        figures.remove_prefix(end == std::string_view::npos ? figures.size() : end);
    }
    MemoryStatus status;
    status.memoryLoad = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(numbers[0], std::numeric_limits<std::uint32_t>::max()));
    status.totalPhysical = numbers[1];
    status.availablePhysical = numbers[2];
    status.totalPageFile = numbers[3];
    status.availablePageFile = numbers[4];
    status.totalVirtual = numbers[5];
    status.availableVirtual = numbers[6];
    status.availableExtendedVirtual = numbers[7];

    static constexpr std::array<std::string_view, 3> kSeparators = {",", ".", "\u066B"};
    const std::string_view sep = kSeparators[input.Byte() % kSeparators.size()];
    CheckReport(PrintRamInformation(status, sep), status, sep, "report");
    CheckReport(PrintRamInformation(std::nullopt, sep), std::nullopt, sep, "no figures");

    // The free-memory figure of the monitor's caption, in MB to four decimals.
    const Currency mb = fAPM(status);
    const double exact = static_cast<double>(status.availablePhysical) / 1048576.0;
    FUZZ_CHECK(
        std::fabs(static_cast<double>(mb.units()) / 10000.0 - exact) <= 0.00005 + exact * 1e-12,
        std::to_string(status.availablePhysical) + " bytes give " + mb.ToText(".") + " MB");
}
