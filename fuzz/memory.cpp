// The memory figures on any input: the /proc parser and the report. Input: the text of
// /proc/meminfo, "|", the text of /proc/self/status, "|", the address-space size as a decimal
// number, "|", a load and seven byte counts as decimal numbers separated by spaces (beyond 64
// bits saturating), "|" and a byte choosing the decimal separator. Parsed figures must agree
// with each other, and the report must show any figures, or "n/d" throughout.
#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "fuzz_support.h"
#include "memory/memory_report.h"
#include "platform/memory_status.h"

namespace minizol::fuzz {
namespace {

// The eight-line report: the labels of the "n/d" report (which the unit tests pin), padded to 30
// characters, and a figure on every line of a usable status, or "n/d" throughout.
void CheckReport(const std::optional<MemoryStatus>& status, std::string_view sep,
                 const std::string& where) {
    const std::string blankReport = PrintRamInformation(std::nullopt, sep);
    const std::string text = PrintRamInformation(status, sep);
    const std::string detail = where + ": " + Quoted(text);
    std::string_view rest = text;
    std::string_view blank = blankReport;
    std::array<std::string_view, 8> values;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t end = rest.find("\r\n");
        FUZZ_CHECK((end == std::string_view::npos) == (i == 7), detail);
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(i == 7 ? rest.size() : end + 2);
        FUZZ_CHECK(line.size() > 30 && line.substr(0, 30) == blank.substr(0, 30) && line[30] != ' ',
                   detail);
        blank.remove_prefix(std::min(blank.size(), blank.find("\r\n") + 2));
        values[i] = line.substr(30);
    }
    const bool usable = status && status->totalPhysical != 0 &&
                        status->availablePhysical <= status->totalPhysical &&
                        status->memoryLoad <= 100;
    if (!usable) {
        for (const std::string_view value : values) {
            FUZZ_CHECK(value == kUnavailableValue, detail);
        }
        return;
    }
    // How counts and the free share are written, the unit tests pin; here each value is one.
    for (const std::string_view value : values) {
        FUZZ_CHECK(value != kUnavailableValue && value.find_first_of("0123456789") == 0, detail);
    }
    const MemoryStatus& s = *status;
    FUZZ_CHECK(values[7] == std::to_string(s.memoryLoad) + "%", detail);
}

// Parsed figures agree with each other; the page file is RAM plus swap.
void CheckParsed(const MemoryStatus& s, std::uint64_t addressSpace, const std::string& detail) {
    FUZZ_CHECK(s.totalPhysical > 0 && s.availablePhysical <= s.totalPhysical, detail);
    const double used = static_cast<double>(s.totalPhysical - s.availablePhysical) /
                        static_cast<double>(s.totalPhysical) * 100.0;
    FUZZ_CHECK(std::fabs(static_cast<double>(s.memoryLoad) - used) <= 0.5 + 1e-9, detail);
    FUZZ_CHECK(s.totalPageFile >= s.totalPhysical && s.availablePageFile >= s.availablePhysical,
               detail);
    FUZZ_CHECK(s.availablePageFile <= s.totalPageFile && s.totalPageFile <= kMaxMemoryBytes,
               detail);
    FUZZ_CHECK(s.totalVirtual == addressSpace && s.availableVirtual <= s.totalVirtual, detail);
}

MemoryStatus ReadFigures(std::string_view text) {
    std::array<std::uint64_t, 8> n{};
    for (std::uint64_t& number : n) {
        number = DecimalCount(text);
        const std::size_t end = text.find(' ');
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    const auto load = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(n[0], std::numeric_limits<std::uint32_t>::max()));
    return {load, n[1], n[2], n[3], n[4], n[5], n[6], n[7]};
}

}  // namespace
}  // namespace minizol::fuzz

FUZZ_TARGET(input) {
    const std::string meminfo(input.Field());
    const std::string selfStatus(input.Field());
    const std::uint64_t addressSpace = DecimalCount(input.Field());
    const MemoryStatus figures = ReadFigures(input.Field());
    static constexpr std::array<std::string_view, 3> kSeparators = {",", ".", "\u066B"};
    const std::string_view sep = kSeparators[input.Byte() % kSeparators.size()];

    const auto status = ParseMemoryStatus(meminfo, selfStatus, addressSpace);
    const std::string where =
        Quoted(meminfo) + " " + Quoted(selfStatus) + " " + std::to_string(addressSpace);
    if (status) {
        CheckParsed(*status, addressSpace, where);
        CheckReport(status, sep, where);
    }
    // Lines of other names do no harm, wherever they are.
    const auto more =
        ParseMemoryStatus("Hugepagesize: 2048 kB\n" + meminfo + "\nZswap: x\n",
                          "Name:\tminizol\n" + selfStatus + "\nVmRSS: 1 kB\n", addressSpace);
    FUZZ_CHECK(more == status, where);

    CheckReport(figures, sep, "figures");
    // The free-memory figure of the monitor's caption, in MB to four decimals.
    const Currency mb = fAPM(figures);
    const double exact = static_cast<double>(figures.availablePhysical) / 1048576.0;
    FUZZ_CHECK(
        std::fabs(static_cast<double>(mb.units()) / 10000.0 - exact) <= 0.00005 + exact * 1e-12,
        std::to_string(figures.availablePhysical) + " bytes give " + mb.ToText(".") + " MB");
}
