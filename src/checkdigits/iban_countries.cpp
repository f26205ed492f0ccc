#include "checkdigits/iban_countries.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace minizol {
namespace {

constexpr std::array<IbanCountry, 89> kCountries = {{
    {"AD", 24, "Andorra"},
    {"AE", 23, "Emiratos Árabes Unidos"},
    {"AL", 28, "Albania"},
    {"AT", 20, "Austria"},
    {"AZ", 28, "Azerbaiyán"},
    {"BA", 20, "Bosnia y Herzegovina"},
    {"BE", 16, "Bélgica"},
    {"BG", 22, "Bulgaria"},
    {"BH", 22, "Baréin"},
    {"BI", 27, "Burundi"},
    {"BR", 29, "Brasil"},
    {"BY", 28, "Bielorrusia"},
    {"CH", 21, "Suiza"},
    {"CR", 22, "Costa Rica"},
    {"CY", 28, "Chipre"},
    {"CZ", 24, "Chequia"},
    {"DE", 22, "Alemania"},
    {"DJ", 27, "Yibuti"},
    {"DK", 18, "Dinamarca"},
    {"DO", 28, "República Dominicana"},
    {"EE", 20, "Estonia"},
    {"EG", 29, "Egipto"},
    {"ES", 24, "España"},
    {"FI", 18, "Finlandia"},
    {"FK", 18, "Islas Malvinas"},
    {"FO", 18, "Islas Feroe"},
    {"FR", 27, "Francia"},
    {"GB", 22, "Reino Unido"},
    {"GE", 22, "Georgia"},
    {"GI", 23, "Gibraltar"},
    {"GL", 18, "Groenlandia"},
    {"GR", 27, "Grecia"},
    {"GT", 28, "Guatemala"},
    {"HN", 28, "Honduras"},
    {"HR", 21, "Croacia"},
    {"HU", 28, "Hungría"},
    {"IE", 22, "Irlanda"},
    {"IL", 23, "Israel"},
    {"IQ", 23, "Irak"},
    {"IS", 26, "Islandia"},
    {"IT", 27, "Italia"},
    {"JO", 30, "Jordania"},
    {"KW", 30, "Kuwait"},
    {"KZ", 20, "Kazajistán"},
    {"LB", 28, "Líbano"},
    {"LC", 32, "Santa Lucía"},
    {"LI", 21, "Liechtenstein"},
    {"LT", 20, "Lituania"},
    {"LU", 20, "Luxemburgo"},
    {"LV", 21, "Letonia"},
    {"LY", 25, "Libia"},
    {"MC", 27, "Mónaco"},
    {"MD", 24, "Moldavia"},
    {"ME", 22, "Montenegro"},
    {"MK", 19, "Macedonia del Norte"},
    {"MN", 20, "Mongolia"},
    {"MR", 27, "Mauritania"},
    {"MT", 31, "Malta"},
    {"MU", 30, "Mauricio"},
    {"NI", 28, "Nicaragua"},
    {"NL", 18, "Países Bajos"},
    {"NO", 15, "Noruega"},
    {"OM", 23, "Omán"},
    {"PK", 24, "Pakistán"},
    {"PL", 28, "Polonia"},
    {"PS", 29, "Palestina"},
    {"PT", 25, "Portugal"},
    {"QA", 29, "Catar"},
    {"RO", 24, "Rumanía"},
    {"RS", 22, "Serbia"},
    {"RU", 33, "Rusia"},
    {"SA", 24, "Arabia Saudí"},
    {"SC", 31, "Seychelles"},
    {"SD", 18, "Sudán"},
    {"SE", 24, "Suecia"},
    {"SI", 19, "Eslovenia"},
    {"SK", 24, "Eslovaquia"},
    {"SM", 27, "San Marino"},
    {"SO", 23, "Somalia"},
    {"ST", 25, "Santo Tomé y Príncipe"},
    {"SV", 28, "El Salvador"},
    {"TL", 23, "Timor Oriental"},
    {"TN", 24, "Túnez"},
    {"TR", 26, "Turquía"},
    {"UA", 29, "Ucrania"},
    {"VA", 22, "Ciudad del Vaticano"},
    {"VG", 24, "Islas Vírgenes Británicas"},
    {"XK", 20, "Kosovo"},
    {"YE", 30, "Yemen"},
}};

static_assert(std::ranges::is_sorted(kCountries, {}, &IbanCountry::code),
              "the codes are listed in order, as the registry lists them");
static_assert(kCountries.size() < 0xFF, "an index of the table fits a byte");

constexpr std::size_t kLetters = 26;
constexpr std::uint8_t kNoCountry = 0xFF;

// Each pair of letters A to Z names its country's place in kCountries, or none: found with one
// look-up, as a list of IBANs looks up every one.
constexpr std::array<std::uint8_t, kLetters* kLetters> kCountryIndex = [] {
    std::array<std::uint8_t, kLetters * kLetters> index{};
    index.fill(kNoCountry);
    for (std::size_t i = 0; i < kCountries.size(); ++i) {
        const std::string_view code = kCountries[i].code;
        index[static_cast<std::size_t>(code[0] - 'A') * kLetters +
              static_cast<std::size_t>(code[1] - 'A')] = static_cast<std::uint8_t>(i);
    }
    return index;
}();

bool IsUpperAscii(char c) {
    return c >= 'A' && c <= 'Z';
}

}  // namespace

std::span<const IbanCountry> IbanCountries() {
    return kCountries;
}

const IbanCountry* FindIbanCountry(std::string_view code) {
    if (code.size() != 2 || !IsUpperAscii(code[0]) || !IsUpperAscii(code[1])) {
        return nullptr;
    }
    const std::uint8_t found = kCountryIndex[static_cast<std::size_t>(code[0] - 'A') * kLetters +
                                             static_cast<std::size_t>(code[1] - 'A')];
    return found == kNoCountry ? nullptr : &kCountries[found];
}

}  // namespace minizol
