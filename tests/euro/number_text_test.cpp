#include "euro/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

namespace minizol {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// The longest leading number, and whether the whole text, blanks aside, is one.
TEST(NumberText, ReadsTheLeadingNumber) {
    const struct {
        const char* text;
        double value;
        bool whole;
    } cases[] = {
        {"", 0, false},          {"-", 0, false},       {".", 0, false},   {"(Error)", 0, false},
        {" 12.5 ", 12.5, true},  {"  -3", -3, true},    {"+4", 4, true},   {"12,5", 12, false},
        {"1E-12", 1e-12, true},  {"2E+3x", 2e3, false}, {"1E", 1, false},  {"3E+", 3, false},
        {"0.", 0, true},         {"5.", 5, true},       {".5", 0, false},  {"-.5", 0, false},
        {"1.2.3", 1.2, false},   {"-05", -5, true},     {"--1", 0, false}, {"1e400", kInf, true},
        {"-1e400", -kInf, true}, {"1e-400", 0, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(NumericValue(c.text), c.value) << '"' << c.text << '"';
        EXPECT_EQ(IsNumberText(c.text), c.whole) << '"' << c.text << '"';
    }
}

// Fifteen digits of the largest doubles round to a number beyond them, which would read back as
// infinity; such values are written one place lower so that every text is a finite number.
TEST(GeneralText, FifteenSignificantDigits) {
    const std::pair<double, const char*> cases[] = {
        {6, "6"},           {-12.5, "-12.5"}, {-0.0, "0"},      {831.93, "831.93"},
        {0.1 + 0.2, "0.3"}, {1e15, "1E+15"},  {1e-12, "1E-12"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(GeneralText(value), text) << value;
    }
    EXPECT_EQ(GeneralText(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(GeneralText(999999999999999), "999999999999999");
    // Fifteen digits of the largest doubles round to a number beyond them, which would read back
    // as infinity; such values are written one place lower so that every text is finite.
    const double largest = std::numeric_limits<double>::max();
    EXPECT_EQ(GeneralText(-largest), "-1.79769313486231E+308");
    EXPECT_EQ(GeneralText(1.7976931348623e308), "1.7976931348623E+308");
    EXPECT_TRUE(std::isfinite(NumericValue(GeneralText(std::nextafter(largest, 0.0)))));
    EXPECT_TRUE(std::isfinite(NumericValue(FormatWithPattern(-largest, "###########", '.', '.'))));
}

TEST(FourDecimalText, RoundsHalvesToEven) {
    const std::pair<double, std::optional<std::string>> cases[] = {
        {1.0 / 3.0, "0.3333"},        {2, "2"},
        {6.66667, "6.6667"},          {1.03125, "1.0312"},
        {1.09375, "1.0938"},          {-1.0 / 3.0, "-0.3333"},
        {1000 / 166.386, "6.0101"},   {kInf, std::nullopt},
        {std::nan(""), std::nullopt}, {1e15, std::nullopt},  // beyond a count of ten-thousandths
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(FourDecimalText(value), text) << value;
    }
}

TEST(FormatWithPattern, RoundsHalvesAwayFromZeroOnTheDecimalForm) {
    constexpr const char* kWhole = "###########";
    constexpr const char* kCents = "########0.00";
    constexpr const char* kGrouped = "###,###,###,###,###,##0";
    const struct {
        double value;
        const char* pattern;
        const char* expected;
    } cases[] = {
        {16638.6, kWhole, "16639"},   {0, kWhole, ""},
        {-0.4, kWhole, ""},           {0.5, kWhole, "1"},
        {-2.5, kWhole, "-3"},         {2.675, kCents, "2.68"},
        {6.0101, kCents, "6.01"},     {0, kCents, "0.00"},
        {0.005, kCents, "0.01"},      {-0.001, kCents, "0.00"},
        {9.995, kCents, "10.00"},     {166386, kGrouped, "166,386"},
        {-332.772, kGrouped, "-333"}, {999.5, kGrouped, "1,000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatWithPattern(c.value, c.pattern, ',', '.'), c.expected)
            << c.value << " with " << c.pattern;
    }
    EXPECT_EQ(FormatWithPattern(kInf, "0", ',', '.'), "");
    EXPECT_EQ(FormatWithPattern(1e20, kGrouped, ',', '.'), "100,000,000,000,000,000,000");
    EXPECT_EQ(FormatWithPattern(1234567.891, "###,###,###,###,###,###,###0.00", ',', '.'),
              "1,234,567.89");
}

}  // namespace
}  // namespace minizol
