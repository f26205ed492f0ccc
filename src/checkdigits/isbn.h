#pragma once

#include <string>
#include <string_view>

namespace minizol {

struct IsbnResult {
    std::string checkDigit;  // "0" to "9" or "X" once nine digits are there, otherwise ""
    bool tooMany = false;    // a tenth digit was found: the result box turns red
};

// The ISBN-10 check digit of the first nine digits of `text`; every other character is skipped.
IsbnResult IsbnCheckDigit(std::string_view text);

}  // namespace minizol
