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
    return "load " + std::to_string(s.memory_load) + " physical " +
           std::to_string(s.available_physical) + "/" + std::to_string(s.total_physical) +
           " page file " + std::to_string(s.available_page_file) + "/" +
           std::to_string(s.total_page_file) + " virtual " + std::to_string(s.available_virtual) +
           "/" + std::to_string(s.total_virtual);
}

void CheckStatus(const MemoryStatus& s, std::uint64_t address_space, const std::string& where) {
    const std::string detail = where + ": " + Describe(s);
    FUZZ_CHECK(s.total_physical > 0, detail);
    FUZZ_CHECK(s.available_physical <= s.total_physical, detail);
    FUZZ_CHECK(s.memory_load <= 100, detail);
    const double used = static_cast<double>(s.total_physical - s.available_physical) /
                        static_cast<double>(s.total_physical) * 100.0;
    FUZZ_CHECK(std::fabs(static_cast<double>(s.memory_load) - used) <= 0.5 + 1e-9, detail);
    // The page file is RAM plus swap: never less than RAM, never less available.
    FUZZ_CHECK(s.total_page_file >= s.total_physical, detail);
    FUZZ_CHECK(s.available_page_file >= s.available_physical, detail);
    FUZZ_CHECK(s.available_page_file <= s.total_page_file, detail);
    FUZZ_CHECK(s.total_page_file <= kMaxMemoryBytes, detail);
    FUZZ_CHECK(s.total_virtual == address_space, detail);
    FUZZ_CHECK(s.available_virtual <= s.total_virtual, detail);
    FUZZ_CHECK(s.available_extended_virtual == 0, detail);
}

}  // namespace
}  // namespace minizol::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace minizol;
    using namespace minizol::fuzz;
    Input input(data, size);
    const std::string meminfo(input.Field());
    const std::string self_status(input.Field());
    const std::uint64_t address_space = DecimalCount(input.TakeRest());

    const auto status = ParseMemoryStatus(meminfo, self_status, address_space);
    const std::string where =
        Quoted(meminfo) + " " + Quoted(self_status) + " " + std::to_string(address_space);
    if (status) {
        CheckStatus(*status, address_space, where);
        CheckReport(PrintRamInformation(status, ","), status, ",", where);
        FUZZ_CHECK(PrintRamInformation(status, ",").find(kUnavailableValue) == std::string::npos,
                   where);
    }
    // Lines of other names do no harm, wherever they are.
    const auto more =
        ParseMemoryStatus("Hugepagesize: 2048 kB\n" + meminfo + "\nZswap: x\n",
                          "Name:\tminizol\n" + self_status + "\nVmRSS: 1 kB\n", address_space);
    FUZZ_CHECK(more == status, where);
    if (status) {
        // A needed field given twice makes the text ambiguous.
        for (const char* field : {"MemTotal", "SwapTotal", "SwapFree"}) {
            const std::string twice = meminfo + "\n" + field + ": 1 kB\n";
            FUZZ_CHECK(!ParseMemoryStatus(twice, self_status, address_space), where + " " + field);
        }
        FUZZ_CHECK(!ParseMemoryStatus(meminfo, self_status + "\nVmSize: 1 kB\n", address_space),
                   where);
    }
    return 0;
}
