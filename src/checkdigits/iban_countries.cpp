#include "checkdigits/iban_countries.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "common/text_case.h"

namespace minizol {
namespace {

constexpr std::array<IbanCountry, 89> kCountries = {{
    {"AD", 24, "Andorra", ParseBbanFormat("4!n4!n12!c")},
    {"AE", 23, "Emiratos Árabes Unidos", ParseBbanFormat("3!n16!n")},
    {"AL", 28, "Albania", ParseBbanFormat("8!n16!c")},
    {"AT", 20, "Austria", ParseBbanFormat("5!n11!n")},
    {"AZ", 28, "Azerbaiyán", ParseBbanFormat("4!a20!c")},
    {"BA", 20, "Bosnia y Herzegovina", ParseBbanFormat("3!n3!n8!n2!n")},
    {"BE", 16, "Bélgica", ParseBbanFormat("3!n7!n2!n")},
    {"BG", 22, "Bulgaria", ParseBbanFormat("4!a4!n2!n8!c")},
    {"BH", 22, "Baréin", ParseBbanFormat("4!a14!c")},
    {"BI", 27, "Burundi", ParseBbanFormat("5!n5!n11!n2!n")},
    {"BR", 29, "Brasil", ParseBbanFormat("8!n5!n10!n1!a1!c")},
    {"BY", 28, "Bielorrusia", ParseBbanFormat("4!c4!n16!c")},
    {"CH", 21, "Suiza", ParseBbanFormat("5!n12!c")},
    {"CR", 22, "Costa Rica", ParseBbanFormat("4!n14!n")},
    {"CY", 28, "Chipre", ParseBbanFormat("3!n5!n16!c")},
    {"CZ", 24, "Chequia", ParseBbanFormat("4!n6!n10!n")},
    {"DE", 22, "Alemania", ParseBbanFormat("8!n10!n")},
    {"DJ", 27, "Yibuti", ParseBbanFormat("5!n5!n11!n2!n")},
    {"DK", 18, "Dinamarca", ParseBbanFormat("4!n9!n1!n")},
    {"DO", 28, "República Dominicana", ParseBbanFormat("4!c20!n")},
    {"EE", 20, "Estonia", ParseBbanFormat("2!n2!n11!n1!n")},
    {"EG", 29, "Egipto", ParseBbanFormat("4!n4!n17!n")},
    {"ES", 24, "España", ParseBbanFormat("4!n4!n1!n1!n10!n")},
    {"FI", 18, "Finlandia", ParseBbanFormat("3!n11!n")},
    {"FK", 18, "Islas Malvinas", ParseBbanFormat("2!a12!n")},
    {"FO", 18, "Islas Feroe", ParseBbanFormat("4!n9!n1!n")},
    {"FR", 27, "Francia", ParseBbanFormat("5!n5!n11!c2!n")},
    {"GB", 22, "Reino Unido", ParseBbanFormat("4!a6!n8!n")},
    {"GE", 22, "Georgia", ParseBbanFormat("2!a16!n")},
    {"GI", 23, "Gibraltar", ParseBbanFormat("4!a15!c")},
    {"GL", 18, "Groenlandia", ParseBbanFormat("4!n9!n1!n")},
    {"GR", 27, "Grecia", ParseBbanFormat("3!n4!n16!c")},
    {"GT", 28, "Guatemala", ParseBbanFormat("4!c20!c")},
    {"HN", 28, "Honduras", ParseBbanFormat("4!a20!n")},
    {"HR", 21, "Croacia", ParseBbanFormat("7!n10!n")},
    {"HU", 28, "Hungría", ParseBbanFormat("3!n4!n1!n15!n1!n")},
    {"IE", 22, "Irlanda", ParseBbanFormat("4!a6!n8!n")},
    {"IL", 23, "Israel", ParseBbanFormat("3!n3!n13!n")},
    {"IQ", 23, "Irak", ParseBbanFormat("4!a3!n12!n")},
    {"IS", 26, "Islandia", ParseBbanFormat("4!n2!n6!n10!n")},
    {"IT", 27, "Italia", ParseBbanFormat("1!a5!n5!n12!c")},
    {"JO", 30, "Jordania", ParseBbanFormat("4!a4!n18!c")},
    {"KW", 30, "Kuwait", ParseBbanFormat("4!a22!c")},
    {"KZ", 20, "Kazajistán", ParseBbanFormat("3!n13!c")},
    {"LB", 28, "Líbano", ParseBbanFormat("4!n20!c")},
    {"LC", 32, "Santa Lucía", ParseBbanFormat("4!a24!c")},
    {"LI", 21, "Liechtenstein", ParseBbanFormat("5!n12!c")},
    {"LT", 20, "Lituania", ParseBbanFormat("5!n11!n")},
    {"LU", 20, "Luxemburgo", ParseBbanFormat("3!n13!c")},
    {"LV", 21, "Letonia", ParseBbanFormat("4!a13!c")},
    {"LY", 25, "Libia", ParseBbanFormat("3!n3!n15!n")},
    {"MC", 27, "Mónaco", ParseBbanFormat("5!n5!n11!c2!n")},
    {"MD", 24, "Moldavia", ParseBbanFormat("2!c18!c")},
    {"ME", 22, "Montenegro", ParseBbanFormat("3!n13!n2!n")},
    {"MK", 19, "Macedonia del Norte", ParseBbanFormat("3!n10!c2!n")},
    {"MN", 20, "Mongolia", ParseBbanFormat("4!n12!n")},
    {"MR", 27, "Mauritania", ParseBbanFormat("5!n5!n11!n2!n")},
    {"MT", 31, "Malta", ParseBbanFormat("4!a5!n18!c")},
    {"MU", 30, "Mauricio", ParseBbanFormat("4!a2!n2!n12!n3!n3!a")},
    {"NI", 28, "Nicaragua", ParseBbanFormat("4!a20!n")},
    {"NL", 18, "Países Bajos", ParseBbanFormat("4!a10!n")},
    {"NO", 15, "Noruega", ParseBbanFormat("4!n6!n1!n")},
    {"OM", 23, "Omán", ParseBbanFormat("3!n16!c")},
    {"PK", 24, "Pakistán", ParseBbanFormat("4!a16!c")},
    {"PL", 28, "Polonia", ParseBbanFormat("8!n16!n")},
    {"PS", 29, "Palestina", ParseBbanFormat("4!a21!c")},
    {"PT", 25, "Portugal", ParseBbanFormat("4!n4!n11!n2!n")},
    {"QA", 29, "Catar", ParseBbanFormat("4!a21!c")},
    {"RO", 24, "Rumanía", ParseBbanFormat("4!a16!c")},
    {"RS", 22, "Serbia", ParseBbanFormat("3!n13!n2!n")},
    {"RU", 33, "Rusia", ParseBbanFormat("9!n5!n15!c")},
    {"SA", 24, "Arabia Saudí", ParseBbanFormat("2!n18!c")},
    {"SC", 31, "Seychelles", ParseBbanFormat("4!a2!n2!n16!n3!a")},
    {"SD", 18, "Sudán", ParseBbanFormat("2!n12!n")},
    {"SE", 24, "Suecia", ParseBbanFormat("3!n16!n1!n")},
    {"SI", 19, "Eslovenia", ParseBbanFormat("5!n8!n2!n")},
    {"SK", 24, "Eslovaquia", ParseBbanFormat("4!n6!n10!n")},
    {"SM", 27, "San Marino", ParseBbanFormat("1!a5!n5!n12!c")},
    {"SO", 23, "Somalia", ParseBbanFormat("4!n3!n12!n")},
    {"ST", 25, "Santo Tomé y Príncipe", ParseBbanFormat("4!n4!n11!n2!n")},
    {"SV", 28, "El Salvador", ParseBbanFormat("4!a20!n")},
    {"TL", 23, "Timor Oriental", ParseBbanFormat("3!n14!n2!n")},
    {"TN", 24, "Túnez", ParseBbanFormat("2!n3!n13!n2!n")},
    {"TR", 26, "Turquía", ParseBbanFormat("5!n1!n16!c")},
    {"UA", 29, "Ucrania", ParseBbanFormat("6!n19!c")},
    {"VA", 22, "Ciudad del Vaticano", ParseBbanFormat("3!n15!n")},
    {"VG", 24, "Islas Vírgenes Británicas", ParseBbanFormat("4!a16!n")},
    {"XK", 20, "Kosovo", ParseBbanFormat("4!n10!n2!n")},
    {"YE", 30, "Yemen", ParseBbanFormat("4!a4!n18!c")},
}};

static_assert(std::ranges::is_sorted(kCountries, {}, &IbanCountry::code),
              "the codes are listed in order, as the registry lists them");
static_assert(std::ranges::all_of(kCountries,
                                  [](const IbanCountry& country) {
                                      return country.bban.length + 4 == country.length;
                                  }),
              "an account part is the IBAN less its country code and check digits");
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

}  // namespace

std::span<const IbanCountry> IbanCountries() {
    return kCountries;
}

const IbanCountry* FindIbanCountry(std::string_view code) {
    if (code.size() != 2 || !IsAsciiUpper(code[0]) || !IsAsciiUpper(code[1])) {
        return nullptr;
    }
    const std::uint8_t found = kCountryIndex[static_cast<std::size_t>(code[0] - 'A') * kLetters +
                                             static_cast<std::size_t>(code[1] - 'A')];
    return found == kNoCountry ? nullptr : &kCountries[found];
}

}  // namespace minizol
