// The memory query's parser on any kernel texts. Input: the text of /proc/meminfo, "|", the
// text of /proc/self/status, "|", the address-space size as a decimal number. Parsed figures
// must agree with each other, and the report must show them.
#include <string>

#include "fuzz_support.h"
#include "memory/memory_report.h"
#include "platform/memory_status.h"
#include "report_check.h"

namespace minizol::fuzz {
namespace {

std::string Describe(const MemoryStatus& s) {
    return "load " + std::to_string(s.memoryLoad) + " physical " +
           std::to_string(s.availablePhysical) + "/" + std::to_string(s.totalPhysical) +
           " page file " + std::to_string(s.availablePageFile) + "/" +
           std::to_string(s.totalPageFile) + " virtual " + std::to_string(s.availableVirtual) +
           "/" + std::to_string(s.totalVirtual);
}

void CheckStatus(const MemoryStatus& s, std::uint64_t addressSpace, const std::string& where) {
    const std::string detail = where + ": " + Describe(s);
    FUZZ_CHECK(s.totalPhysical > 0, detail);
    FUZZ_CHECK(s.availablePhysical <= s.totalPhysical, detail);
    FUZZ_CHECK(s.memoryLoad <= 100, detail);
    const double used = static_cast<double>(s.totalPhysical - s.availablePhysical) /
                        static_cast<double>(s.totalPhysical) * 100.0;
    FUZZ_CHECK(std::fabs(static_cast<double>(s.memoryLoad) - used) <= 0.5 + 1e-9, detail);
    // The page file is RAM plus swap: never less than RAM, never less available.
    FUZZ_CHECK(s.totalPageFile >= s.totalPhysical, detail);
    FUZZ_CHECK(s.availablePageFile >= s.availablePhysical, detail);
    FUZZ_CHECK(s.availablePageFile <= s.totalPageFile, detail);
    FUZZ_CHECK(s.totalPageFile <= kMaxMemoryBytes, detail);
    FUZZ_CHECK(s.totalVirtual == addressSpace, detail);
    FUZZ_CHECK(s.availableVirtual <= s.totalVirtual, detail);
    FUZZ_CHECK(s.availableExtendedVirtual == 0, detail);
}

}  // namespace
}  // namespace minizol::fuzz

FUZZ_TARGET(input) {
    const std::string meminfo(input.Field());
    const std::string selfStatus(input.Field());
    const std::uint64_t addressSpace = DecimalCount(input.TakeRest());

    const auto status = ParseMemoryStatus(meminfo, selfStatus, addressSpace);
    const std::string where =
        Quoted(meminfo) + " " + Quoted(selfStatus) + " " + std::to_string(addressSpace);
    if (status) {
        CheckStatus(*status, addressSpace, where);
        CheckReport(PrintRamInformation(status, ","), status, ",", where);
        FUZZ_CHECK(PrintRamInformation(status, ",").find(kUnavailableValue) == std::string::npos,
                   where);
    }
    // Lines of other names do no harm, wherever they are.
    const auto more =
        ParseMemoryStatus("Hugepagesize: 2048 kB\n" + meminfo + "\nZswap: x\n",
                          "Name:\tminizol\n" + selfStatus + "\nVmRSS: 1 kB\n", addressSpace);
    FUZZ_CHECK(more == status, where);
    if (status) {
        // A needed field given twice makes the text ambiguous.
        for (const char* field : {"MemTotal", "SwapTotal", "SwapFree"}) {
            const std::string twice = meminfo + "\n" + field + ": 1 kB\n";
            FUZZ_CHECK(!ParseMemoryStatus(twice, selfStatus, addressSpace), where + " " + field);
        }
        FUZZ_CHECK(!ParseMemoryStatus(meminfo, selfStatus + "\nVmSize: 1 kB\n", addressSpace),
                   where);
    }
}
