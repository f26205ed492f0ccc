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
    std::uint8_t scale = 1;   // 10, 100, or 1 for a character that is skipped
    std::uint8_t digits = 0;  // 1, 2 or 0 likewise
    std::uint8_t value = 0;
};

constexpr std::array<Mod97Step, 256> kMod97Steps = [] {
    std::array<Mod97Step, 256> steps{};
    for (int c = '0'; c <= '9'; ++c) {
        steps[static_cast<std::size_t>(c)] = {10, 1, static_cast<std::uint8_t>(c - '0')};
    }
    for (int c = 'A'; c <= 'Z'; ++c) {
        steps[static_cast<std::size_t>(c)] = {100, 2, static_cast<std::uint8_t>(c - 'A' + 10)};
    }
    return steps;
}();

// 10^n mod 97, for the decimal digits of a block of eight characters.
constexpr std::size_t kMostBlockDigits = 16;
constexpr std::array<std::uint64_t, kMostBlockDigits + 1> kPowersOfTen = [] {
    std::array<std::uint64_t, kMostBlockDigits + 1> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& p : powers) {
        p = power;
        power = power * 10 % 97;
    }
    return powers;
}();

// A block of up to eight characters as the decimal number it stands for.
struct Block {
    std::uint64_t value = 0;  // below 10^16
    std::size_t digits = 0;
};

// The block of `domestic` from `pos`, eight characters or the fewer left at its end. Digits, as
// most of an account is, are read in one go, the last few with the ones before them counting as
// zeros: a block's reading does not depend on its country.
Block BlockValue(std::string_view domestic, std::size_t pos) {
    const std::size_t size = std::min<std::size_t>(domestic.size() - pos, 8);
    if (domestic.size() >= 8) {
        const std::uint64_t word =
            size == 8 ? LoadWord(domestic.data() + pos) : LoadLastBytes(domestic, size, '0');
        if (const std::optional<std::uint32_t> digits = EightDigits(word)) {
            return {*digits, size};
        }
    }
    Block result;
    for (char c : domestic.substr(pos, size)) {
        const Mod97Step step = kMod97Steps[static_cast<unsigned char>(c)];
        result.value = result.value * step.scale + step.value;
        result.digits += step.digits;
    }
    return result;
}

std::array<char, 2> CheckDigitsFor(std::string_view country, std::string_view domestic) {
    // Each block of eight characters is reduced on its own, and the remainders are joined by
    // their places: the divisions do not wait for one another, only a multiplication and an
    // addition a block do. The sum is reduced before it could overflow.
    constexpr std::size_t kBlock = 8;
    constexpr std::uint64_t kReduceFrom = std::uint64_t{1} << 56;
    std::uint64_t total = 0;  // the number so far, up to a multiple of 97
    for (std::size_t pos = 0; pos < domestic.size(); pos += kBlock) {
        const Block block = BlockValue(domestic, pos);
        total = total * kPowersOfTen[block.digits] + block.value % 97;
        if (total >= kReduceFrom) {
            total %= 97;
        }
    }
    // Then the country's two letters, two digits each, and "00" for the check digits.
    const std::array<char, 2> letters = CountryLetters(country);
    const auto value = [](char letter) { return static_cast<std::uint64_t>(letter - 'A' + 10); };
    const std::uint64_t tail = (value(letters[0]) * 100 + value(letters[1])) * 100;
    const std::uint64_t tailPower = kPowersOfTen[6];
    const int check = 98 - static_cast<int>((total * tailPower + tail) % 97);
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
