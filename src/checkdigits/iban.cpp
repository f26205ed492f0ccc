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

bool IsUpperAscii(char c) {
    return c >= 'A' && c <= 'Z';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The code's two letters, or "ES"'s: what ValidCountryCode gives, without a copy. Only two bytes
// can upper-case to two letters A to Z, "Ñ" or "ñ" being two bytes that are no such letters.
std::array<char, 2> CountryLetters(std::string_view answer) {
    if (answer.size() == 2 && IsUpperAscii(AsciiUpper(answer[0])) &&
        IsUpperAscii(AsciiUpper(answer[1]))) {
        return {AsciiUpper(answer[0]), AsciiUpper(answer[1])};
    }
    return {kDefaultCountry[0], kDefaultCountry[1]};
}

// What a character of a domestic account adds to the number whose remainder mod 97 is sought:
// a digit is one decimal digit, a letter the two of its value 10 to 35, anything else nothing.
struct Mod97Step {
    std::uint8_t scale = 1;  // 10, 100, or 1 for a character that is skipped
    std::uint8_t value = 0;
};

constexpr std::array<Mod97Step, 256> kMod97Steps = [] {
    std::array<Mod97Step, 256> steps{};
    for (int c = '0'; c <= '9'; ++c) {
        steps[static_cast<std::size_t>(c)] = {10, static_cast<std::uint8_t>(c - '0')};
    }
    for (int c = 'A'; c <= 'Z'; ++c) {
        steps[static_cast<std::size_t>(c)] = {100, static_cast<std::uint8_t>(c - 'A' + 10)};
    }
    return steps;
}();

std::array<char, 2> CheckDigitsFor(std::string_view country, std::string_view domestic) {
    // The characters are gathered into a wide number, eight at a time (sixteen decimal digits at
    // most, on a remainder below 97, stay below 2^64), and reduced once per eight. Eight digits,
    // as most of an account is, are read in one go.
    constexpr std::size_t kBlock = 8;
    std::uint64_t wide = 0;
    for (std::size_t pos = 0; pos < domestic.size(); pos += kBlock) {
        const std::string_view block = domestic.substr(pos, kBlock);
        const std::optional<std::uint32_t> digits =
            block.size() == kBlock ? EightDigits(block.data()) : std::nullopt;
        if (digits) {
            wide = wide * 100'000'000 + *digits;
        } else {
            for (char c : block) {
                const Mod97Step step = kMod97Steps[static_cast<unsigned char>(c)];
                wide = wide * step.scale + step.value;
            }
        }
        wide %= 97;
    }
    // Then the country's two letters, two digits each, and "00" for the check digits.
    const std::array<char, 2> letters = CountryLetters(country);
    const auto value = [](char letter) { return static_cast<std::uint64_t>(letter - 'A' + 10); };
    wide = (wide * 1'000'000 + (value(letters[0]) * 100 + value(letters[1])) * 100) % 97;
    const int check = 98 - static_cast<int>(wide);
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
        !IsUpperAscii(compact[0]) || !IsUpperAscii(compact[1]) || !IsDigit(compact[2]) ||
        !IsDigit(compact[3])) {
        return false;
    }
    return MarkedBytes(compact.substr(4), '0', [](std::uint64_t word) {
               return ~(BytesInRange(word, '0', '9') | BytesInRange(word, 'A', 'Z')) & kHighBits;
           }) == 0;
}

std::optional<IbanCheck> CheckIban(std::string_view compact) {
    if (!IsWrittenAsIban(compact)) {
        return std::nullopt;
    }
    IbanCheck check;
    check.country = FindIbanCountry(compact.substr(0, 2));
    const std::array<char, 2> digits = CheckDigitsFor(compact.substr(0, 2), compact.substr(4));
    check.checkDigits.assign(digits.data(), digits.size());
    check.rightLength = check.country != nullptr &&
                        compact.size() == static_cast<std::size_t>(check.country->length);
    check.valid = check.rightLength && compact[2] == digits[0] && compact[3] == digits[1];
    return check;
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
