#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "checkdigits/identity.h"
#include "checkdigits/isbn.h"

namespace minizol {

// Why a number is wrong, in the few Spanish words a tooltip or a list's column has room for:
// what was written and what it should be. Each is appended to `out`, whose room a list reuses
// from one wrong number to the next.

// "pone 91; corresponde 64"
void AppendDigitsReason(std::string& out, std::string_view written, std::string_view expected);

// A complete identity number whose control character does not match: "la letra no corresponde;
// corresponde la J", "tras la A va una cifra; corresponde el 1". Nothing for any other analysis.
void AppendIdentityReason(std::string& out, const IdentityAnalysis& analysis);

// An ISBN whose check character does not match: "la cifra de control no corresponde;
// corresponde la X".
void AppendIsbnReason(std::string& out, std::string_view expected);

// The character at `position` (counted from 1 in the IBAN) that its country's account format
// does not allow: "pone A en la posición 10; corresponde una cifra".
void AppendFormatReason(std::string& out, std::string_view written, std::size_t position,
                        std::string_view expected);

// Why the ISBN row's box is red: its check character, or no ISBN at all; "" when it is not red.
std::string IsbnRowReason(const IsbnResult& result);

// Why the identity row's boxes are red: its control character, or no identity number at all;
// "" when they are not red.
std::string IdentityRowReason(const IdentityAnalysis& analysis);

}  // namespace minizol
