#pragma once

#include <string>
#include <string_view>

#include "lists/report.h"

namespace minizol {

// `text` with every run of digits grouped in thousands by ".", as Spanish readers write counts:
// "1234567 números" gives "1.234.567 números".
std::string GroupThousands(std::string_view text);

// The summary of a list window: "1.234 números: 1.200 correctos, 30 incorrectos, ...".
inline std::string GroupedSummaryText(const Tally& tally) {
    return GroupThousands(SummaryText(tally));
}

}  // namespace minizol
