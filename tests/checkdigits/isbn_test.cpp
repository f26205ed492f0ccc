#include "checkdigits/isbn.h"

#include <gtest/gtest.h>

#include "checkdigits/key_filter.h"

namespace minizol {
namespace {

TEST(Isbn, CheckDigitOfTheFirstNineOrTwelveDigits) {
    struct Case {
        std::string text;
        const char* checkDigit;
        bool red;
    };
    const Case cases[] = {
        {"", "", false},
        {"0-306-40615", "2", false},
        {"0-8044-2957", "X", false},
        {"0 306 40615", "2", false},
        {"978.0.306.40615/7", "7", false},
        {"ñ0306406 15", "", true},
        {"978-0-306-40615-7 (tapa dura)", "", true},
        {"9780306406157 9780306406157", "", true},
        {"03064061", "", false},
        {"0-306-40615-2", "2", false},
        {"0-306-40615-3", "2", true},
        {"0-8044-2957-X", "X", false},
        {"0-306-40615-X", "2", true},
        {"0-8X44-2957", "", true},
        {"978-3-16-148410", "0", false},  // weights 3, 1 would give 2
        {"978-0-306-40615-7", "7", false},
        {"978-0-306-40615-8", "7", true},
        {"979-10-90636-07-1", "1", false},
        {"977-0-306-40615", "", true},
        {"030640615" + std::string(1 << 20, '1'), "", true},
        {std::string(1 << 20, '-'), "", false},
    };
    for (const Case& c : cases) {
        const IsbnResult r = IsbnCheckDigit(c.text);
        EXPECT_EQ(r.checkDigit, c.checkDigit) << c.text.substr(0, 30);
        EXPECT_EQ(r.red, c.red) << c.text.substr(0, 30);
    }
}

TEST(KeyFilter, EachFieldKeepsItsOwnCharacters) {
    struct Case {
        char32_t typed;
        char32_t identity;
        char32_t account;
        char32_t isbn;
    };
    const Case cases[] = {
        {U'7', U'7', U'7', U'7'}, {U'x', U'X', 0, U'X'}, {U'Q', U'Q', 0, 0},    {U'-', 0, 0, U'-'},
        {kBackspaceKey, 8, 8, 8}, {U'ñ', 0, 0, 0},       {kEscapeKey, 0, 0, 0}, {U' ', 0, 0, 0},
        {U'/', 0, 0, 0},          {U'@', 0, 0, 0},       {U'[', 0, 0, 0},       {U'{', 0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FilterKey(c.typed, kIdentityKeys), c.identity) << static_cast<int>(c.typed);
        EXPECT_EQ(FilterKey(c.typed, kAccountKeys), c.account) << static_cast<int>(c.typed);
        EXPECT_EQ(FilterKey(c.typed, kIsbnKeys), c.isbn) << static_cast<int>(c.typed);
    }
}

}  // namespace
}  // namespace minizol
