// The ISBN-10 check digit of any text: only its digits count, the result is a digit or "X"
// exactly when there are nine of them, and the ten characters then make a valid ISBN-10.
#include "checkdigits/isbn.h"

#include <string>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace minizol;
    using namespace minizol::fuzz;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const IsbnResult result = IsbnCheckDigit(text);
    std::string digits;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    const std::string detail =
        Quoted(text) + " gives " + Quoted(result.checkDigit) + (result.tooMany ? " too many" : "");
    FUZZ_CHECK(result.tooMany == (digits.size() >= 10), detail);
    FUZZ_CHECK(result.checkDigit.empty() == (digits.size() != 9), detail);
    if (digits.size() != 9) {
        return 0;
    }
    FUZZ_CHECK(
        result.checkDigit.size() == 1 &&
            std::string_view("0123456789X").find(result.checkDigit[0]) != std::string_view::npos,
        detail);
    FUZZ_CHECK(IsbnCheckDigit(digits).checkDigit == result.checkDigit, detail);
    // ISBN-10: the sum of (11 - position) x digit over all ten, with X as 10, is a multiple
    // of 11.
    const std::string isbn = digits + result.checkDigit;
    int sum = 0;
    for (std::size_t i = 0; i < isbn.size(); ++i) {
        const int value = isbn[i] == 'X' ? 10 : isbn[i] - '0';
        sum += static_cast<int>(10 - i) * value;
    }
    FUZZ_CHECK(sum % 11 == 0, detail + " ISBN " + isbn);
    return 0;
}
