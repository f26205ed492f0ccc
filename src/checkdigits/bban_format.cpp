#include "checkdigits/bban_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "checkdigits/iban_countries.h"
#include "common/byte_words.h"

namespace minizol {
namespace {

// Which characters of a text are digits and which upper-case letters, a bit a character.
struct Kinds {
    std::uint32_t digits = 0;
    std::uint32_t letters = 0;
};

void AddKinds(Kinds& kinds, std::uint64_t word, std::size_t at) {
    kinds.digits |= MarkedPositions(BytesInRange(word, '0', '9')) << at;
    kinds.letters |= MarkedPositions(BytesInRange(word, 'A', 'Z')) << at;
}

// Eight characters at a time; the last word overlaps the one before it rather than reading past
// the text. At most kLongestBban characters.
Kinds KindsOf(std::string_view text) {
    Kinds kinds;
    const std::size_t size = text.size();
    if (size < 8) {
        std::array<char, 8> padded{};  // zero bytes are neither digits nor letters
        if (size > 0) {
            std::memcpy(padded.data(), text.data(), size);
        }
        AddKinds(kinds, LoadWord(padded.data()), 0);
        return kinds;
    }
    for (std::size_t at = 0; at < size; at += 8) {
        const std::size_t from = std::min(at, size - 8);
        AddKinds(kinds, LoadWord(text.data() + from), from);
    }
    return kinds;
}

}  // namespace

std::optional<BbanFault> FindBbanFault(const IbanCountry& country, std::string_view bban) {
    const BbanFormat& format = country.bban;
    const std::string_view text = bban.substr(0, format.length);
    const std::uint32_t every = (std::uint32_t{1} << format.length) - 1;
    // Spain's format, as most, is digits throughout: two or three word tests for the usual
    // account, the classes of each character only for one that does not fit.
    if (format.digits == every && text.size() == format.length && AllDigits(text)) {
        return std::nullopt;
    }
    const Kinds kinds = KindsOf(text);
    const std::uint32_t wrong = (format.digits & ~kinds.digits) |
                                (format.letters & ~kinds.letters) |
                                (every & ~(kinds.digits | kinds.letters));
    if (wrong == 0) {
        return std::nullopt;
    }
    const int position = std::countr_zero(wrong);
    const std::uint32_t bit = std::uint32_t{1} << position;
    using Expected = BbanFault::Expected;
    const Expected expected = (format.digits & bit)    ? Expected::Digit
                              : (format.letters & bit) ? Expected::Letter
                                                       : Expected::Alphanumeric;
    return BbanFault{static_cast<std::size_t>(position), expected};
}

}  // namespace minizol
