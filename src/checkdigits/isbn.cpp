#include "checkdigits/isbn.h"

#include <array>

#include "checkdigits/pasted_text.h"

namespace minizol {
namespace {

constexpr std::size_t kIsbn10Body = 9;
constexpr std::size_t kIsbn13Body = 12;

bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// ISBN-10: digit i of the first nine weighs i; the sum mod 11 is the check value, 10 being "X".
char Isbn10Check(std::string_view nine) {
    int sum = 0;
    for (std::size_t i = 0; i < nine.size(); ++i) {
        sum += static_cast<int>(i + 1) * (nine[i] - '0');
    }
    const int remainder = sum % 11;
    return remainder == 10 ? 'X' : static_cast<char>('0' + remainder);
}

// ISBN-13 (EAN-13): the twelve digits weigh 1, 3, 1, 3, ...; the check digit completes the sum
// to a multiple of 10.
char Isbn13Check(std::string_view twelve) {
    int sum = 0;
    for (std::size_t i = 0; i < twelve.size(); ++i) {
        sum += (i % 2 == 0 ? 1 : 3) * (twelve[i] - '0');
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

}  // namespace

IsbnResult IsbnCheckDigit(std::string_view text) {
    IsbnResult result;
    std::array<char, kIsbn13Body + 1> symbols{};  // the digits and X's, in order
    std::size_t count = 0;
    for (char c : text) {
        if (IsNumberSeparator(c)) {
            continue;
        }
        if (c != 'X' && c != 'x' && (c < '0' || c > '9')) {
            result.red = true;  // a letter or sign that no ISBN has: not a number to read past
            return result;
        }
        if (count == symbols.size()) {
            result.red = true;  // too long for any ISBN, however much more there is
            return result;
        }
        symbols[count++] = c == 'x' ? 'X' : c;
    }
    const std::string_view all(symbols.data(), count);
    if ((count == kIsbn10Body || count == kIsbn10Body + 1) &&
        AllDigits(all.substr(0, kIsbn10Body))) {
        result.checkDigit = std::string(1, Isbn10Check(all.substr(0, kIsbn10Body)));
    } else if ((count == kIsbn13Body || count == kIsbn13Body + 1) &&
               (all.starts_with("978") || all.starts_with("979")) &&
               AllDigits(all.substr(0, kIsbn13Body))) {
        result.checkDigit = std::string(1, Isbn13Check(all.substr(0, kIsbn13Body)));
    }
    if (count < kIsbn10Body) {
        result.red = all.find('X') != std::string_view::npos;  // X only stands last
    } else if (result.checkDigit.empty()) {
        result.red = true;
    } else if (count == kIsbn10Body + 1 || count == kIsbn13Body + 1) {
        result.red = all.back() != result.checkDigit[0];
    }
    return result;
}

}  // namespace minizol
