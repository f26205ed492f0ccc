// Reads IBANs, one a line, and writes the verdict module's, a line each, for a second opinion to
// be compared with: "valid", or the first check that fails: "iban" (country, length or mod-97
// check digits), "format" (the account part's characters) or "national" (its own check digits,
// a Spanish account's control digits among them).

#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "checkdigits/number_check.h"

namespace {

// The first check that fails, by the verdict module's faults.
std::string_view Verdict(std::string_view iban) {
    using namespace minizol;
    const NumberCheck check = CheckNumber(iban, KindFilter::Iban);
    if (check.verdict == Verdict::Correct) {
        return "valid";
    }
    if (check.verdict != Verdict::Wrong || check.FaultOf(FaultPart::AccountForm) ||
        check.FaultOf(FaultPart::IbanDigits)) {
        return "iban";
    }
    return check.FaultOf(FaultPart::AccountFormat) ? "format" : "national";
}

}  // namespace

int main() {
    for (std::string line; std::getline(std::cin, line);) {
        std::cout << Verdict(line) << '\n';
    }
}
