#include "checkdigits/iban.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "checkdigits/iban_countries.h"
#include "checkdigits/number_check.h"
#include "checkdigits/published_ibans.h"

namespace minizol {
namespace {

TEST(IbanCountries, EveryRegisteredCountryAndNoOther) {
    std::set<std::string> published;
    for (const std::string& iban : PublishedIbans()) {
        published.insert(iban.substr(0, 2));
        const NumberCheck check = CheckNumber(iban);
        EXPECT_EQ(check.verdict, Verdict::Correct) << iban << ": " << check.reason;
    }
    std::set<std::string> registered;
    for (const IbanCountry& country : IbanCountries()) {
        registered.insert(std::string(country.code));
        EXPECT_EQ(FindIbanCountry(country.code), &country);
        EXPECT_FALSE(country.name.empty());
    }
    EXPECT_EQ(registered, published);
    for (const char* none : {"US", "AA", "ZZ", "E", "ESP", "es"}) {
        EXPECT_EQ(FindIbanCountry(none), nullptr) << none;
    }
}

// The examples python-stdnum's documentation gives, written as it writes them: right where it
// says so, and wrong for the same reason. (It also calls BE83138811735115 wrong: its Belgian bank
// code is not in stdnum's list of banks, which is no check digit's matter.)
TEST(Iban, OtherCheckersExamplesKeepTheirVerdicts) {
    for (const char* right :
         {"GR16 0110 1050 0000 1054 7023 795", "BE31435411161155", "BE32 123-4567890-02",
          "ES77 1234-1234-16 1234567890", "ME 2551 0000 0000 0623 4133", "NO93 8601 1117 947"}) {
        EXPECT_EQ(CheckNumber(right).verdict, Verdict::Correct) << right;
    }
    const std::pair<const char*, FaultPart> wrong[] = {
        {"BE41091811735141", FaultPart::NationalDigits},
        {"ES12 1234-1234-16 1234567890", FaultPart::IbanDigits},
        {"ES15 1234-1234-17 1234567890", FaultPart::AccountControl},
        {"ME52510000000006234132", FaultPart::NationalDigits},
        {"NO92 8601 1117 947", FaultPart::IbanDigits},
        {"NO23 8601 1117 946", FaultPart::NationalDigits},
    };
    for (const auto& [text, part] : wrong) {
        const NumberCheck check = CheckNumber(text);
        EXPECT_EQ(check.verdict, Verdict::Wrong) << text;
        EXPECT_NE(check.FaultOf(part), nullptr) << text << ": " << check.reason;
    }
}

TEST(Iban, CheckDigitsFoldEveryCharacterOfTheAccount) {
    struct Case {
        const char* compact;
        const char* checkDigits;  // computed for its account, whatever it carries
        bool writtenAsIban;
    };
    const Case cases[] = {
        {"DE89370400440532013000", "89", true},
        {"DE88370400440532013000", "89", true},
        {"FR7630006000011234567890189", "76", true},
        {"GB82WEST12345698765432", "82", true},  // letters count as 10 to 35
        {"ES0021000418450200051332", "91", true},
        {"FR0021000418990200051332", "35", true},
        {"US12345678901234", "85", true},
        {"LC55HEMM000100010012001200023015", "55", true},  // 32 characters, no overflow
        {"MT84MALT011000012345MTLCAST001S", "84", true},
        {"DEXX370400440532013000", "", false},
        {"DE89", "", false},
        {"DE89370400440532013000123456789012345", "", false},  // past 34 characters
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsWrittenAsIban(c.compact), c.writtenAsIban) << c.compact;
        if (c.writtenAsIban) {
            const std::array<char, 2> digits = IbanCheckDigitsOf(c.compact);
            EXPECT_EQ(std::string(digits.data(), 2), c.checkDigits) << c.compact;
        }
    }
    EXPECT_EQ(IbanCheckDigits("ES", "21000418450200051332"), "91");
    EXPECT_EQ(IbanCheckDigits("FR", "21000418450200051332"), "85");
    EXPECT_EQ(IbanCheckDigits("ES", "00000000050000000001"), "36");
    EXPECT_EQ(GroupInFours("DE89370400440532013000"), "DE89 3704 0044 0532 0130 00");
    EXPECT_EQ(GroupInFours("NO9386011117947"), "NO93 8601 1117 947");
}

}  // namespace
}  // namespace minizol
