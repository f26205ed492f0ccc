#include "checkdigits/bic.h"

#include <gtest/gtest.h>

namespace minizol {
namespace {

TEST(Bic, FormAndCountry) {
    struct Case {
        const char* text;
        const char* country;  // empty when the form is wrong
    };
    const Case cases[] = {
        {"CAIXESBB", "ES"},
        {"CAIXESBBXXX", "ES"},
        {"BCOEESMM059", "ES"},
        {"DEUTDEFF500", "DE"},
        {"BAPUES22", "ES"},    // digits in the location
        {"1234ESMM", "ES"},    // digits in the institution, as ISO 9362:2014 allows
        {"CAIXESB", ""},       // 7
        {"CAIXESBBX", ""},     // 9
        {"CAIXESBBXXXX", ""},  // 12
        {"", ""},
        {"CAIXE5BB", ""},  // a digit in the country
        {"caixesbb", ""},  // lower case is not compact
        {"CAIXESBBxxx", ""},
        {"CAIX ESBB", ""},
        {"CAIXESBB-XX", ""},
        {"CAIXÑSBB", ""},  // Ñ is two bytes: 9 in all
    };
    for (const Case& c : cases) {
        const BicCheck check = ReadBic(c.text);
        const std::string_view country = c.country;
        EXPECT_EQ(check.form, !country.empty()) << c.text;
        EXPECT_EQ(check.country, country) << c.text;
    }
}

TEST(Bic, CountriesWhoseIbansItsBanksGiveOut) {
    struct Case {
        const char *bicCountry, *ibanCountry;
        bool serves;
    };
    const Case cases[] = {
        {"ES", "ES", true},  {"FR", "FR", true},  {"GP", "FR", true},  {"RE", "FR", true},
        {"NC", "FR", true},  {"TF", "FR", true},  {"AX", "FI", true},  {"JE", "GB", true},
        {"GG", "GB", true},  {"IM", "GB", true},  {"ES", "FR", false}, {"FR", "GP", false},
        {"FI", "AX", false}, {"GP", "FI", false}, {"AX", "GB", false}, {"JE", "FR", false},
        {"", "", false},     {"", "ES", false},   {"ES", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BicServesIbanCountry(c.bicCountry, c.ibanCountry), c.serves)
            << c.bicCountry << " " << c.ibanCountry;
    }
}

TEST(Bic, BranchesBelongToTheirInstitution) {
    struct Case {
        const char *bic, *registered;
        bool same;
    };
    const Case cases[] = {
        {"CAIXESBB", "CAIXESBB", true},
        {"CAIXESBBXXX", "CAIXESBB", true},
        {"CAIXESBB", "CAIXESBBXXX", true},
        {"CAIXESBB001", "CAIXESBB", true},
        {"BCOEESMM059", "BCOEESMM001", true},  // two branches of one institution
        {"CAIXESBA", "CAIXESBB", false},       // another location
        {"CAIXFRBB", "CAIXESBB", false},
        {"CAIXESB", "CAIXESBB", false},
        {"CAIXESBBXX", "CAIXESBB", false},
        {"caixesbb", "CAIXESBB", false},
        {"", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SameInstitution(c.bic, c.registered), c.same) << c.bic << " " << c.registered;
    }
}

}  // namespace
}  // namespace minizol
