#pragma once

namespace minizol {

// Which typed characters an input field of DigiZol accepts besides Backspace.
struct KeyFilterRules {
    bool minus = false;
    bool letters = false;
    bool digits = false;
    bool checkX = false;  // the ISBN-10 check character X, either case
};

inline constexpr KeyFilterRules kIdentityKeys{.minus = false, .letters = true, .digits = true};
inline constexpr KeyFilterRules kAccountKeys{.minus = false, .letters = false, .digits = true};
inline constexpr KeyFilterRules kIsbnKeys{
    .minus = true, .letters = false, .digits = true, .checkX = true};

inline constexpr char32_t kBackspaceKey = 8;
inline constexpr char32_t kEscapeKey = 27;

// The character code a field receives for a typed `code`: Backspace unchanged, an allowed digit or
// "-" unchanged, an allowed ASCII letter (or X) in upper case, anything else 0 (the key is
// discarded).
char32_t FilterKey(char32_t code, KeyFilterRules allowed);

}  // namespace minizol
