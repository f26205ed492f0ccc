// Reads IBANs, one a line, and writes a verdict a line for a second opinion to be compared
// with: "valid", or the first check that fails: "iban" (country, length or mod-97 check
// digits), "format" (the account part's characters) or "national" (its own check digits).

#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "checkdigits/bban_format.h"
#include "checkdigits/iban.h"
#include "checkdigits/national_check_digits.h"

namespace {

std::string_view Verdict(std::string_view iban) {
    using namespace minizol;
    const std::optional<IbanCheck> check = CheckIban(iban);
    if (!check || !check->valid) {
        return "iban";
    }
    const std::string_view bban = iban.substr(4);
    if (FindBbanFault(*check->country, bban)) {
        return "format";
    }
    return CheckNationalDigits(*check->country, bban) == NationalCheck::Wrong ? "national"
                                                                              : "valid";
}

}  // namespace

int main() {
    for (std::string line; std::getline(std::cin, line);) {
        std::cout << Verdict(line) << '\n';
    }
}
