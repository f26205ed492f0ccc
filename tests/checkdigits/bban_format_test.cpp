#include "checkdigits/bban_format.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "checkdigits/iban_countries.h"
#include "checkdigits/published_ibans.h"

namespace minizol {

void PrintTo(const BbanFault& fault, std::ostream* out) {
    static constexpr const char* kExpected[] = {"digit", "letter", "alphanumeric"};
    *out << kExpected[static_cast<int>(fault.expected)] << " at " << fault.position;
}

namespace {

using Expected = BbanFault::Expected;

const IbanCountry& CountryOf(std::string_view iban) {
    const IbanCountry* country = FindIbanCountry(iban.substr(0, 2));
    EXPECT_NE(country, nullptr) << iban;
    return country != nullptr ? *country : IbanCountries().front();
}

// What a registry notation allows at each place, read a character at a time.
std::vector<Expected> Places(std::string_view notation) {
    std::vector<Expected> places;
    int count = 0;
    for (char c : notation) {
        if (c >= '0' && c <= '9') {
            count = count * 10 + (c - '0');
        } else if (c != '!') {
            const Expected kind = c == 'n'   ? Expected::Digit
                                  : c == 'a' ? Expected::Letter
                                             : Expected::Alphanumeric;
            places.insert(places.end(), static_cast<std::size_t>(count), kind);
            count = 0;
        }
    }
    return places;
}

TEST(IbanBbanFormat, EveryPublishedIbanFitsItsCountrysFormat) {
    for (const std::string& iban : PublishedIbans()) {
        const IbanCountry& country = CountryOf(iban);
        EXPECT_EQ(Places(country.bban.notation).size() + 4, iban.size()) << iban;
        EXPECT_EQ(FindBbanFault(country, std::string_view(iban).substr(4)), std::nullopt) << iban;
    }
}

// Each place of each country's account, in whichever of the words it is read in, takes a
// character its notation does not allow there: a letter for a digit, a digit for a letter, a
// lower-case letter or a sign for either.
TEST(IbanBbanFormat, FindsACharacterOutOfPlaceAnywhere) {
    for (const std::string& iban : PublishedIbans()) {
        const IbanCountry& country = CountryOf(iban);
        const std::vector<Expected> places = Places(country.bban.notation);
        for (std::size_t at = 0; at < places.size(); ++at) {
            const char wrong[] = {places[at] == Expected::Digit    ? 'K'
                                  : places[at] == Expected::Letter ? '7'
                                                                   : '-',
                                  'k', '\xC3'};
            for (char c : wrong) {
                std::string bban = iban.substr(4);
                bban[at] = c;
                EXPECT_EQ(FindBbanFault(country, bban), (BbanFault{at, places[at]}))
                    << iban << " with " << c << " at " << at;
            }
        }
    }
}

TEST(IbanBbanFormat, NamesTheFirstFaultAndWhatBelongsThere) {
    struct Case {
        const char* iban;
        BbanFault fault;
    };
    const Case cases[] = {
        {"BG93BNBG96611A20345678", {9, Expected::Digit}},    // the account type, two digits
        {"GI22NW3K000000007099453", {2, Expected::Letter}},  // the bank code, four letters
        {"ES2821000A18450200051332", {5, Expected::Digit}},
        {"ES9121000418450200051ñ2", {17, Expected::Digit}},  // "ñ" is two bytes, neither a digit
        {"IT60105428111010000001234-6", {0, Expected::Letter}},  // the first of two faults
        {"FR1420041010050500013m02606", {17, Expected::Alphanumeric}},
        {"BR180036030500001000979549331", {23, Expected::Letter}},
        {"LC55HEMM00010001001200120002301_", {27, Expected::Alphanumeric}},  // the last of 28
        {"NO938601111794", {10, Expected::Digit}},  // short: its last digit lacking
    };
    for (const Case& c : cases) {
        const std::string_view iban = c.iban;
        EXPECT_EQ(FindBbanFault(CountryOf(iban), iban.substr(4)), c.fault) << iban;
    }
}

}  // namespace
}  // namespace minizol
