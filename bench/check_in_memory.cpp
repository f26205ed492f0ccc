// Checks every number of a list already in memory, as python-stdnum's timing loop validates its
// list: no reading, no report, the check alone. Prints the median CPU seconds of a pass over the
// list, and how many numbers were right. Usage: check_in_memory LIST [PASSES]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "checkdigits/number_check.h"

namespace {

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s LIST [PASSES]\n", argv[0]);
        return 2;
    }
    std::ifstream input(argv[1], std::ios::binary);
    // One text for the whole list and views into it, as a list in memory is held.
    std::string all;
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    for (std::string line; std::getline(input, line);) {
        spans.emplace_back(all.size(), line.size());
        all += line;
    }
    if (spans.empty()) {
        std::fprintf(stderr, "%s: no numbers in %s\n", argv[0], argv[1]);
        return 2;
    }
    std::vector<std::string_view> numbers;
    for (const auto& [start, size] : spans) {
        numbers.push_back(std::string_view(all).substr(start, size));
    }

    const int passes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
    std::vector<double> seconds;
    std::size_t right = 0;
    minizol::NumberCheck check;
    for (int pass = 0; pass < passes; ++pass) {
        right = 0;
        const double start = CpuSeconds();
        for (std::string_view number : numbers) {
            minizol::CheckNumber(number, minizol::KindFilter::Any, check);
            right += check.verdict == minizol::Verdict::Correct ? 1 : 0;
        }
        seconds.push_back(CpuSeconds() - start);
    }
    std::nth_element(seconds.begin(), seconds.begin() + passes / 2, seconds.end());
    std::printf("%.6f %zu\n", seconds[static_cast<std::size_t>(passes / 2)], right);
    return 0;
}
