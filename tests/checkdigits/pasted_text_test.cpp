#include "checkdigits/pasted_text.h"

#include <gtest/gtest.h>

#include "checkdigits/number_labels.h"

namespace minizol {
namespace {

// What a paste becomes before a row reads it, as copied from a spreadsheet, a web page or an
// invoice.
TEST(PastedText, WhiteSpaceGoesFromTheEndsAndLettersAreUpperCased) {
    const std::pair<const char*, const char*> cases[] = {
        {"12345678z\n", "12345678Z"},
        {"\r\n\t 12345678z \r\n", "12345678Z"},
        {"\u00A0ES91\u00A02100\u202F0418\u2009", "ES91 2100 0418"},
        {"2100\t0418\t45", "2100 0418 45"},
        {"\uFEFF\u200B978\u20110\u2013306", "978-0-306"},
        {"x1234567l y más", "X1234567L Y MÁS"},
        {" \t\n", ""},
        {"\xff\xfe", "\xff\xfe"},  // not UTF-8: kept byte for byte
    };
    for (const auto& [text, tidy] : cases) {
        EXPECT_EQ(TidyPastedText(text), tidy) << text;
    }
    EXPECT_EQ(WithoutSeparators("2100 0418.45-02/00_51"), "2100041845020051");
}

TEST(PastedText, IsbnLabelsInFrontGo) {
    const std::pair<const char*, const char*> isbns[] = {
        {"ISBN 978-0-306-40615-7", "978-0-306-40615-7"},
        {"ISBN-13: 978-0-306-40615-8", "978-0-306-40615-8"},
        {"ISBN-10: 0-8044-2957-5", "0-8044-2957-5"},
        {"ISBN13 9780306406157", "9780306406157"},
        {"ISBN 13: 9780306406157", "9780306406157"},
        {"ISBN: 0306406152", "0306406152"},
        {"ISBN 1300000000", "1300000000"},  // the number's own digits, not a kind
        {"978-0-306-40615-7", "978-0-306-40615-7"},
    };
    for (const auto& [text, number] : isbns) {
        EXPECT_EQ(WithoutIsbnLabel(text), number) << text;
    }
}

}  // namespace
}  // namespace minizol
