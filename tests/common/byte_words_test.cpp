#include "common/byte_words.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace minizol {
namespace {

std::uint64_t WordWith(unsigned char byte, int lane, unsigned char others) {
    unsigned char bytes[8];
    std::memset(bytes, others, sizeof bytes);
    bytes[lane] = byte;
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// Every byte in every lane, beside neighbours at both ends of the byte range: a carry or a
// borrow from one lane into the next would mark the wrong byte.
TEST(ByteWords, MarkExactlyTheBytesOfTheirClass) {
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<unsigned char>(value);
        const bool digit = byte >= '0' && byte <= '9';
        const bool lower = byte >= 'a' && byte <= 'z';
        const bool unprintable = byte < ' ' || byte >= 0x7F;
        for (int lane = 0; lane < 8; ++lane) {
            for (unsigned char others : {0x00, 0x7F, 0xFF, 0x35}) {
                const std::uint64_t word = WordWith(byte, lane, others);
                const std::uint64_t own = WordWith(0x80, lane, 0);
                EXPECT_EQ((BytesInRange(word, '0', '9') & own) != 0, digit) << value << " " << lane;
                EXPECT_EQ((LowerCaseBytes(word) & own) != 0, lower) << value << " " << lane;
                EXPECT_EQ((UnprintableBytes(word) & own) != 0, unprintable) << value;
                EXPECT_EQ((BytesEqual(word, 0xC3) & own) != 0, byte == 0xC3) << value;
            }
        }
    }
}

// The last, partial word is read without reading past the text, and filled up harmlessly.
TEST(ByteWords, SeeEveryByteOfTextsOfAnyLength) {
    const auto lower = [](std::uint64_t word) { return LowerCaseBytes(word); };
    for (std::size_t size = 0; size <= 20; ++size) {
        const std::string plain(size, '5');
        EXPECT_EQ(MarkedBytes(plain, '0', lower), 0U) << size;
        for (std::size_t at = 0; at < size; ++at) {
            std::string text = plain;
            text[at] = 'q';
            EXPECT_NE(MarkedBytes(text, '0', lower), 0U) << size << " " << at;
        }
    }
}

// Every set of marked lanes, the other bytes' low bits set as a text's are: each lane's mark
// comes out as its own bit, in the order of the bytes in memory.
TEST(ByteWords, TellWhereTheMarkedBytesAre) {
    for (unsigned lanes = 0; lanes < 256; ++lanes) {
        unsigned char bytes[8];
        for (int lane = 0; lane < 8; ++lane) {
            bytes[lane] = (lanes >> lane & 1) != 0 ? 0x80 : 0x7F;
        }
        std::uint64_t word = 0;
        std::memcpy(&word, bytes, sizeof word);
        EXPECT_EQ(MarkedPositions(word & kHighBits), lanes) << lanes;
    }
}

}  // namespace
}  // namespace minizol
