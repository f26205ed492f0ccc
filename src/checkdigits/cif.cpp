#include "checkdigits/cif.h"

#include <array>
#include <utility>

#include "common/text_case.h"

namespace minizol {
namespace {

constexpr std::string_view kLetterForms = "ABCDEFGHIJ";
constexpr std::string_view kLettersWithDigitForm = "ABCDEFGHJUV";
constexpr std::size_t kCifDigits = 7;

}  // namespace

CifControl CifControlChar(std::string_view sevenDigits, char classChar) {
    int total = 0;
    for (std::size_t i = 0; i < kCifDigits; ++i) {
        const int digit = sevenDigits[i] - '0';
        if (i % 2 == 1) {
            total += digit;  // positions 2, 4 and 6 count as they are
        } else {
            const int doubled = 2 * digit;  // positions 1, 3, 5 and 7: sum of the doubled digits
            total += doubled > 9 ? doubled - 9 : doubled;
        }
    }
    const int d = 10 - total % 10;  // 1 to 10
    CifControl control;
    control.letter = kLetterForms[static_cast<std::size_t>(d - 1)];
    if (IsOneOf(classChar, kLettersWithDigitForm)) {
        control.digit = static_cast<char>('0' + d % 10);
    }
    return control;
}

std::string_view EntityTypeText(char classChar) {
    static constexpr std::array<std::pair<char, std::string_view>, 19> kCaptions = {{
        {'A', "Sociedad Anónima"},
        {'B', "Sociedad Limitidad"},
        {'C', "Sociedad Colectiva"},
        {'D', "Sociedad Comanditaria"},
        {'E', "Comunidad de Bienes"},
        {'F', "Sociedad Cooperativa"},
        {'G', "Asociación o tipo No definido"},
        {'H', "Comunidad de Propietarios"},
        {'S', "Organismo Estatal"},
        {'P', "Corporación Local"},
        {'Q', "Organismo Autónomo"},
        {'N', "Entidad No Definida"},
        {'K', "Persona Física"},
        {'L', "Persona Física"},
        {'M', "Persona Física"},
        {'0', "Persona Física"},
        // Foreign residents' numbers: X until 2008, then Y and Z.
        {'X', "Persona Extranjera"},
        {'Y', "Persona Extranjera"},
        {'Z', "Persona Extranjera"},
    }};
    for (const auto& [key, caption] : kCaptions) {
        if (key == classChar) {
            return caption;
        }
    }
    return kNoEntityCaption;
}

}  // namespace minizol
