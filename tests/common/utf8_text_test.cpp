#include "common/utf8_text.h"

#include <gtest/gtest.h>

#include <string>

namespace minizol {
namespace {

// Where well-formed text ends, past runs of ASCII long enough to be read a word at a time.
TEST(Utf8Text, WellFormedPrefix) {
    const std::string ascii(20, 'a');
    const struct {
        std::string text;
        std::size_t prefix;
    } cases[] = {
        {"", 0},
        {ascii, 20},
        {ascii + "ñ" + ascii, 42},
        {ascii + "\xF1" + ascii, 20},  // Windows-1252's ñ
        {ascii + "\xC3", 20},          // cut by the end
        {"\xE2\x82\xAC" + ascii + "\xF0\x9F\x98\x80", 27},
        {"a\xC0\xAF", 1},            // overlong
        {"ab\xED\xA0\x80", 2},       // a surrogate
        {"abc\xF4\x90\x80\x80", 3},  // past U+10FFFF
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WellFormedPrefix(c.text), c.prefix) << c.text;
        EXPECT_EQ(IsWellFormed(c.text), c.prefix == c.text.size()) << c.text;
    }
}

}  // namespace
}  // namespace minizol
