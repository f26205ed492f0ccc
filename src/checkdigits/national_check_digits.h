#pragma once

#include <cstdint>
#include <string_view>

#include "checkdigits/iban_countries.h"

namespace minizol {

// The check digits a country's own account numbers carry inside the account part (BBAN) of their
// IBANs, which its banks check besides the IBAN's: an account whose digits were mistyped and
// whose IBAN was then computed from them passes the IBAN's check, not these.
enum class NationalCheck : std::uint8_t {
    None,  // the country's account numbers carry none
    Right,
    Wrong,
};

// On an account part that fits its country's format (FindBbanFault finds nothing there). One of
// another length is Wrong in a country with check digits of its own.
NationalCheck CheckNationalDigits(const IbanCountry& country, std::string_view bban);

// Why a Wrong account part is wrong, for a list's reason column and a tooltip, in lower case and
// without a final period: "el CIN italiano no cuadra". Empty for a country without check digits.
std::string_view NationalDigitsFault(const IbanCountry& country);

}  // namespace minizol
