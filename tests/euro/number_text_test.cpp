#include "euro/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace minizol {
namespace {

TEST(NumericValue, ReadsTheLongestLeadingNumber) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"", 0},
        {"-", 0},
        {"(Error)", 0},
        {"12.5", 12.5},
        {"  -3", -3},
        {"+4", 4},
        {"0.07", 0.07},
        {"12,5", 12},
        {"1E-12", 1e-12},
        {"1.5E+20x", 1.5e20},
        {"3E", 3},
        {"3E+", 3},
        {"5.", 5},
        {".5", 0},
        {"-.5", 0},
        {"1.2.3", 1.2},
        {"-05", -5},
        {"7abc", 7},
        {"1e400", std::numeric_limits<double>::infinity()},
        {"-1e400", -std::numeric_limits<double>::infinity()},
        {"1e-400", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NumericValue(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(IsNumberText, AcceptsWholeNumbersOnly) {
    struct Case {
        const char* text;
        bool expected;
    };
    const Case cases[] = {
        {"0.", true},  {"1E-12", true}, {" 12 ", true},     {"-3", true},     {".5", false},
        {"-", false},  {"", false},     {"(Error)", false}, {"1.2.3", false}, {"12,5", false},
        {"1E", false}, {"--1", false},  {".", false},       {"-.5", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsNumberText(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(GeneralText, FifteenSignificantDigits) {
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {6, "6"},
        {-12.5, "-12.5"},
        {-0.0, "0"},
        {831.93, "831.93"},
        {0.1 + 0.2, "0.3"},
        {1e15, "1E+15"},
        {999999999999999, "999999999999999"},
        {1e-12, "1E-12"},
        {166.386, "166.386"},
        {2.0 / 3.0, "0.666666666666667"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GeneralText(c.value), c.expected) << c.value;
    }
}

// Fifteen digits of the largest doubles round to a number beyond them, which would read back as
// infinity; such values are written one place lower so that every text is a finite number.
TEST(GeneralText, LargestDoublesReadBackAsFiniteNumbers) {
    const double largest = std::numeric_limits<double>::max();
    EXPECT_EQ(GeneralText(largest), "1.79769313486231E+308");
    EXPECT_EQ(GeneralText(-largest), "-1.79769313486231E+308");
    EXPECT_EQ(GeneralText(1.7976931348623e308), "1.7976931348623E+308");
    EXPECT_TRUE(std::isfinite(NumericValue(GeneralText(std::nextafter(largest, 0.0)))));
    EXPECT_TRUE(std::isfinite(NumericValue(FormatWithPattern(-largest, "###########", '.', '.'))));
}

TEST(FourDecimalText, RoundsHalvesToEven) {
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {1.0 / 3.0, "0.3333"},      {2, "2"},
        {6.66667, "6.6667"},        {1.03125, "1.0312"},
        {1.09375, "1.0938"},        {-1.0 / 3.0, "-0.3333"},
        {1000 / 166.386, "6.0101"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FourDecimalText(c.value), c.expected) << c.value;
    }
    EXPECT_EQ(FourDecimalText(1.0 / 0.0), std::nullopt);
    EXPECT_EQ(FourDecimalText(std::nan("")), std::nullopt);
    EXPECT_EQ(FourDecimalText(1e15), std::nullopt);  // beyond a count of ten-thousandths
}

TEST(FormatWithPattern, RoundsHalvesAwayFromZeroOnTheDecimalForm) {
    struct Case {
        double value;
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {
        {16638.6, "###########", "16639"},
        {0, "###########", ""},
        {-0.4, "###########", ""},
        {0.5, "###########", "1"},
        {-2.5, "###########", "-3"},
        {2.675, "########0.00", "2.68"},
        {6.0101, "########0.00", "6.01"},
        {0, "########0.00", "0.00"},
        {0.005, "########0.00", "0.01"},
        {-0.001, "########0.00", "0.00"},
        {9.995, "########0.00", "10.00"},
        {166386, "###,###,###,###,###,##0", "166,386"},
        {-332.772, "###,###,###,###,###,##0", "-333"},
        {999.5, "###,###,###,###,###,##0", "1,000"},
        {1e20, "###,###,###,###,###,##0", "100,000,000,000,000,000,000"},
        {1234567.891, "###,###,###,###,###,###,###0.00", "1,234,567.89"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatWithPattern(c.value, c.pattern, ',', '.'), c.expected)
            << c.value << " with " << c.pattern;
    }
    EXPECT_EQ(FormatWithPattern(std::numeric_limits<double>::infinity(), "0", ',', '.'), "");
}

}  // namespace
}  // namespace minizol
