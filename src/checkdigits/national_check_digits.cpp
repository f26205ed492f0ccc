#include "checkdigits/national_check_digits.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/text_case.h"

namespace minizol {
namespace {

// The account parts these read fit their formats: where a digit is read, there is one.
int Digit(char c) {
    return c - '0';
}

bool IsLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

// A digit or letter as ISO 7064 and the IBAN count it: 0 to 9, then A = 10 to Z = 35.
int AlphanumericValue(char c) {
    return IsAsciiDigit(c) ? Digit(c) : IsLetter(c) ? c - 'A' + 10 : 0;
}

// A letter of a French RIB: the nine digits 1 to 9 over A to I, again over J to R, and 2 to 9
// over S to Z, as on the old punched cards.
int RibValue(char c) {
    if (!IsLetter(c)) {
        return Digit(c);
    }
    const int letter = c - 'A';
    return letter < 9 ? letter + 1 : letter < 18 ? letter - 8 : letter - 16;
}

// The remainder mod 97 of the number a text stands for, a character of value 10 or more taking
// two decimal places. Reduced only when two more places could overflow it, as the IBAN's own
// digits are: a division a character would make the account wait on each.
template <typename Value>
int Remainder97(std::string_view text, Value value) {
    constexpr std::uint64_t kReduceFrom = std::uint64_t{1} << 56;
    std::uint64_t number = 0;
    for (char c : text) {
        const auto v = static_cast<std::uint64_t>(value(c));
        number = number * (v < 10 ? 10 : 100) + v;
        if (number >= kReduceFrom) {
            number %= 97;
        }
    }
    return static_cast<int>(number % 97);
}

// The digits times the weights, the last weight under the last digit: leading zeros of an
// account count for nothing, however many the format adds.
int WeightedSum(std::string_view digits, std::span<const int> weights) {
    const std::span<const int> aligned = weights.last(digits.size());
    int sum = 0;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        sum += Digit(digits[i]) * aligned[i];
    }
    return sum;
}

// ISO 7064 MOD 97-10: the number, its check digits included, leaves 1.
bool Mod97_10(std::string_view bban) {
    return Remainder97(bban, AlphanumericValue) == 1;
}

// ISO 7064 MOD 11-10, its check digit last.
bool Mod11_10(std::string_view digits) {
    int product = 10;
    int sum = 0;
    for (char c : digits) {
        sum = (product + Digit(c)) % 10;
        if (sum == 0) {
            sum = 10;
        }
        product = sum * 2 % 11;
    }
    return sum == 1;
}

// Luhn, its check digit last: every second digit from the right doubled, the sum a multiple of
// ten.
bool Luhn(std::string_view digits) {
    int sum = 0;
    bool doubled = false;
    for (auto c = digits.rbegin(); c != digits.rend(); ++c) {
        int d = Digit(*c);
        if (doubled) {
            d = d * 2 > 9 ? d * 2 - 9 : d * 2;
        }
        sum += d;
        doubled = !doubled;
    }
    return sum % 10 == 0;
}

// Spain's CCC: bank (4), office (4), two control digits, account (10). The first control digit
// covers the bank and the office, the second the account, each 11 less its weighted sum mod 11,
// 11 written 0 and 10 written 1.
int SpanishControlDigit(std::string_view digits) {
    static constexpr int kWeights[] = {1, 2, 4, 8, 5, 10, 9, 7, 3, 6};
    const int digit = 11 - WeightedSum(digits, kWeights) % 11;
    return digit == 11 ? 0 : digit == 10 ? 1 : digit;
}

bool SpanishCcc(std::string_view bban) {
    return Digit(bban[8]) == SpanishControlDigit(bban.substr(0, 8)) &&
           Digit(bban[9]) == SpanishControlDigit(bban.substr(10));
}

// Belgium: the last two digits are the first ten's remainder mod 97, 97 for none.
bool Belgian(std::string_view bban) {
    const int remainder = Remainder97(bban.substr(0, 10), Digit);
    return (remainder == 0 ? 97 : remainder) == Digit(bban[10]) * 10 + Digit(bban[11]);
}

// France, Monaco and the RIBs modelled on theirs: bank, branch, account and key read as one
// number, the account's letters as RibValue counts them, are a multiple of 97.
bool RibKey(std::string_view bban) {
    return Remainder97(bban, RibValue) == 0;
}

// Italy and San Marino: the CIN letter in front, from the 22 characters after it. Characters in
// odd places (the first, the third ...) count by a table of their own, the others as their place
// in the alphabet; a digit counts as the letter at its place (0 as A). The sum mod 26 is the
// letter.
bool ItalianCin(std::string_view bban) {
    static constexpr int kOddPlace[26] = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                          20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
    int sum = 0;
    for (std::size_t i = 1; i < bban.size(); ++i) {
        const char c = bban[i];
        const int place = IsAsciiDigit(c) ? Digit(c) : IsLetter(c) ? c - 'A' : 0;
        sum += i % 2 == 1 ? kOddPlace[place] : place;
    }
    return bban[0] == 'A' + sum % 26;
}

// Norway: the eleventh digit makes the sum under 5, 4, 3, 2, 7, 6, 5, 4, 3, 2, 1 a multiple of
// 11. Numbers that would need a check digit of 10 are not given out.
bool Norwegian(std::string_view bban) {
    static constexpr int kWeights[] = {5, 4, 3, 2, 7, 6, 5, 4, 3, 2, 1};
    return WeightedSum(bban, kWeights) % 11 == 0;
}

// Czech Republic and Slovakia: after the bank code, a prefix (6) and an account number (10),
// each a multiple of 11 under its weights.
bool CzechOrSlovak(std::string_view bban) {
    static constexpr int kWeights[] = {6, 3, 7, 9, 10, 5, 8, 4, 2, 1};
    return WeightedSum(bban.substr(4, 6), kWeights) % 11 == 0 &&
           WeightedSum(bban.substr(10), kWeights) % 11 == 0;
}

// Iceland: the last ten digits are the holder's kennitala, whose ninth digit makes its first
// nine a multiple of 11 under 3, 2, 7, 6, 5, 4, 3, 2, 1. The tenth is its century.
bool IcelandicKennitala(std::string_view bban) {
    static constexpr int kWeights[] = {3, 2, 7, 6, 5, 4, 3, 2, 1};
    return WeightedSum(bban.substr(12, 9), kWeights) % 11 == 0;
}

// 9, 7, 3, 1 over and over, the check digit under the last 1: the sum a multiple of ten.
constexpr int kHungarianWeights[] = {9, 7, 3, 1, 9, 7, 3, 1, 9, 7, 3, 1, 9, 7, 3, 1};

// Hungary: the bank and branch (7) and their check digit, then the account (15) and its own.
bool Hungarian(std::string_view bban) {
    return WeightedSum(bban.substr(0, 8), kHungarianWeights) % 10 == 0 &&
           WeightedSum(bban.substr(8), kHungarianWeights) % 10 == 0;
}

// Albania: the bank and branch (7) with a check digit under the same weights as Hungary's.
bool Albanian(std::string_view bban) {
    return WeightedSum(bban.substr(0, 8), kHungarianWeights) % 10 == 0;
}

// Poland: the bank's sort code, bank and branch (7) and a check digit, under 3, 9, 7, 1 ...
bool Polish(std::string_view bban) {
    static constexpr int kWeights[] = {3, 9, 7, 1, 3, 9, 7, 1};
    return WeightedSum(bban.substr(0, 8), kWeights) % 10 == 0;
}

// Estonia: after the bank code, the domestic account, whose last digit makes the sum under 7, 3,
// 1 from the right (and 1 under the check digit) a multiple of ten.
bool Estonian(std::string_view bban) {
    static constexpr int kWeights[] = {7, 1, 3, 7, 1, 3, 7, 1, 3, 7, 1, 3, 7, 1};
    return WeightedSum(bban.substr(2), kWeights) % 10 == 0;
}

// Croatia: the bank's code (7) and the account (10) each end in a MOD 11-10 check digit.
bool Croatian(std::string_view bban) {
    return Mod11_10(bban.substr(0, 7)) && Mod11_10(bban.substr(7));
}

struct NationalRule {
    std::string_view code;
    bool (*right)(std::string_view bban);
    std::string_view fault;
};

constexpr auto kRules = std::to_array<NationalRule>({
    {"AL", Albanian, "la cifra de control albanesa no cuadra"},
    {"BA", Mod97_10, "las cifras de control bosnias no cuadran"},
    {"BE", Belgian, "las cifras de control belgas no cuadran"},
    {"CZ", CzechOrSlovak, "las cifras de control checas no cuadran"},
    {"EE", Estonian, "la cifra de control estonia no cuadra"},
    {"ES", SpanishCcc, "los dígitos de control de la cuenta no cuadran"},
    {"FI", Luhn, "la cifra de control finlandesa no cuadra"},
    {"FR", RibKey, "la clave RIB francesa no cuadra"},
    {"HR", Croatian, "las cifras de control croatas no cuadran"},
    {"HU", Hungarian, "las cifras de control húngaras no cuadran"},
    {"IS", IcelandicKennitala, "la kennitala islandesa no cuadra"},
    {"IT", ItalianCin, "el CIN italiano no cuadra"},
    {"MC", RibKey, "la clave RIB monegasca no cuadra"},
    {"ME", Mod97_10, "las cifras de control montenegrinas no cuadran"},
    {"MK", Mod97_10, "las cifras de control macedonias no cuadran"},
    {"MR", RibKey, "la clave RIB mauritana no cuadra"},
    {"NO", Norwegian, "la cifra de control noruega no cuadra"},
    {"PL", Polish, "la cifra de control polaca no cuadra"},
    {"PT", Mod97_10, "las cifras de control del NIB portugués no cuadran"},
    {"RS", Mod97_10, "las cifras de control serbias no cuadran"},
    {"SI", Mod97_10, "las cifras de control eslovenas no cuadran"},
    {"SK", CzechOrSlovak, "las cifras de control eslovacas no cuadran"},
    {"SM", ItalianCin, "el CIN sanmarinense no cuadra"},
    {"TL", Mod97_10, "las cifras de control timorenses no cuadran"},
    {"TN", RibKey, "la clave RIB tunecina no cuadra"},
});

constexpr std::size_t kLetters = 26;

// Each pair of letters names its rule, counted from 1, or 0 for none: found with one look-up.
constexpr std::array<std::uint8_t, kLetters* kLetters> kRuleIndex = [] {
    std::array<std::uint8_t, kLetters * kLetters> index{};
    for (std::size_t i = 0; i < kRules.size(); ++i) {
        const std::string_view code = kRules[i].code;
        index[static_cast<std::size_t>(code[0] - 'A') * kLetters +
              static_cast<std::size_t>(code[1] - 'A')] = static_cast<std::uint8_t>(i + 1);
    }
    return index;
}();

const NationalRule* FindRule(const IbanCountry& country) {
    const std::string_view code = country.code;
    if (code.size() != 2 || !IsLetter(code[0]) || !IsLetter(code[1])) {
        return nullptr;
    }
    const std::uint8_t found = kRuleIndex[static_cast<std::size_t>(code[0] - 'A') * kLetters +
                                          static_cast<std::size_t>(code[1] - 'A')];
    return found == 0 ? nullptr : &kRules[found - 1];
}

}  // namespace

NationalCheck CheckNationalDigits(const IbanCountry& country, std::string_view bban) {
    const NationalRule* rule = FindRule(country);
    if (rule == nullptr) {
        return NationalCheck::None;
    }
    if (bban.size() != country.bban.length) {
        return NationalCheck::Wrong;
    }
    return rule->right(bban) ? NationalCheck::Right : NationalCheck::Wrong;
}

std::string_view NationalDigitsFault(const IbanCountry& country) {
    const NationalRule* rule = FindRule(country);
    return rule == nullptr ? std::string_view() : rule->fault;
}

}  // namespace minizol
