#include "checkdigits/list_summary.h"

namespace minizol {

std::string GroupThousands(std::string_view text) {
    std::string grouped;
    grouped.reserve(text.size() + text.size() / 3);
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = at;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
            ++end;
        }
        if (end == at) {
            grouped += text[at++];
            continue;
        }
        for (std::size_t digit = at; digit < end; ++digit) {
            if (digit > at && (end - digit) % 3 == 0) {
                grouped += '.';
            }
            grouped += text[digit];
        }
        at = end;
    }
    return grouped;
}

}  // namespace minizol
