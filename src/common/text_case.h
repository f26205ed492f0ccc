#pragma once

#include <array>
#include <string>
#include <string_view>

namespace minizol {

// The program's one upper-casing rule, so that an answer reads the same whichever path reads it:
// ASCII letters and the Latin-1 letters of UTF-8 text (á, ñ, ü ...) are upper-cased; every other
// character, and any byte that is not valid UTF-8, is copied as it is so that nothing is
// corrupted or changes length unexpectedly ("ß" stays "ß", never "SS").
std::string UpperCase(std::string_view text);

// The same, without a copy when upper-casing leaves the text as it is (as a tidied number does):
// the text itself, or its upper-cased form in `buffer` (which `text` must not lie in).
std::string_view UpperCase(std::string_view text, std::string& buffer);

constexpr bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr bool IsAsciiUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

constexpr char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// A set of characters, each looked up at once rather than searched for: a list asks for every
// number, and a search's length would vary from one to the next.
class CharSet {
  public:
    constexpr explicit CharSet(std::string_view members) {
        for (char c : members) {
            has_[static_cast<unsigned char>(c)] = true;
        }
    }

    constexpr bool Has(char c) const { return has_[static_cast<unsigned char>(c)]; }

  private:
    std::array<bool, 256> has_{};
};

}  // namespace minizol
