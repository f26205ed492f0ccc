// The ISBN check character of any text: only its digits and X's count; nine digits (or twelve led
// by 978 or 979) give the check character that makes a valid ISBN-10 (ISBN-13), and the box is
// red exactly when a typed check character makes an invalid one, or no ISBN can be read.
#include "checkdigits/isbn.h"

#include <string>

#include "fuzz_support.h"

namespace minizol::fuzz {
namespace {

// ISBN-10: the sum of (10 - i) x symbol i, with X as 10, is a multiple of 11.
bool Isbn10Valid(std::string_view isbn) {
    int sum = 0;
    for (std::size_t i = 0; i < isbn.size(); ++i) {
        sum += static_cast<int>(10 - i) * (isbn[i] == 'X' ? 10 : isbn[i] - '0');
    }
    return isbn.size() == 10 && isbn.find('X') >= 9 && sum % 11 == 0;
}

// ISBN-13: digits only, weighed 1, 3, 1, 3, ..., their sum a multiple of 10.
bool Isbn13Valid(std::string_view isbn) {
    int sum = 0;
    for (std::size_t i = 0; i < isbn.size(); ++i) {
        sum += (i % 2 == 0 ? 1 : 3) * (isbn[i] - '0');
    }
    return isbn.size() == 13 && isbn.find('X') == std::string_view::npos && sum % 10 == 0;
}

}  // namespace
}  // namespace minizol::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace minizol;
    using namespace minizol::fuzz;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const IsbnResult result = IsbnCheckDigit(text);
    std::string symbols;
    for (const char c : text) {
        if ((c >= '0' && c <= '9') || c == 'X' || c == 'x') {
            symbols += c == 'x' ? 'X' : c;
        }
    }
    const std::string detail =
        Quoted(text) + " gives " + Quoted(result.checkDigit) + (result.red ? " red" : "");
    const std::size_t count = symbols.size();
    const std::size_t firstX = symbols.find('X');
    const bool isbn13 = symbols.starts_with("978") || symbols.starts_with("979");
    const bool readable = ((count == 9 || count == 10) && firstX >= 9) ||
                          ((count == 12 || count == 13) && isbn13 && firstX >= 12);
    FUZZ_CHECK(result.checkDigit.empty() != readable, detail);
    if (!readable) {
        // Fewer than nine: red only for an X, which stands nowhere but last.
        FUZZ_CHECK(result.red == (count >= 9 || firstX != std::string::npos), detail);
        return 0;
    }
    const bool ten = count <= 10;
    const std::string completed = symbols.substr(0, ten ? 9 : 12) + result.checkDigit;
    FUZZ_CHECK(ten ? Isbn10Valid(completed) : Isbn13Valid(completed), detail + " " + completed);
    FUZZ_CHECK(IsbnCheckDigit(completed).checkDigit == result.checkDigit, detail);
    if (count == 9 || count == 12) {
        FUZZ_CHECK(!result.red && !IsbnCheckDigit(completed).red, detail + " " + completed);
    } else {
        FUZZ_CHECK(result.red == !(ten ? Isbn10Valid(symbols) : Isbn13Valid(symbols)), detail);
    }
    return 0;
}
