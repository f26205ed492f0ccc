#include "checkdigits/national_check_digits.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "checkdigits/bban_format.h"
#include "checkdigits/iban.h"
#include "checkdigits/number_check.h"
#include "checkdigits/published_ibans.h"

namespace minizol {
namespace {

const IbanCountry& CountryOf(std::string_view code) {
    const IbanCountry* country = FindIbanCountry(code.substr(0, 2));
    EXPECT_NE(country, nullptr) << code;
    return country != nullptr ? *country : IbanCountries().front();
}

// The next character of the same kind: a mistyped digit or letter, which the format allows.
char Mistyped(char c) {
    if (c >= '0' && c <= '9') {
        return c == '9' ? '0' : static_cast<char>(c + 1);
    }
    return c == 'Z' ? 'A' : static_cast<char>(c + 1);
}

// The IBAN of an account part, its IBAN check digits computed as for any account.
std::string IbanOf(std::string_view code, std::string_view bban) {
    return std::string(code.substr(0, 2)) + IbanCheckDigits(code.substr(0, 2), bban) +
           std::string(bban);
}

TEST(IbanNationalDigits, EveryPublishedIbanHasRightDigitsOrNone) {
    std::set<std::string> checked;
    for (const std::string& iban : PublishedIbans()) {
        const IbanCountry& country = CountryOf(iban);
        const NationalCheck check = CheckNationalDigits(country, std::string_view(iban).substr(4));
        EXPECT_NE(check, NationalCheck::Wrong) << iban;
        const std::string_view fault = NationalDigitsFault(country);
        EXPECT_EQ(fault.empty(), check == NationalCheck::None) << iban;
        if (check == NationalCheck::Right) {
            checked.insert(iban.substr(0, 2));
            // A reason a list shows in the middle of a sentence.
            EXPECT_TRUE(fault.front() >= 'a' && fault.front() <= 'z') << fault;
            EXPECT_NE(fault.back(), '.') << fault;
        }
    }
    const std::set<std::string> withDigits = {"AL", "BA", "BE", "CZ", "EE", "ES", "FI", "FR", "HR",
                                              "HU", "IS", "IT", "MC", "ME", "MK", "MR", "NO", "PL",
                                              "PT", "RS", "SI", "SK", "SM", "TL", "TN"};
    EXPECT_EQ(checked, withDigits);
}

// An IBAN computed from a mistyped account passes the IBAN's own check; its bank's check digits
// catch the mistake wherever they cover the account, and only there.
TEST(IbanNationalDigits, CatchAMistypedCharacterTheIbanCheckPasses) {
    struct Case {
        const char* iban;
        std::size_t from, to;  // the account part's characters its check digits cover
    };
    const Case cases[] = {
        {"AL47212110090000000235698741", 0, 8},  // bank, branch and check digit only
        {"BA391290079401028494", 0, 16},
        {"BE68539007547034", 0, 12},
        {"BE71096123456769", 0, 12},
        {"CZ6508000000192000145399", 4, 20},  // not the bank code
        {"EE382200221020145685", 2, 16},      // not the bank code
        {"ES9121000418450200051332", 0, 20},
        {"ES6000491500051234567892", 0, 20},  // its first control digit 11, written 0
        {"FI2112345600000785", 0, 14},
        {"FR1420041010050500013M02606", 0, 23},  // a letter in the account, counted as 4
        {"FR7630006000011234567890189", 0, 23},
        {"HR1210010051863000160", 0, 17},
        {"HU42117730161111101800000000", 0, 24},
        {"IS140159260076545510730339", 12, 21},  // the kennitala, less its century
        {"IT60X0542811101000000123456", 0, 23},
        {"MC5811222000010123456789030", 0, 23},
        {"ME25505000012345678951", 0, 18},
        {"MK07250120000058984", 0, 15},
        {"MR1300020001010000123456753", 0, 23},
        {"NO9386011117947", 0, 11},
        {"PL61109010140000071219812874", 0, 8},  // the bank's sort code only
        {"PT50000201231234567890154", 0, 21},
        {"RS35260005601001611379", 0, 18},
        {"SI56263300012039086", 0, 15},
        {"SK3112000000198742637541", 4, 20},
        {"SM86U0322509800000000270100", 0, 23},
        {"TL380080012345678910157", 0, 19},
        {"TN5910006035183598478831", 0, 20},
    };
    for (const Case& c : cases) {
        const std::string_view iban = c.iban;
        const IbanCountry& country = CountryOf(iban);
        const std::string bban(iban.substr(4));
        EXPECT_EQ(CheckNationalDigits(country, bban), NationalCheck::Right) << iban;
        for (std::size_t at = 0; at < bban.size(); ++at) {
            std::string mistyped = bban;
            mistyped[at] = Mistyped(bban[at]);
            const std::string wrongIban = IbanOf(iban, mistyped);
            ASSERT_EQ(FindBbanFault(country, mistyped), std::nullopt) << wrongIban;
            const bool covered = at >= c.from && at < c.to;
            EXPECT_EQ(CheckNationalDigits(country, mistyped),
                      covered ? NationalCheck::Wrong : NationalCheck::Right)
                << wrongIban << ", character " << at;
            // Its IBAN check digits fit: only the country's own tell it is wrong.
            const NumberCheck check = CheckNumber(wrongIban);
            EXPECT_EQ(check.verdict, covered ? Verdict::Wrong : Verdict::Correct)
                << wrongIban << ": " << check.reason;
            EXPECT_EQ(check.FaultOf(FaultPart::IbanDigits), nullptr) << wrongIban;
        }
    }
}

TEST(IbanNationalDigits, ReadTheRulesEdgeCases) {
    struct Case {
        const char* code;
        const char* bban;
        NationalCheck check;
    };
    const Case cases[] = {
        {"ES", "00000000011000000000", NationalCheck::Right},  // a sum of 1: 10, written 1
        {"ES", "00000000001000000000", NationalCheck::Wrong},
        {"BE", "000000009797", NationalCheck::Right},  // a multiple of 97 takes 97, not 00
        {"BE", "000000009700", NationalCheck::Wrong},
        {"NO", "00000000060", NationalCheck::Wrong},  // 12 before the check digit: none fits
        {"NO", "00000000069", NationalCheck::Wrong},
        {"NO", "00000000000", NationalCheck::Right},
        {"NO", "8601111794", NationalCheck::Wrong},  // a digit short
        {"DE", "370400440532013000", NationalCheck::None},
        {"GB", "NWBK60161331926819", NationalCheck::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckNationalDigits(CountryOf(c.code), c.bban), c.check)
            << c.code << " " << c.bban;
    }
}

}  // namespace
}  // namespace minizol
