#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace minizol {

// Tests over the bytes of a text eight at a time, in one 64-bit word: a list of a million numbers
// passes over each of its bytes several times, and a byte at a time is most of the work.

inline constexpr std::uint64_t kEveryByte = 0x0101010101010101;
inline constexpr std::uint64_t kHighBits = 0x80 * kEveryByte;

// The high bit of each byte of `word` that is `byte`, and of no other.
constexpr std::uint64_t BytesEqual(std::uint64_t word, unsigned char byte) {
    constexpr std::uint64_t kLow7 = ~kHighBits;
    const std::uint64_t x = word ^ (kEveryByte * byte);
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// The high bit of each byte of `word` that is an ASCII lower-case letter. Below 0x80 no byte sum
// carries into the next byte.
constexpr std::uint64_t LowerCaseBytes(std::uint64_t word) {
    const std::uint64_t low = word & ~kHighBits;
    const std::uint64_t pastA = low + (0x80 - 'a') * kEveryByte;
    const std::uint64_t pastZ = low + (0x7F - 'z') * kEveryByte;
    return pastA & ~pastZ & ~word & kHighBits;
}

// The high bit of each byte of `word` that is a control character (below a blank), DEL or past
// ASCII: any byte that is not printable ASCII.
constexpr std::uint64_t UnprintableBytes(std::uint64_t word) {
    const std::uint64_t low = word & ~kHighBits;
    const std::uint64_t control = ~(low + (0x80 - ' ') * kEveryByte);
    const std::uint64_t del = low + kEveryByte;
    return (word | control | del) & kHighBits;
}

// The bitwise or of `test` over the words of `text`; the last word is filled up with `filler`,
// which the test must not mark.
template <typename Test>
std::uint64_t MarkedBytes(std::string_view text, char filler, Test test) {
    std::uint64_t marked = 0;
    std::uint64_t word = 0;
    std::size_t pos = 0;
    for (; pos + sizeof word <= text.size(); pos += sizeof word) {
        std::memcpy(&word, text.data() + pos, sizeof word);
        marked |= test(word);
    }
    if (pos == text.size()) {
        return marked;
    }
    if (text.size() >= sizeof word) {
        // The last eight bytes, overlapping the word before them: a copy of known size.
        std::memcpy(&word, text.data() + text.size() - sizeof word, sizeof word);
        return marked | test(word);
    }
    char bytes[sizeof word];
    for (std::size_t i = 0; i < sizeof word; ++i) {
        bytes[i] = i < text.size() ? text[i] : filler;
    }
    std::memcpy(&word, bytes, sizeof word);
    return marked | test(word);
}

}  // namespace minizol
