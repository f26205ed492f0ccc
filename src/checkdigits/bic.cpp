#include "checkdigits/bic.h"

#include <algorithm>
#include <array>
#include <utility>

namespace minizol {
namespace {

constexpr std::size_t kInstitutionLength = 4;
constexpr std::size_t kCountryEnd = 6;
constexpr std::size_t kShortLength = 8;  // without a branch
constexpr std::size_t kLongLength = 11;

bool IsUpperLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

bool IsUpperAlphanumeric(char c) {
    return IsUpperLetter(c) || (c >= '0' && c <= '9');
}

// Territories with their own ISO 3166 code whose banks give out another country's IBANs, as the
// IBAN registry lists them.
constexpr std::array<std::pair<std::string_view, std::string_view>, 16> kTerritories = {{
    {"AX", "FI"},  // Åland
    {"BL", "FR"},  // Saint-Barthélemy
    {"GF", "FR"},  // French Guiana
    {"GG", "GB"},  // Guernsey
    {"GP", "FR"},  // Guadeloupe
    {"IM", "GB"},  // Isle of Man
    {"JE", "GB"},  // Jersey
    {"MF", "FR"},  // Saint-Martin
    {"MQ", "FR"},  // Martinique
    {"NC", "FR"},  // New Caledonia
    {"PF", "FR"},  // French Polynesia
    {"PM", "FR"},  // Saint-Pierre-et-Miquelon
    {"RE", "FR"},  // Réunion
    {"TF", "FR"},  // French Southern Territories
    {"WF", "FR"},  // Wallis and Futuna
    {"YT", "FR"},  // Mayotte
}};

}  // namespace

BicCheck ReadBic(std::string_view compact) {
    if (compact.size() != kShortLength && compact.size() != kLongLength) {
        return {};
    }
    // ISO 9362:2014 lets the institution code hold digits too, though banks' codes are letters
    // so far: a BIC given out under the newer rule must not be refused.
    const std::string_view institution = compact.substr(0, kInstitutionLength);
    const std::string_view country = compact.substr(kInstitutionLength, 2);
    const std::string_view rest = compact.substr(kCountryEnd);  // location and branch
    if (!std::ranges::all_of(institution, IsUpperAlphanumeric) ||
        !std::ranges::all_of(country, IsUpperLetter) ||
        !std::ranges::all_of(rest, IsUpperAlphanumeric)) {
        return {};
    }
    return {true, country};
}

bool BicServesIbanCountry(std::string_view bicCountry, std::string_view ibanCountry) {
    if (bicCountry.size() != 2) {
        return false;  // no country read
    }
    if (bicCountry == ibanCountry) {
        return true;
    }
    return std::ranges::any_of(kTerritories, [&](const auto& territory) {
        return territory.first == bicCountry && territory.second == ibanCountry;
    });
}

bool SameInstitution(std::string_view bic, std::string_view registered) {
    return ReadBic(bic).form && ReadBic(registered).form &&
           bic.substr(0, kShortLength) == registered.substr(0, kShortLength);
}

}  // namespace minizol
