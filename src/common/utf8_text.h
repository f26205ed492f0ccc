#pragma once

#include <cstddef>
#include <string_view>

namespace minizol {

// Field texts are UTF-8 and users count characters, not bytes: "ñ" is one character. A byte that
// does not start a well-formed sequence counts as one character of its own, so any byte string
// can be measured and cut without splitting a character. Every helper runs in linear time.

// Byte length of the character starting at byte `pos`; 0 at or past the end.
std::size_t CharLengthAt(std::string_view text, std::size_t pos);

std::size_t CharCount(std::string_view text);

// Whether every byte belongs to a well-formed sequence.
bool IsWellFormed(std::string_view text);

// How many of the first bytes are well-formed: up to the first byte of a sequence that is not,
// or of one cut by the end of the text.
std::size_t WellFormedPrefix(std::string_view text);

// Up to `count` characters, after skipping the first `skip` characters.
std::string_view CharSlice(std::string_view text, std::size_t skip, std::size_t count);

// The last `count` characters, or the whole text when it is shorter.
std::string_view LastChars(std::string_view text, std::size_t count);

// The text without its last character.
std::string_view WithoutLastChar(std::string_view text);

}  // namespace minizol
