#include "euro/display_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace minizol {

// Readable failures for the label pairs.
void PrintTo(const CurrencyLabels& labels, std::ostream* out) {
    *out << '"' << labels.pesetas << "\" / \"" << labels.euros << '"';
}

namespace {

// Bytes that are not UTF-8 count one character each, as everywhere else, so that no text can
// slip past the limit.
TEST(NormalizeDisplayText, DecimalPointAndLength) {
    const std::pair<std::string, std::string> cases[] = {
        {"12,5", "12.5"},
        {"1,2,3", "1.2.3"},
        {"1234567890123", "1234567890123"},
        {"12.345678901234", "12.3456789012"},
        {"-12.345678901234", "-12.3456789012"},
        {"-1234567890123", "-1234567890123"},
        {"", ""},
        {"(Error)", "(Error)"},
        {"ñññññññññññññññ", "ñññññññññññññ"},  // characters, not bytes
        {"(Er527" + std::string(12, '\xBA') + ")", "(Er527" + std::string(7, '\xBA')},
        {std::string(20, '\x80'), std::string(13, '\x80')},
        {std::string(5, '\xF5') + std::string(15, '\x80'),
         std::string(5, '\xF5') + std::string(8, '\x80')},
        {"1\xE2\x82\xAC"
         "2\xE2\x82" +
             std::string(12, '9'),
         "1\xE2\x82\xAC"
         "2\xE2\x82" +
             std::string(8, '9')},
    };
    for (const auto& [text, expected] : cases) {
        const std::string once = NormalizeDisplayText(text);
        EXPECT_EQ(once, expected) << text;
        EXPECT_EQ(NormalizeDisplayText(once), once) << "not idempotent on " << text;
    }
}

TEST(FitResultToDisplay, KeepsTheMagnitudeOfLongResults) {
    const std::pair<const char*, const char*> cases[] = {
        {"12.3456789012345", "12.3456789012345"},  // the display cuts decimals itself
        {"-1234567890123.5", "-1234567890123.5"},
        {"-123456789012345", "-1.2345679E+14"},
        {"-1.23456789012346E+15", "-1.2345679E+15"},
        {"5.35279123212345E-05", "5.3527912E-05"},
        {"9.99999999999999E+307", "1E+308"},
        {"1E+20", "1E+20"},
        {"(Error)", "(Error)"},
        // Beyond a double: no shorter form, and not "-infE-inf"; the engine refuses it.
        {"-5.3527E191723787840", "-5.3527E191723787840"},
        {"1234567890.1E+99999", "1234567890.1E+99999"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(FitResultToDisplay(text), expected) << text;
    }
}

TEST(UpdateCurrencyLabels, ConvertsBothWays) {
    const struct {
        const char *display, *pesetas, *euros;
    } cases[] = {
        {"1000", "166.386 Ptas.", "6,01 Euros."},
        {"1", "166 Ptas.", "0,01 Euros."},
        {"-2", "-333 Ptas.", "-0,01 Euros."},
        {"", "0 Ptas.", "0,00 Euros."},
        {"0.001", "0 Ptas.", "0,00 Euros."},
        {"   ", "0 Ptas.", "0,00 Euros."},
        {"(Error)", "", ""},
        {"-", "", ""},
        {"1000000", "166.386.000 Ptas.", "6.010,12 Euros."},
        {"999999999999", "166.385.999.999.834 Ptas.", "6.010.121.043,83 Euros."},
        {"-1E+20", "-1,66386E+22 Ptas.", "-6,01012E+17 Euros."},
        {"1E+14", "1,66386E+16 Ptas.", "601.012.104.383,78 Euros."},
        {"1E+308", "", ""},  // pesetas beyond any double
    };
    for (const auto& c : cases) {
        const CurrencyLabels expected{c.pesetas, c.euros};
        EXPECT_EQ(UpdateCurrencyLabels(c.display), expected) << '"' << c.display << '"';
    }
}

}  // namespace
}  // namespace minizol
