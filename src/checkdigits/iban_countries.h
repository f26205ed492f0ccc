#pragma once

#include <span>
#include <string_view>

#include "checkdigits/bban_format.h"

namespace minizol {

// A country whose banks number their accounts by IBAN (ISO 13616), as the IBAN registry lists it.
struct IbanCountry {
    std::string_view code;  // ISO 3166 alpha-2, the IBAN's first two letters
    int length;             // characters of its IBANs, country code and check digits included
    std::string_view name;  // in Spanish
    BbanFormat bban;        // what each character after the check digits may be
};

// Every IBAN country, in the order of their codes. Territories that number their accounts under
// another country's code (the Åland Islands under FI, Guadeloupe under FR ...) are that country.
std::span<const IbanCountry> IbanCountries();

// The country of an upper-case code, or nullptr for a country that has no IBANs.
const IbanCountry* FindIbanCountry(std::string_view code);

// The longest IBAN any country gives out.
inline constexpr int kLongestIban = 34;

}  // namespace minizol
