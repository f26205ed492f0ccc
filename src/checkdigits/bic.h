#pragma once

#include <string_view>

namespace minizol {

// What the form of a BIC (ISO 9362) says, read from its compact text: upper case, no blanks.
struct BicCheck {
    bool form = false;         // 8 or 11 characters, each of the kind its place takes
    std::string_view country;  // the ISO 3166 code in it, when the form is right
};

// A BIC is an institution (4), a country (2 letters), a location (2) and, optionally, a branch
// (3); "XXX" as the branch names the primary office.
BicCheck ReadBic(std::string_view compact);

// Whether a bank in the BIC's country keeps accounts that are numbered as IBANs of the given
// country: its own, or one that a territory's banks number under (Guadeloupe's under FR ...).
bool BicServesIbanCountry(std::string_view bicCountry, std::string_view ibanCountry);

// Whether two BICs of good form name the same institution: one is a branch of the other, or
// both are branches of it.
bool SameInstitution(std::string_view bic, std::string_view registered);

}  // namespace minizol
