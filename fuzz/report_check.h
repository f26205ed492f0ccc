#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "memory/memory_report.h"
#include "platform/memory_status.h"

namespace minizol::fuzz {

inline std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (;;) {
        const std::size_t end = text.find("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            return lines;
        }
        text.remove_prefix(end + 2);
    }
}

inline bool IsDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Checks one byte count as the report writes it, "<number>[<sep><decimals>] <unit>", against
// the count: the unit is the largest that the count reaches, and the number is the count in
// that unit rounded to the unit's decimals.
inline void CheckCountText(std::string_view text, std::uint64_t count, std::string_view sep,
                           const std::string& where) {
    struct Unit {
        std::string_view suffix;
        double bytes;
        int decimals;
    };
    static constexpr std::array<Unit, 5> kUnits = {{{" bytes", 1.0, 0},
                                                    {" KB", 1024.0, 1},
                                                    {" MB", 1048576.0, 2},
                                                    {" GB", 1073741824.0, 2},
                                                    {" TB", 1099511627776.0, 2}}};
    std::size_t u = 0;
    while (u + 1 < kUnits.size() && static_cast<double>(count) >= kUnits[u + 1].bytes) {
        ++u;
    }
    const Unit& unit = kUnits[u];
    const std::string detail = where + ": " + Quoted(text) + " for " + std::to_string(count);
    FUZZ_CHECK(text.ends_with(unit.suffix), detail);
    const std::string_view number = text.substr(0, text.size() - unit.suffix.size());
    const std::size_t point = sep.empty() ? std::string_view::npos : number.find(sep);
    const std::string_view whole = number.substr(0, point);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view{} : number.substr(point + sep.size());
    FUZZ_CHECK(IsDigits(whole) && (whole.size() == 1 || whole.front() != '0'), detail);
    FUZZ_CHECK(point == std::string_view::npos ||
                   (IsDigits(decimals) && decimals.size() <= std::size_t(unit.decimals) &&
                    !decimals.ends_with('0')),
               detail);
    const double shown = std::stod(std::string(whole) + "." + std::string(decimals) + "0");
    const double exact = static_cast<double>(count) / unit.bytes;
    FUZZ_CHECK(std::fabs(shown - exact) <= 0.5 * std::pow(10.0, -unit.decimals) + exact * 1e-12,
               detail);
}

// The eight-line report: its labels, 30 characters each, and values that tell the figures of
// a usable status, or "n/d" throughout.
inline void CheckReport(std::string_view report, const std::optional<MemoryStatus>& status,
                        std::string_view sep, const std::string& where) {
    static constexpr std::array<std::string_view, 8> kNames = {"Total physical memory:",
                                                               "Available physical memory:",
                                                               "Total virtual memory:",
                                                               "Available virtual memory:",
                                                               "Total page file:",
                                                               "Available page file:",
                                                               "Available extended page file:",
                                                               "Memory Load:"};
    const std::vector<std::string_view> lines = SplitLines(report);
    const std::string detail = where + ": " + Quoted(report);
    FUZZ_CHECK(lines.size() == 8, detail);
    std::array<std::string_view, 8> values;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        FUZZ_CHECK(lines[i].size() > 30 && lines[i].starts_with(kNames[i]), detail);
        const std::string_view padding = lines[i].substr(kNames[i].size(), 30 - kNames[i].size());
        FUZZ_CHECK(padding.find_first_not_of(' ') == std::string_view::npos, detail);
        values[i] = lines[i].substr(30);
        FUZZ_CHECK(!values[i].starts_with(' '), detail);
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
    const MemoryStatus& s = *status;
    // "<total> (<percent>% Free)", the percentage of physical memory available.
    const std::size_t open = values[0].rfind(" (");
    FUZZ_CHECK(open != std::string_view::npos && values[0].ends_with("% Free)"), detail);
    const std::string_view percent = values[0].substr(open + 2, values[0].size() - open - 9);
    FUZZ_CHECK(IsDigits(percent), detail);
    const double free =
        static_cast<double>(s.availablePhysical) / static_cast<double>(s.totalPhysical) * 100.0;
    FUZZ_CHECK(std::fabs(std::stod(std::string(percent)) - free) <= 0.5 + 1e-9, detail);
    CheckCountText(values[0].substr(0, open), s.totalPhysical, sep, where + " total physical");
    CheckCountText(values[1], s.availablePhysical, sep, where + " available physical");
    CheckCountText(values[2], s.totalVirtual, sep, where + " total virtual");
    CheckCountText(values[3], s.availableVirtual, sep, where + " available virtual");
    CheckCountText(values[4], s.totalPageFile, sep, where + " total page file");
    CheckCountText(values[5], s.availablePageFile, sep, where + " available page file");
    CheckCountText(values[6], s.availableExtendedVirtual, sep, where + " extended");
    FUZZ_CHECK(values[7] == std::to_string(s.memoryLoad) + "%", detail);
}

}  // namespace minizol::fuzz
