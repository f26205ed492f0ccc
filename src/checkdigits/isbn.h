#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace minizol {

struct IsbnResult {
    std::string checkDigit;  // computed check character ("0" to "9", or "X" for an ISBN-10), or ""
    bool red = false;        // the text cannot be an ISBN, or its typed check character is wrong
    // The digits and X's read, in order and without separators, when the text held nothing else:
    // with a check character computed, the ISBN as written, its own check character included
    // when it was typed. (The slot past the longest ISBN is scratch for the reading.)
    std::array<char, 14> symbols{};
    std::size_t symbolCount = 0;

    std::string_view Symbols() const { return {symbols.data(), symbolCount}; }
};

// The check character of the ISBN in `text`, read from its digits and "X" (either case) past the
// separators people write between groups (blanks, dots, hyphens, slashes, underscores); any other
// character is red. Nine digits give the ISBN-10 check character, twelve led by 978 or
// 979 the ISBN-13 one; with the check character typed after them the same is shown, red when the
// typed one differs. An "X" anywhere but tenth, or any other count past nine, is red.
IsbnResult IsbnCheckDigit(std::string_view text);

// Room for an ISBN-13 with its hyphens and some to spare; a paste may be longer, and shows red.
inline constexpr std::size_t kIsbnTypingLimit = 20;

}  // namespace minizol
