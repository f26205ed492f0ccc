// The ISBN check character of any text: only its digits and X's count, past the separators
// between groups, and any other character is red; nine digits (or twelve led by 978 or 979) give
// the check character that makes a valid ISBN-10 (ISBN-13), and the box is red exactly when a
// typed check character makes an invalid one, or no ISBN can be read.
#include "checkdigits/isbn.h"

#include <string>

#include "checkdigits/pasted_text.h"
#include "fuzz_support.h"

FUZZ_TARGET(input) {
    const std::string_view text = input.TakeRest();
    const IsbnResult result = IsbnCheckDigit(text);
    std::string symbols;
    bool foreign = false;  // a character no ISBN is written with
    for (const char c : text) {
        if ((c >= '0' && c <= '9') || c == 'X' || c == 'x') {
            symbols += c == 'x' ? 'X' : c;
        } else {
            foreign = foreign || !IsNumberSeparator(c);
        }
    }
    const std::string detail =
        Quoted(text) + " gives " + Quoted(result.checkDigit) + (result.red ? " red" : "");
    if (foreign) {
        FUZZ_CHECK(result.red && result.checkDigit.empty(), detail);
        return;
    }
    // ISBN-10: (10 - i) x symbol i, X as 10 and last only, sums to a multiple of 11. ISBN-13:
    // digits weighed 1, 3, 1, 3, ... sum to a multiple of 10.
    const auto valid = [](std::string_view isbn) {
        const bool ten = isbn.size() == 10;
        int sum = 0;
        for (std::size_t i = 0; i < isbn.size(); ++i) {
            const int weight = ten ? static_cast<int>(10 - i) : i % 2 == 0 ? 1 : 3;
            sum += weight * (isbn[i] == 'X' ? 10 : isbn[i] - '0');
        }
        const std::size_t x = isbn.find('X');
        return ten ? x >= 9 && sum % 11 == 0 : isbn.size() == 13 && x > 13 && sum % 10 == 0;
    };
    const std::size_t count = symbols.size();
    const std::size_t firstX = symbols.find('X');
    const bool isbn13 = symbols.starts_with("978") || symbols.starts_with("979");
    const bool readable = ((count == 9 || count == 10) && firstX >= 9) ||
                          ((count == 12 || count == 13) && isbn13 && firstX >= 12);
    FUZZ_CHECK(result.checkDigit.empty() != readable, detail);
    if (!readable) {
        // Fewer than nine: red only for an X, which stands nowhere but last.
        FUZZ_CHECK(result.red == (count >= 9 || firstX != std::string::npos), detail);
        return;
    }
    const std::string completed = symbols.substr(0, count <= 10 ? 9 : 12) + result.checkDigit;
    FUZZ_CHECK(valid(completed) && !IsbnCheckDigit(completed).red, detail + " " + completed);
    FUZZ_CHECK(result.red == (count == completed.size() && !valid(symbols)), detail);
}
