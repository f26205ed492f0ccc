#include "checkdigits/cif.h"

#include <array>
#include <utility>

#include "common/text_case.h"

namespace minizol {
namespace {

constexpr std::string_view kLetterForms = "ABCDEFGHIJ";
// The sum of the digits of twice each digit.
constexpr std::array<int, 10> kDoubledDigitSums = {0, 2, 4, 6, 8, 1, 3, 5, 7, 9};

}  // namespace

CifControl CifControlChar(std::string_view digits) {
    // Counted from the last digit, as the zeros the number may lack on the left count nothing:
    // positions 1, 3, 5 and 7 of seven (the last, and every second before it) count as the sum
    // of the doubled digit's digits, positions 2, 4 and 6 as they are.
    int total = 0;
    bool doubled = true;
    for (std::size_t i = digits.size(); i-- > 0; doubled = !doubled) {
        const int digit = digits[i] - '0';
        total += doubled ? kDoubledDigitSums[static_cast<std::size_t>(digit)] : digit;
    }
    const int d = 10 - total % 10;  // 1 to 10
    return {kLetterForms[static_cast<std::size_t>(d - 1)], static_cast<char>('0' + d % 10)};
}

std::string_view EntityTypeText(IdentityKind kind, char letter) {
    static constexpr std::array<std::pair<char, std::string_view>, 12> kCompanies = {{
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
    }};
    switch (kind) {
        case IdentityKind::Dni:
        case IdentityKind::Nif:
            return "Persona Física";
        case IdentityKind::Nie:
            return "Persona Extranjera";
        case IdentityKind::Company:
            for (const auto& [key, caption] : kCompanies) {
                if (key == letter) {
                    return caption;
                }
            }
            return kNoEntityCaption;
        case IdentityKind::None:
            return kNoEntityCaption;
    }
    return kNoEntityCaption;
}

}  // namespace minizol
