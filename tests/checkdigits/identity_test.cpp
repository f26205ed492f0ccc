#include "checkdigits/identity.h"

#include <gtest/gtest.h>

#include "checkdigits/cif.h"

namespace minizol {
namespace {

using enum IdentityStatus;

TEST(Identity, AnalysesRealAndBrokenNumbers) {
    struct Case {
        const char* text;
        IdentityStatus status;
        char classChar, control, digit;  // '\0' for none
    };
    const Case cases[] = {
        {"12345678", Computed, '0', 'Z', 0},
        {"7", Computed, '0', 'F', 0},
        {"1234567", Computed, '0', 'L', 0},
        {"1234567L", Matches, '0', 'L', 0},
        {"1234567A", Mismatch, '0', 'L', 0},
        {"12345678Z", Matches, '0', 'Z', 0},
        {"K1234567", Computed, 'K', 'L', 0},
        {"  x1234567  ", Computed, 'X', 'L', 0},
        {"Y1234567", Computed, 'Y', 'X', 0},
        {"Z1234567", Computed, 'Z', 'R', 0},
        {"z1234567r", Matches, 'Z', 'R', 0},
        {"B1234567", Computed, 'B', 'D', '4'},
        {"A4100000", Computed, 'A', 'A', '1'},
        {"P1234567", Computed, 'P', 'D', 0},
        {"A0", Computed, 'A', 'J', '0'},
        {"J1234567", Computed, 'J', 'D', '4'},
        {"A123456F", Matches, 'A', 'F', '6'},
        {"A123456A", Mismatch, 'A', 'F', '6'},
        {"A28015865", Matches, 'A', 'E', '5'},
        {"P28015865", Mismatch, 'P', 'E', 0},
        {"1234567ñ", Mismatch, '0', 'L', 0},
        {"", Invalid, 0, 0, 0},
        {"X", Invalid, 'X', 0, 0},
        {"A", Invalid, 'A', 0, 0},
        {"XA", Invalid, 'X', 0, 0},
        {"12A45", Invalid, '0', 0, 0},
        {"I1234567", Invalid, 0, 0, 0},
        {"ñ1234567", Invalid, 0, 0, 0},
        {"123456789", Invalid, '0', 0, 0},
        {"123456789Z", Invalid, '0', 0, 0},
        {"Y12345678", Invalid, 'Y', 0, 0},
        {"X12345678L", Invalid, 'X', 0, 0},
        {"A123456789", Invalid, 'A', 0, 0},
        {"1234 567", Invalid, '0', 0, 0},
        {"A58818501", Matches, 'A', 'A', '1'},
        {"A58818502", Mismatch, 'A', 'A', '1'},
        {"X1234567L", Matches, 'X', 'L', 0},
        {"12345678J", Mismatch, '0', 'Z', 0},
    };
    for (const Case& c : cases) {
        const IdentityAnalysis a = AnalyseIdentity(c.text);
        EXPECT_EQ(a.status, c.status) << c.text;
        EXPECT_EQ(a.classChar, c.classChar) << c.text;
        EXPECT_EQ(a.controlChar, c.control) << c.text;
        EXPECT_EQ(a.controlDigit, c.digit) << c.text;
    }
}

// The caption of each kind of holder; the fuzz target checks boxes and colour against the analysis.
TEST(Identity, FieldDisplayGivesCaptionBoxesAndColour) {
    struct Case {
        const char *text, *caption, *letter, *digit;
        bool red;
    };
    const Case cases[] = {
        {"", "DNI/NIF:", "", "", false},
        {"   ", "DNI/NIF:", "", "", true},
        {"l1234567", "Persona Física", "L", "", false},
        {"X", "Persona Extranjera", "", "", true},
        {"A", "Sociedad Anónima", "", "", true},
        {"B1234567", "Sociedad Limitidad", "D", "4", false},
        {"J1234567", "DNI/NIF:", "D", "4", false},
        {"T1234567", "DNI/NIF:", "", "", true},
    };
    for (const Case& c : cases) {
        const IdentityDisplay d = DisplayIdentityField(c.text);
        EXPECT_EQ(d.caption, c.caption) << c.text;
        EXPECT_EQ(d.letter, c.letter) << c.text;
        EXPECT_EQ(d.digit, c.digit) << c.text;
        EXPECT_EQ(d.red, c.red) << c.text;
    }
}

// A paste loses its separators when what is left fits the field; a longer one is kept whole, to
// show red, and huge ones are refused at once.
TEST(Identity, PastesLoseSeparatorsOnlyWhenTheNumberFits) {
    const std::pair<const char*, const char*> pastes[] = {
        {" 12.345.678-z", "12345678Z"},
        {"12345678 z\r\n", "12345678Z"},
        {"12345678/Z", "12345678Z"},
        {"B-1234567_4", "B12345674"},
        {"x1234567l y más", "X1234567L Y MÁS"},
    };
    for (const auto& [text, kept] : pastes) {
        EXPECT_EQ(IdentityFieldText(text), kept) << text;
    }
    const std::string digits(1 << 20, '7');
    for (const std::string& text :
         {digits, "X" + digits + "L", "A" + digits, digits + "ñ", std::string(1 << 19, '\0')}) {
        EXPECT_EQ(AnalyseIdentity(text).status, Invalid);
        EXPECT_TRUE(DisplayIdentityField(text).red);
        EXPECT_EQ(IdentityFieldText(text).size(), text.size());
    }
    const std::string blanks(1 << 19, ' ');
    EXPECT_EQ(DisplayIdentityField(blanks + "1234567" + blanks).letter, "L");
}

}  // namespace
}  // namespace minizol
