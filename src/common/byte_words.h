#pragma once

#include <bit>
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

// The high bit of each byte of `word` from `first` to `last`, both ASCII. Below 0x80 no byte sum
// carries into the next byte.
constexpr std::uint64_t BytesInRange(std::uint64_t word, unsigned char first, unsigned char last) {
    const std::uint64_t low = word & ~kHighBits;
    const std::uint64_t fromFirst = low + (0x80 - first) * kEveryByte;
    const std::uint64_t pastLast = low + (0x7F - last) * kEveryByte;
    return fromFirst & ~pastLast & ~word & kHighBits;
}

// The high bit of each byte of `word` that is an ASCII lower-case letter.
constexpr std::uint64_t LowerCaseBytes(std::uint64_t word) {
    return BytesInRange(word, 'a', 'z');
}

// The high bit of each byte of `word` that is a control character (below a blank), DEL or past
// ASCII: any byte that is not printable ASCII.
constexpr std::uint64_t UnprintableBytes(std::uint64_t word) {
    const std::uint64_t low = word & ~kHighBits;
    const std::uint64_t control = ~(low + (0x80 - ' ') * kEveryByte);
    const std::uint64_t del = low + kEveryByte;
    return (word | control | del) & kHighBits;
}

// The marked bytes of `marks` (high bits, as the tests above give them) as bits 0 to 7, bit i for
// the byte i places from the start of the word in memory. On a little-endian machine one
// multiplication gathers them: each marked byte's bit lands in the top byte at a place of its own.
constexpr std::uint32_t MarkedPositions(std::uint64_t marks) {
    if constexpr (std::endian::native != std::endian::little) {
        std::uint32_t positions = 0;
        for (int byte = 0; byte < 8; ++byte) {
            positions |= static_cast<std::uint32_t>(marks >> (63 - 8 * byte) & 1) << byte;
        }
        return positions;
    }
    return static_cast<std::uint32_t>(((marks >> 7) * 0x0102040810204080) >> 56);
}

// The eight bytes at `at`, as copied from memory.
inline std::uint64_t LoadWord(const char* at) {
    std::uint64_t word = 0;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// The bitwise or of `test` over the words of `text`. The words overlap where the text is no
// multiple of eight bytes long, which a test of whether any byte is marked does not mind; a text
// shorter than four bytes is filled up with `filler`, which the test must not mark.
template <typename Test>
std::uint64_t MarkedBytes(std::string_view text, char filler, Test test) {
    const char* data = text.data();
    const std::size_t size = text.size();
    std::uint64_t word = 0;
    if (size >= sizeof word && size <= 2 * sizeof word) {
        // As most numbers are: the first word and the last, with no loop.
        return test(LoadWord(data)) | test(LoadWord(data + size - sizeof word));
    }
    if (size >= sizeof word) {
        std::uint64_t marked = 0;
        for (std::size_t pos = 0; pos + sizeof word <= size; pos += sizeof word) {
            std::memcpy(&word, data + pos, sizeof word);
            marked |= test(word);
        }
        std::memcpy(&word, data + size - sizeof word, sizeof word);
        return marked | test(word);
    }
    if (size >= 4) {
        std::uint32_t first = 0;
        std::uint32_t last = 0;
        std::memcpy(&first, data, sizeof first);
        std::memcpy(&last, data + size - sizeof last, sizeof last);
        return test(first | std::uint64_t{last} << 32);
    }
    if (size == 0) {
        return 0;
    }
    // Bytes 0, size / 2 and size - 1 are every byte of a text of one to three.
    const auto byte = [&](std::size_t at) {
        return std::uint64_t{static_cast<unsigned char>(data[at])};
    };
    word = kEveryByte * static_cast<unsigned char>(filler) >> 24 << 24;
    return test(word | byte(0) | byte(size / 2) << 8 | byte(size - 1) << 16);
}

// Whether every character of `text` is an ASCII digit (an empty text's are).
inline bool AllDigits(std::string_view text) {
    return MarkedBytes(text, '0', [](std::uint64_t word) {
               return ~BytesInRange(word, '0', '9') & kHighBits;
           }) == 0;
}

// Whether every character of `text` is an ASCII digit or upper-case letter.
inline bool AllAlphanumeric(std::string_view text) {
    return MarkedBytes(text, '0', [](std::uint64_t word) {
               return ~(BytesInRange(word, '0', '9') | BytesInRange(word, 'A', 'Z')) & kHighBits;
           }) == 0;
}

}  // namespace minizol
