// The country code of the IBAN: any typed answer gives two capital letters, "ES" unless the
// answer was two ASCII letters, and the check digits computed for any domestic number then
// make a valid IBAN. Input: the answer, "|", the domestic account number.
#include <string>

#include "checkdigits/bank_account.h"
#include "checkdigits/iban.h"
#include "common/utf8_text.h"
#include "fuzz_support.h"
#include "iban_validation.h"

namespace minizol::fuzz {
namespace {

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

void CheckCode(std::string_view answer) {
    const std::string code = ValidCountryCode(answer);
    const std::string detail = Quoted(answer) + " gives " + Quoted(code);
    const bool letters = answer.size() == 2 && IsLetter(answer[0]) && IsLetter(answer[1]);
    FUZZ_CHECK(code == (letters ? std::string{Upper(answer[0]), Upper(answer[1])}
                                : std::string(kDefaultCountry)),
               detail);
    FUZZ_CHECK(ValidCountryCode(code) == code, detail);

    const std::string fieldCountry = CountryOfIbanField(answer);
    FUZZ_CHECK(fieldCountry == ValidCountryCode(CharSlice(answer, 0, 2)),
               Quoted(answer) + " as IBAN field gives " + Quoted(fieldCountry));
    FUZZ_CHECK(CountryOfIbanField(fieldCountry + std::string(answer)) == fieldCountry,
               Quoted(answer) + " as IBAN field gives " + Quoted(fieldCountry));
}

}  // namespace
}  // namespace minizol::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace minizol;
    using namespace minizol::fuzz;
    Input input(data, size);
    CheckCode(input.rest());
    const std::string_view answer = input.Field();
    const std::string_view domestic = input.TakeRest();
    CheckCode(answer);

    const std::string country = ValidCountryCode(answer);
    const std::string check = IbanCheckDigits(answer, domestic);
    const std::string detail =
        Quoted(answer) + " " + Quoted(domestic) + " give check digits " + Quoted(check);
    FUZZ_CHECK(check.size() == 2 && check >= "02" && check <= "98", detail);
    FUZZ_CHECK(IbanCheckDigits(country, DigitsOnly(domestic)) == check, detail);
    const std::string iban = country + check + DigitsOnly(domestic);
    FUZZ_CHECK(IbanIsValid(iban), detail + " IBAN " + iban);
    return 0;
}
