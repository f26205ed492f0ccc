#pragma once

#include <fstream>
#include <string>
#include <vector>

namespace minizol {

// One IBAN of every registered country, as the IBAN registry publishes them.
inline std::vector<std::string> PublishedIbans() {
    std::ifstream file(MINIZOL_TEST_DATA "/checkdigits/published_ibans.txt");
    std::vector<std::string> ibans;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.front() != '#') {
            ibans.push_back(line);
        }
    }
    return ibans;
}

}  // namespace minizol
