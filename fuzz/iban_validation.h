#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace minizol::fuzz {

// Validates an IBAN the way a receiving bank does (ISO 13616): country code and check digits
// moved to the end, letters as 10 to 35, and the whole number taken modulo 97 must be 1. The
// number is reduced nine digits at a time, independently of how the tool computes the digits.
inline bool IbanIsValid(std::string_view iban) {
    if (iban.size() < 4) {
        return false;
    }
    std::string digits;
    const std::string rearranged = std::string(iban.substr(4)) + std::string(iban.substr(0, 4));
    for (const char c : rearranged) {
        if (c >= '0' && c <= '9') {
            digits += c;
        } else if (c >= 'A' && c <= 'Z') {
            digits += std::to_string(c - 'A' + 10);
        } else {
            return false;
        }
    }
    std::uint64_t remainder = 0;
    for (std::size_t pos = 0; pos < digits.size(); pos += 9) {
        const std::string chunk = std::to_string(remainder) + digits.substr(pos, 9);
        remainder = std::stoull(chunk) % 97;
    }
    return remainder == 1;
}

}  // namespace minizol::fuzz
