#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace minizol {

// The longest account part (BBAN) of any IBAN: 34 characters less the country code and the IBAN
// check digits. A bit a character fits in a 32-bit word.
inline constexpr std::size_t kLongestBban = 30;

// What each character of a country's account part (BBAN) may be, as the IBAN registry writes it:
// runs such as "4!n" (four digits), "4!a" (four upper-case letters) and "4!c" (four of either).
struct BbanFormat {
    std::string_view notation;  // "4!n4!n1!n1!n10!n"
    std::uint8_t length = 0;
    std::uint32_t digits = 0;   // bit i: character i is a digit
    std::uint32_t letters = 0;  // bit i: character i is an upper-case letter A to Z
};

// A registry notation read at compile time: a notation that is not one does not compile.
consteval BbanFormat ParseBbanFormat(std::string_view notation) {
    BbanFormat format{notation};
    std::size_t at = 0;
    while (at < notation.size()) {
        std::size_t count = 0;
        for (; at < notation.size() && notation[at] >= '0' && notation[at] <= '9'; ++at) {
            count = count * 10 + static_cast<std::size_t>(notation[at] - '0');
        }
        // Only fixed lengths ("!") occur in the registry's account parts.
        if (count == 0 || at + 1 >= notation.size() || notation[at] != '!') {
            throw "a run is written as a length, '!' and n, a or c";
        }
        const char kind = notation[at + 1];
        at += 2;
        if (format.length + count > kLongestBban) {
            throw "longer than any account part";
        }
        const std::uint32_t run = ((std::uint32_t{1} << count) - 1) << format.length;
        if (kind == 'n') {
            format.digits |= run;
        } else if (kind == 'a') {
            format.letters |= run;
        } else if (kind != 'c') {
            throw "a run holds digits (n), letters (a) or either (c)";
        }
        format.length = static_cast<std::uint8_t>(format.length + count);
    }
    return format;
}

// The first character of an account part that its format does not allow.
struct BbanFault {
    std::size_t position;  // from 0, in the account part
    enum class Expected : std::uint8_t { Digit, Letter, Alphanumeric } expected;

    bool operator==(const BbanFault&) const = default;
};

struct IbanCountry;

// Whether an account part (the IBAN from its fifth character on) fits its country's format:
// nothing when it does. A text shorter than the format lacks the characters past its end; one
// longer is read up to the format's length, its length being the IBAN's own check.
std::optional<BbanFault> FindBbanFault(const IbanCountry& country, std::string_view bban);

}  // namespace minizol
