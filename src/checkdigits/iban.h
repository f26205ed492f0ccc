#pragma once

#include <string>
#include <string_view>

namespace minizol {

inline constexpr std::string_view kDefaultCountry = "ES";

// The country code of a typed answer: two letters A to Z (either case), in upper case; "ES" for
// anything else, a cancelled (empty) answer included.
std::string ValidCountryCode(std::string_view answer);

// The country code held by the IBAN field: its first two characters, or "ES" when they are not a
// valid code.
std::string CountryOfIbanField(std::string_view ibanField);

// The two IBAN check digits ("02" to "98") of a domestic account number for a country code
// (ISO 13616, mod 97). Non-digits in `domestic` are skipped; an invalid country counts as "ES".
std::string IbanCheckDigits(std::string_view country, std::string_view domestic);

}  // namespace minizol
