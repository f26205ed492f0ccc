#include "checkdigits/iban.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "common/byte_words.h"
#include "common/text_case.h"
#include "common/utf8_text.h"

namespace minizol {
namespace {

// The code's two letters, or "ES"'s: what ValidCountryCode gives, without a copy. Only two bytes
// can upper-case to two letters A to Z, "Ñ" or "ñ" being two bytes that are no such letters.
std::array<char, 2> CountryLetters(std::string_view answer) {
    if (answer.size() == 2 && IsAsciiUpper(AsciiUpper(answer[0])) &&
        IsAsciiUpper(AsciiUpper(answer[1]))) {
        return {AsciiUpper(answer[0]), AsciiUpper(answer[1])};
    }
    return {kDefaultCountry[0], kDefaultCountry[1]};
}

// The number an account's characters stand for, folded on by one character: a digit adds one
// decimal digit, a letter the two of its value 10 to 35 (ISO 13616), anything else nothing.
std::uint64_t Fold(std::uint64_t value, char c) {
    if (IsAsciiDigit(c)) {
        return value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (IsAsciiUpper(c)) {
        return value * 100 + static_cast<std::uint64_t>(c - 'A' + 10);
    }
    return value;
}

// The domestic account, then the country's letters and "00" in place of the check digits, mod
// 97. The value is reduced only when two more digits could overflow it: a remainder a character
// would wait for a division, and a list checks a million IBANs.
std::array<char, 2> CheckDigitsFor(std::string_view country, std::string_view domestic) {
    constexpr std::uint64_t kReduceFrom = std::uint64_t{1} << 56;
    std::uint64_t value = 0;
    for (char c : domestic) {
        value = Fold(value, c);
        if (value >= kReduceFrom) {
            value %= 97;
        }
    }
    for (char letter : CountryLetters(country)) {
        value = Fold(value % 97, letter);
    }
    const auto check = static_cast<unsigned>(98 - value * 100 % 97);
    return {static_cast<char>('0' + check / 10), static_cast<char>('0' + check % 10)};
}

}  // namespace

std::string ValidCountryCode(std::string_view answer) {
    const std::array<char, 2> code = CountryLetters(answer);
    return {code[0], code[1]};
}

std::string CountryOfIbanField(std::string_view ibanField) {
    return ValidCountryCode(CharSlice(ibanField, 0, 2));
}

std::string IbanCheckDigits(std::string_view country, std::string_view domestic) {
    const std::array<char, 2> check = CheckDigitsFor(country, domestic);
    return {check[0], check[1]};
}

bool IsWrittenAsIban(std::string_view compact) {
    if (compact.size() < 5 || compact.size() > static_cast<std::size_t>(kLongestIban) ||
        !IsAsciiUpper(compact[0]) || !IsAsciiUpper(compact[1]) || !IsAsciiDigit(compact[2]) ||
        !IsAsciiDigit(compact[3])) {
        return false;
    }
    return AllAlphanumeric(compact.substr(4));
}

std::array<char, 2> IbanCheckDigitsOf(std::string_view iban) {
    return CheckDigitsFor(iban.substr(0, 2), iban.substr(4));
}

std::string GroupInFours(std::string_view compact) {
    std::string grouped;
    AppendGroupedInFours(grouped, compact);
    return grouped;
}

void AppendGroupedInFours(std::string& out, std::string_view compact) {
    if (compact.empty()) {
        return;
    }
    // Written into room made once, a group at a time: a list checks an IBAN in a few hundred
    // instructions.
    const std::size_t start = out.size();
    out.resize(start + compact.size() + (compact.size() - 1) / 4);
    char* at = out.data() + start;
    std::size_t pos = 0;
    for (; pos + 4 < compact.size(); pos += 4) {
        std::memcpy(at, compact.data() + pos, 4);  // a copy of known size, made in place
        at[4] = ' ';
        at += 5;
    }
    const std::string_view last = compact.substr(pos);
    std::copy(last.begin(), last.end(), at);
}

}  // namespace minizol
