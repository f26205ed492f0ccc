#pragma once

#include <string>
#include <string_view>

#include "checkdigits/identity.h"
#include "checkdigits/isbn.h"

namespace minizol {

// Why a number is wrong, in the few Spanish words a tooltip or a list's column has room for:
// what was written and what it should be.

// "pone 91; corresponde 64"
std::string DigitsReason(std::string_view written, std::string_view expected);

// A complete identity number whose control character does not match: "la letra no corresponde;
// corresponde la J", "tras la A va una cifra; corresponde el 1". "" for any other analysis.
std::string IdentityReason(const IdentityAnalysis& analysis);

// An ISBN whose check character does not match: "la cifra de control no corresponde;
// corresponde la X".
std::string IsbnReason(std::string_view expected);

// Why the ISBN row's box is red: its check character, or no ISBN at all.
std::string IsbnRowReason(const IsbnResult& result);

// Why the identity row's boxes are red: its control character, or no identity number at all.
std::string IdentityRowReason(const IdentityAnalysis& analysis);

// The character at `position` (counted from 1 in the IBAN) that its country's account format
// does not allow: "pone A en la posición 10; corresponde una cifra".
std::string FormatReason(std::string_view written, std::size_t position, std::string_view expected);

}  // namespace minizol
