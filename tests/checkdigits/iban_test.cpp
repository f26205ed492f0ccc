#include "checkdigits/iban.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "checkdigits/iban_countries.h"

namespace minizol {
namespace {

// One IBAN of every registered country, as the IBAN registry publishes them.
std::vector<std::string> PublishedIbans() {
    std::ifstream file(MINIZOL_TEST_DATA "/checkdigits/published_ibans.txt");
    std::vector<std::string> ibans;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.front() != '#') {
            ibans.push_back(line);
        }
    }
    return ibans;
}

TEST(IbanCountries, EveryRegisteredCountryAndNoOther) {
    std::set<std::string> published;
    for (const std::string& iban : PublishedIbans()) {
        published.insert(iban.substr(0, 2));
        const std::optional<IbanCheck> check = CheckIban(iban);
        ASSERT_TRUE(check.has_value()) << iban;
        EXPECT_TRUE(check->valid) << iban << " should be right, computed " << check->checkDigits;
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

TEST(Iban, ChecksCountryLengthAndCheckDigits) {
    struct Case {
        const char* compact;
        const char* checkDigits;  // computed for its account; "" when not written as an IBAN
        bool rightLength, valid;
    };
    const Case cases[] = {
        {"DE89370400440532013000", "89", true, true},
        {"DE88370400440532013000", "89", true, false},
        {"FR7630006000011234567890189", "76", true, true},
        {"GB82WEST12345698765432", "82", true, true},
        {"ES9121000418450200051332", "91", true, true},
        {"ES0021000418450200051332", "91", true, false},
        {"FR0021000418990200051332", "35", false, false},  // a Spanish account under FR
        {"FR3521000418990200051332", "35", false, false},  // its check digits right, its length not
        {"DE8937040044053201300", "51", false, false},     // a digit lost
        {"US12345678901234", "85", false, false},          // no IBANs there
        {"de89370400440532013000", "", false, false},      // tidied before it is read
        {"DEXX370400440532013000", "", false, false},
        {"DE89", "", false, false},
        {"DE89370400440532013000123456789012345", "", false, false},  // past 34 characters
    };
    for (const Case& c : cases) {
        const std::optional<IbanCheck> check = CheckIban(c.compact);
        ASSERT_EQ(check.has_value(), *c.checkDigits != '\0') << c.compact;
        if (check) {
            EXPECT_EQ(check->checkDigits, c.checkDigits) << c.compact;
            EXPECT_EQ(check->rightLength, c.rightLength) << c.compact;
            EXPECT_EQ(check->valid, c.valid) << c.compact;
        }
    }
    EXPECT_EQ(GroupInFours("DE89370400440532013000"), "DE89 3704 0044 0532 0130 00");
    EXPECT_EQ(GroupInFours("NO9386011117947"), "NO93 8601 1117 947");
}

}  // namespace
}  // namespace minizol
