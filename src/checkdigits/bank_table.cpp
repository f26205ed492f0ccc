#include "checkdigits/bank_table.h"

#include <array>
#include <cstdint>
#include <utility>

#include "checkdigits/spanish_entities.h"

namespace minizol {
namespace {

// The captions are shown as they stand, odd spacing included: users know them so.
constexpr std::array<std::pair<int, std::string_view>, 41> kBanks = {{
    {8, "Banco atlantico"},
    {13, "Solbank sbd"},
    {15, "Banco bilbao vizcaya  argentaria"},
    {19, "Deutsche bank"},
    {30, "Banco español de credito"},
    {36, "Banco santander de negocios s.a."},
    {42, "Banco guipuzcoano"},
    {43, "Banco herrero"},
    {49, "Banco santander central hispano"},
    {50, "Banco bilbao vizcaya argentaria"},
    {58, "Caixa galicia(bnp)"},
    {65, "Barclays bank"},
    {72, "Banco pastor"},
    {75, "Banco popular español"},
    {81, "Banco de sabadell"},
    {85, "Banco santander central hispano"},
    {86, "Bsn banif"},
    {95, "Banco de vasconia"},
    {100, "Banco español de credito"},
    {103, "Banco zaragozano"},
    {104, "Banco bilbao vizcaya argentaria"},
    {112, "Banco urquijo"},
    {128, "Bankinter"},
    {138, "Bankoa"},
    {182, "Banco bilbao vizcaya  argentaria"},
    {208, "Caja duero (c.l.e.)"},
    {1302, "Banco bilbao vizcaya argentaria"},
    {2013, "Caixa d 'estalvis de catalunya"},
    {2018, "Caja ahorros municipal de burgos"},
    {2037, "Caja provincial ahorros de la rioja"},
    {2038, "Caja de ahorros de madrid"},
    {2077, "Caja de ahorros de valencia, castellon y alicante"},
    {2091, "Caja de ahorros de galicia"},
    {2095, "Bilbao bizkaia kutxa"},
    {2097, "Caja de ahorros de vitoria y alava"},
    {2100, "Caja de ah. y pensiones de barcelona"},
    {2101, "Caja ah m.p. guipuzkoa y s.sebastian"},
    {2104, "Caja duero"},
    {3008, "Caja rural de navarra"},
    {3035, "Caja laboral popular"},
    {3084, "Caja rural vasca"},
}};

constexpr int kCodes = 10000;  // bank codes have four digits
constexpr std::uint8_t kNoBank = 0xFF;
static_assert(kBanks.size() < kNoBank, "an index of the table fits a byte");

// Each code names its bank's place in kBanks, or none: found with one look-up, as a list of
// accounts looks up every one.
constexpr std::array<std::uint8_t, kCodes> kBankIndex = [] {
    std::array<std::uint8_t, kCodes> index{};
    index.fill(kNoBank);
    for (std::size_t i = 0; i < kBanks.size(); ++i) {
        index[static_cast<std::size_t>(kBanks[i].first)] = static_cast<std::uint8_t>(i);
    }
    return index;
}();

}  // namespace

std::optional<std::string_view> BankName(int code) {
    if (code < 0 || code >= kCodes) {
        return std::nullopt;
    }
    const std::uint8_t found = kBankIndex[static_cast<std::size_t>(code)];
    if (found != kNoBank) {
        return kBanks[found].second;  // users know these names, merged banks' included
    }
    if (const SpanishEntity* entity = FindSpanishEntity(code)) {
        return entity->name;
    }
    return std::nullopt;
}

std::optional<std::string_view> BankBic(int code) {
    if (const SpanishEntity* entity = FindSpanishEntity(code)) {
        return entity->bic;
    }
    return std::nullopt;
}

std::optional<int> BankCodeOfField(std::string_view bankField) {
    std::size_t pos = bankField.find_first_not_of(' ');
    int code = 0;
    for (; pos < bankField.size() && bankField[pos] >= '0' && bankField[pos] <= '9'; ++pos) {
        code = code * 10 + (bankField[pos] - '0');
        if (code >= kCodes) {
            return std::nullopt;  // larger numbers name no bank
        }
    }
    return code;
}

std::string_view BankCaption(std::string_view bankField) {
    const std::optional<int> code = BankCodeOfField(bankField);
    return code ? BankName(*code).value_or(kUnknownBankCaption) : kUnknownBankCaption;
}

}  // namespace minizol
