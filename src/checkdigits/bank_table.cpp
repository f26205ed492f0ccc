#include "checkdigits/bank_table.h"

#include <algorithm>
#include <array>
#include <utility>

namespace minizol {

std::optional<std::string_view> BankName(int code) {
    // The captions are shown as they stand, odd spacing included: users know them so.
    static constexpr std::array<std::pair<int, std::string_view>, 41> kBanks = {{
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
    // Kept in the order of their codes, for a binary search: a list names the bank of each of
    // its accounts.
    static_assert(std::ranges::is_sorted(kBanks, {}, &std::pair<int, std::string_view>::first));
    const auto found =
        std::ranges::lower_bound(kBanks, code, {}, &std::pair<int, std::string_view>::first);
    if (found != kBanks.end() && found->first == code) {
        return found->second;
    }
    return std::nullopt;
}

std::string_view BankCaption(std::string_view bankField) {
    constexpr int kNoBank = 10000;  // bank codes have four digits; larger numbers name no bank
    std::size_t pos = bankField.find_first_not_of(' ');
    int code = 0;
    for (; pos < bankField.size() && bankField[pos] >= '0' && bankField[pos] <= '9'; ++pos) {
        code = code * 10 + (bankField[pos] - '0');
        if (code >= kNoBank) {
            return kUnknownBankCaption;
        }
    }
    return BankName(code).value_or(kUnknownBankCaption);
}

}  // namespace minizol
