#include "checkdigits/isbn.h"

#include <array>

#include "checkdigits/pasted_text.h"

namespace minizol {
namespace {

constexpr std::size_t kIsbn10Body = 9;
constexpr std::size_t kIsbn13Body = 12;

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

namespace {

// What each byte is to an ISBN: a symbol (a digit, or X in either case as upper case), a
// separator to pass over, or a character no ISBN has.
constexpr char kNoIsbnSymbol = '\0';
constexpr char kIsbnSeparator = '\1';

constexpr std::array<char, 256> kIsbnSymbols = [] {
    std::array<char, 256> symbols{};
    for (char c = '0'; c <= '9'; ++c) {
        symbols[static_cast<unsigned char>(c)] = c;
    }
    symbols['X'] = symbols['x'] = 'X';
    for (int c = 0; c < 256; ++c) {
        if (IsNumberSeparator(static_cast<char>(c))) {
            symbols[static_cast<std::size_t>(c)] = kIsbnSeparator;
        }
    }
    return symbols;
}();

}  // namespace

IsbnResult IsbnCheckDigit(std::string_view text) {
    IsbnResult result;
    constexpr std::size_t kMostSymbols = kIsbn13Body + 1;
    // The digits and X's in order, and one slot more where a separator is written and forgotten.
    std::array<char, kMostSymbols + 1>& symbols = result.symbols;
    std::size_t count = 0;
    // Where the first X stands: the symbols before it are digits. Kept as they are read, as
    // the symbols just written are not read back a word at a time, which would wait for them.
    std::size_t firstX = kMostSymbols + 1;
    // A letter at the end, as a DNI's, is seen before all the digits are read.
    if (!text.empty() && kIsbnSymbols[static_cast<unsigned char>(text.back())] == kNoIsbnSymbol) {
        result.red = true;
        return result;
    }
    for (char c : text) {
        const char symbol = kIsbnSymbols[static_cast<unsigned char>(c)];
        const bool skipped = symbol == kIsbnSeparator;
        // A letter or sign that no ISBN has, or a symbol past the longest ISBN: not a number to
        // read past, however much more there is.
        if (symbol == kNoIsbnSymbol || (count == kMostSymbols && !skipped)) {
            result.red = true;
            return result;
        }
        firstX = symbol == 'X' && count < firstX ? count : firstX;
        symbols[count] = symbol;
        count += skipped ? 0 : 1;
    }
    result.symbolCount = count;
    const std::string_view all = result.Symbols();
    if ((count == kIsbn10Body || count == kIsbn10Body + 1) && firstX >= kIsbn10Body) {
        result.checkDigit = std::string(1, Isbn10Check(all.substr(0, kIsbn10Body)));
    } else if ((count == kIsbn13Body || count == kIsbn13Body + 1) &&
               (all.starts_with("978") || all.starts_with("979")) && firstX >= kIsbn13Body) {
        result.checkDigit = std::string(1, Isbn13Check(all.substr(0, kIsbn13Body)));
    }
    if (count < kIsbn10Body) {
        result.red = firstX < count;  // X only stands last
    } else if (result.checkDigit.empty()) {
        result.red = true;
    } else if (count == kIsbn10Body + 1 || count == kIsbn13Body + 1) {
        result.red = all.back() != result.checkDigit[0];
    }
    return result;
}

}  // namespace minizol
