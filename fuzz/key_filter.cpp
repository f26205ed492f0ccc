// The key filter of the DigiZol fields for any character code: what passes is Backspace or a
// character the field allows, letters come out in upper case, and filtering is stable. Each
// five bytes are a key: the rules (bits 0 to 3: minus, letters, digits, X), then the code.
#include "checkdigits/key_filter.h"

#include <array>
#include <string>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace minizol;
    using namespace minizol::fuzz;
    Input input(data, size);
    while (!input.empty()) {
        const std::uint8_t rules = input.Byte();
        const KeyFilterRules allowed{(rules & 1) != 0, (rules & 2) != 0, (rules & 4) != 0,
                                     (rules & 8) != 0};
        char32_t code = 0;
        for (int i = 0; i < 4; ++i) {
            code |= static_cast<char32_t>(input.Byte()) << (8 * i);
        }
        const char32_t out = FilterKey(code, allowed);
        const std::string detail = "code " + std::to_string(static_cast<std::uint32_t>(code)) +
                                   " rules " + std::to_string(rules & 15) + " gives " +
                                   std::to_string(static_cast<std::uint32_t>(out));
        FUZZ_CHECK(FilterKey(out, allowed) == out, detail);
        const bool digit = code >= U'0' && code <= U'9';
        const bool upper = code >= U'A' && code <= U'Z';
        const bool lower = code >= U'a' && code <= U'z';
        char32_t expected = 0;
        if (code == kBackspaceKey || (digit && allowed.digits) || (upper && allowed.letters) ||
            (code == U'-' && allowed.minus)) {
            expected = code;
        } else if ((lower && allowed.letters) ||
                   ((code == U'x' || code == U'X') && allowed.checkX)) {
            expected = lower ? code - U'a' + U'A' : code;
        }
        FUZZ_CHECK(out == expected, detail);
    }
    return 0;
}
