#pragma once

#include <string>
#include <string_view>

namespace minizol {

// The control character of a company tax number (CIF).
struct CifControl {
    char letter = '\0';  // 'A' to 'J'
    char digit = '\0';   // '0' to '9' for the organisation letters "ABCDEFGHJUV", otherwise '\0'
};

// `digits` is the number, up to seven decimal digits, with or without the zeros that fill it to
// seven on the left; `classChar` the upper-case organisation letter leading it.
CifControl CifControlChar(std::string_view digits, char classChar);

// The caption naming the holder for a class character ('0' for a text led by a digit, otherwise
// the upper-case leading letter): "Persona Física", "Sociedad Anónima", ...; "DNI/NIF:" for '\0'
// and for every character without an entity type.
std::string_view EntityTypeText(char classChar);

inline constexpr std::string_view kNoEntityCaption = "DNI/NIF:";

}  // namespace minizol
