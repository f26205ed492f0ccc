#pragma once

#include <array>
#include <string>
#include <string_view>

#include "checkdigits/iban_countries.h"

namespace minizol {

inline constexpr std::string_view kDefaultCountry = "ES";

// The country code of a typed answer: two letters A to Z (either case), in upper case; "ES" for
// anything else, a cancelled (empty) answer included.
std::string ValidCountryCode(std::string_view answer);

// The country code held by the IBAN field: its first two characters, or "ES" when they are not a
// valid code.
std::string CountryOfIbanField(std::string_view ibanField);

// The two IBAN check digits ("02" to "98") of a domestic account number for a country code
// (ISO 13616, mod 97): digits count as themselves, upper-case letters as 10 to 35, anything else
// is skipped. An invalid country counts as "ES".
std::string IbanCheckDigits(std::string_view country, std::string_view domestic);

// Whether a text without separators is written as an IBAN: two letters, two digits and a domestic
// account number of digits and upper-case letters, 34 characters at most. Such a text claims to
// be an IBAN, right or wrong.
bool IsWrittenAsIban(std::string_view compact);

// The check digits an IBAN written without separators calls for: those of its domestic account
// (past its first four characters) for its country (its first two).
std::array<char, 2> IbanCheckDigitsOf(std::string_view iban);

// The paper form: groups of four characters, "DE89 3704 0044 0532 0130 00".
std::string GroupInFours(std::string_view compact);
void AppendGroupedInFours(std::string& out, std::string_view compact);

}  // namespace minizol
