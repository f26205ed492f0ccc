#include "checkdigits/identity.h"

#include <gtest/gtest.h>

#include "checkdigits/cif.h"

namespace minizol {
namespace {

using enum IdentityStatus;
using enum IdentityKind;

TEST(Identity, AnalysesRealAndBrokenNumbers) {
    struct Case {
        const char* text;
        IdentityStatus status;
        IdentityKind kind;
        char letter, control, digit;  // '\0' for none
    };
    const Case cases[] = {
        {"12345678", Computed, Dni, 0, 'Z', 0},
        {"7", Computed, Dni, 0, 'F', 0},
        {"1234567", Computed, Dni, 0, 'L', 0},
        {"1234567L", Matches, Dni, 0, 'L', 0},
        {"1234567A", Mismatch, Dni, 0, 'L', 0},
        {"12345678Z", Matches, Dni, 0, 'Z', 0},
        {"K1234567", Computed, Nif, 'K', 'L', 0},
        {"  x1234567  ", Computed, Nie, 'X', 'L', 0},
        {"Y1234567", Computed, Nie, 'Y', 'X', 0},
        {"Z1234567", Computed, Nie, 'Z', 'R', 0},
        {"z1234567r", Matches, Nie, 'Z', 'R', 0},
        {"B1234567", Computed, Company, 'B', 'D', '4'},
        {"A4100000", Computed, Company, 'A', 'A', '1'},
        {"P1234567", Computed, Company, 'P', 'D', 0},
        {"A0", Computed, Company, 'A', 'J', '0'},
        {"J1234567", Computed, Company, 'J', 'D', '4'},
        {"A123456F", Mismatch, Company, 'A', 'F', '6'},  // A ends in a digit
        {"A01234566", Matches, Company, 'A', 'F', '6'},
        {"C123456F", Matches, Company, 'C', 'F', '6'},
        {"C01234566", Matches, Company, 'C', 'F', '6'},
        {"A123456A", Mismatch, Company, 'A', 'F', '6'},
        {"A28015865", Matches, Company, 'A', 'E', '5'},
        {"B1234567D", Mismatch, Company, 'B', 'D', '4'},
        {"E2812345C", Mismatch, Company, 'E', 'C', '3'},
        {"H12345674", Matches, Company, 'H', 'D', '4'},
        {"Q2826000H", Matches, Company, 'Q', 'H', 0},
        {"Q28260008", Mismatch, Company, 'Q', 'H', 0},
        {"P28015865", Mismatch, Company, 'P', 'E', 0},
        {"1234567ñ", Mismatch, Dni, 0, 'L', 0},
        {"", Invalid, None, 0, 0, 0},
        {"X", Invalid, Nie, 'X', 0, 0},
        {"A", Invalid, Company, 'A', 0, 0},
        {"XA", Invalid, Nie, 'X', 0, 0},
        {"12A45", Invalid, Dni, 0, 0, 0},
        {"I1234567", Invalid, None, 0, 0, 0},
        {"ñ1234567", Invalid, None, 0, 0, 0},
        {"123456789", Invalid, Dni, 0, 0, 0},
        {"123456789Z", Invalid, Dni, 0, 0, 0},
        {"Y12345678", Invalid, Nie, 'Y', 0, 0},
        {"X12345678L", Invalid, Nie, 'X', 0, 0},
        {"A123456789", Invalid, Company, 'A', 0, 0},
        {"1234 567", Invalid, Dni, 0, 0, 0},
        {"A58818501", Matches, Company, 'A', 'A', '1'},
        {"A58818502", Mismatch, Company, 'A', 'A', '1'},
        {"X1234567L", Matches, Nie, 'X', 'L', 0},
        {"12345678J", Mismatch, Dni, 0, 'Z', 0},
    };
    for (const Case& c : cases) {
        const IdentityAnalysis a = AnalyseIdentity(c.text);
        EXPECT_EQ(a.status, c.status) << c.text;
        EXPECT_EQ(a.kind, c.kind) << c.text;
        EXPECT_EQ(a.letter, c.letter) << c.text;
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
