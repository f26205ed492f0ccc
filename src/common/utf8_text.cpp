#include "common/utf8_text.h"

#include <cstdint>
#include <cstring>

#include "common/byte_words.h"

namespace minizol {

std::size_t CharLengthAt(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return 0;
    }
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        return 1;
    }
    // Well-formed sequences only (no overlong forms, surrogates or values past U+10FFFF): the
    // second byte's range depends on the lead byte, later bytes are plain continuations.
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 1;
    }
    if (text.size() - pos < length) {
        return 1;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char b = byte(pos + i);
        if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF)) {
            return 1;
        }
    }
    return length;
}

namespace {

// Each byte of ASCII text is a character: the common case, counted and cut without decoding.
bool AllAscii(std::string_view text) {
    return MarkedBytes(text, ' ', [](std::uint64_t word) { return word & kHighBits; }) == 0;
}

}  // namespace

std::size_t CharCount(std::string_view text) {
    if (AllAscii(text)) {
        return text.size();
    }
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += CharLengthAt(text, pos)) {
        ++count;
    }
    return count;
}

std::size_t WellFormedPrefix(std::string_view text) {
    const std::size_t size = text.size();
    std::size_t pos = 0;
    while (pos < size) {
        // ASCII, the bulk of any list, eight bytes at a time.
        if (pos + sizeof(std::uint64_t) <= size) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + pos, sizeof word);
            if ((word & kHighBits) == 0) {
                pos += sizeof word;
                continue;
            }
        }
        const std::size_t length = CharLengthAt(text, pos);
        if (length == 1 && static_cast<unsigned char>(text[pos]) >= 0x80) {
            return pos;
        }
        pos += length;
    }
    return size;
}

bool IsWellFormed(std::string_view text) {
    return AllAscii(text) || WellFormedPrefix(text) == text.size();
}

std::string_view CharSlice(std::string_view text, std::size_t skip, std::size_t count) {
    std::size_t begin = 0;
    if (AllAscii(text)) {
        return skip < text.size() ? text.substr(skip, count) : std::string_view();
    }
    for (; skip > 0 && begin < text.size(); --skip) {
        begin += CharLengthAt(text, begin);
    }
    std::size_t end = begin;
    for (; count > 0 && end < text.size(); --count) {
        end += CharLengthAt(text, end);
    }
    return text.substr(begin, end - begin);
}

std::string_view LastChars(std::string_view text, std::size_t count) {
    const std::size_t total = CharCount(text);
    return total <= count ? text : CharSlice(text, total - count, count);
}

std::string_view WithoutLastChar(std::string_view text) {
    if (!text.empty() && static_cast<unsigned char>(text.back()) < 0x80) {
        return text.substr(0, text.size() - 1);  // an ASCII byte is a character of its own
    }
    const std::size_t total = CharCount(text);
    return total == 0 ? text : CharSlice(text, 0, total - 1);
}

}  // namespace minizol
