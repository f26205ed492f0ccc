#include "checkdigits/isbn.h"

namespace minizol {

IsbnResult IsbnCheckDigit(std::string_view text) {
    IsbnResult result;
    int count = 0;
    int sum = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            continue;
        }
        if (++count == 10) {
            result.tooMany = true;
            return result;
        }
        sum += count * (c - '0');  // digit i weighs i
    }
    if (count == 9) {
        const int remainder = sum % 11;
        result.checkDigit =
            remainder == 10 ? "X" : std::string(1, static_cast<char>('0' + remainder));
    }
    return result;
}

}  // namespace minizol
