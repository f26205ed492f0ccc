#pragma once

#include <string>
#include <string_view>

namespace minizol {

// The control character of a company tax number (CIF).
struct CifControl {
    std::string letter;  // "A" to "J"; "" when the number was not seven digits
    std::string digit;   // "0" to "9" for the organisation letters "ABCDEFGHJUV", otherwise ""
};

// `number` is the zero-filled number part: seven digits, optionally followed by the padding blank.
// `classChar` is the organisation letter leading the number (either case).
CifControl CifControlChar(std::string_view number, std::string_view classChar);

// The caption naming the holder for a class character ("0" for a text led by a digit, otherwise
// the upper-case leading letter): "Persona Física", "Sociedad Anónima", ...; "DNI/NIF:" for "" and
// for every character without an entity type.
std::string_view EntityTypeText(std::string_view classChar);

inline constexpr std::string_view kNoEntityCaption = "DNI/NIF:";

}  // namespace minizol
