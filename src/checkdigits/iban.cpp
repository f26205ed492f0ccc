#include "checkdigits/iban.h"

#include "common/text_case.h"
#include "common/utf8_text.h"

namespace minizol {
namespace {

bool IsUpperAscii(char c) {
    return c >= 'A' && c <= 'Z';
}

// Folds decimal digits into a remainder mod 97 one at a time, which equals the remainder of the
// whole number however long it is.
int Mod97(int remainder, int digit) {
    return (remainder * 10 + digit) % 97;
}

}  // namespace

std::string ValidCountryCode(std::string_view answer) {
    // Two letters A to Z are exactly two bytes; any other text, "Ñ" or "ñ" too, fails a check.
    const std::string code = UpperCase(answer);
    if (code.size() == 2 && IsUpperAscii(code[0]) && IsUpperAscii(code[1])) {
        return code;
    }
    return std::string(kDefaultCountry);
}

std::string CountryOfIbanField(std::string_view ibanField) {
    return ValidCountryCode(CharSlice(ibanField, 0, 2));
}

std::string IbanCheckDigits(std::string_view country, std::string_view domestic) {
    int remainder = 0;
    for (char c : domestic) {
        if (c >= '0' && c <= '9') {
            remainder = Mod97(remainder, c - '0');
        }
    }
    for (char letter : ValidCountryCode(country)) {
        const int value = letter - 'A' + 10;  // A is 10 ... Z is 35
        remainder = Mod97(Mod97(remainder, value / 10), value % 10);
    }
    remainder = Mod97(Mod97(remainder, 0), 0);
    const int check = 98 - remainder;
    return {static_cast<char>('0' + check / 10), static_cast<char>('0' + check % 10)};
}

}  // namespace minizol
