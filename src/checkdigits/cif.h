#pragma once

#include <string>
#include <string_view>

#include "checkdigits/identity.h"

namespace minizol {

// The control character of a company tax number (CIF), in both its forms: which of them a
// company may write depends on its organisation letter (CompanyControlForm).
struct CifControl {
    char letter = '\0';  // 'A' to 'J'
    char digit = '\0';   // '0' to '9'
};

// `digits` is the number, up to seven decimal digits, with or without the zeros that fill it to
// seven on the left.
CifControl CifControlChar(std::string_view digits);

// The caption naming the holder of an identity number of `kind` led by `letter` (upper case):
// "Persona Física", "Sociedad Anónima", ...; "DNI/NIF:" for no number and for the organisation
// letters without an entity type.
std::string_view EntityTypeText(IdentityKind kind, char letter);

inline constexpr std::string_view kNoEntityCaption = "DNI/NIF:";

}  // namespace minizol
