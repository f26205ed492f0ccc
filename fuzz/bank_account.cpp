// The account row on any text: the bank field's paste splitting and the paste's own digits, the
// control digits and IBAN of any three fields. Input: the bank field's text, then "|" office "|"
// account "|" the IBAN field; the whole input is also pasted into the bank field.
#include "checkdigits/bank_account.h"

#include <cstdint>
#include <string>

#include "checkdigits/iban.h"
#include "fuzz_support.h"

namespace minizol::fuzz {
namespace {

void CheckSplit(std::string_view text) {
    const BankFieldSplit split = SplitBankFieldText(text);
    const std::string detail = Quoted(text);
    FUZZ_CHECK(split.office.has_value() == split.account.has_value(), detail);
    FUZZ_CHECK(AllDigits(split.bank) && split.bank.size() <= 4, detail);
    if (split.office) {
        FUZZ_CHECK(AllDigits(*split.office) && split.office->size() <= 4, detail);
        FUZZ_CHECK(AllDigits(*split.account) && split.account->size() <= 10, detail);
    }
    // What the field keeps is final: handled again it stays as it is.
    const BankFieldSplit again = SplitBankFieldText(split.bank);
    FUZZ_CHECK(again.bank == split.bank && !again.office, detail);
}

// Validates an IBAN the way a receiving bank does (ISO 13616): country code and check digits
// moved to the end, letters as 10 to 35, and the whole number taken modulo 97 must be 1. The
// number is reduced nine digits at a time, independently of how the tool computes the digits.
bool IbanIsValid(std::string_view iban) {
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

// Validates the two control digits of a Spanish account: the weighted sum of "00" + bank +
// office (then of the account) plus its control digit is a multiple of 11, a control 1 also
// standing for 10.
bool ControlDigitValid(std::string_view tenDigits, char control) {
    static constexpr int kWeights[10] = {1, 2, 4, 8, 5, 10, 9, 7, 3, 6};
    int sum = 0;
    for (std::size_t i = 0; i < 10; ++i) {
        sum += kWeights[i] * (tenDigits[i] - '0');
    }
    const int d = control - '0';
    return (sum + d) % 11 == 0 || (d == 1 && (sum + 10) % 11 == 0);
}

std::string FitDigits(std::string_view text, std::size_t width) {
    std::string digits = DigitsOnly(text).substr(0, width);
    return std::string(width - digits.size(), '0') + digits;
}

void CheckDigits(std::string_view bank, std::string_view office, std::string_view account,
                 std::string_view ibanField) {
    const std::string country = CountryOfIbanField(ibanField);
    const AccountDigits digits = CalculateAccountDigits(bank, office, account, country);
    const std::string detail = Quoted(std::string(bank) + "|" + std::string(office) + "|" +
                                      std::string(account) + "|" + country) +
                               " give " + digits.control + " " + digits.iban;
    const std::string_view check = std::string_view(digits.iban).substr(2);
    FUZZ_CHECK(digits.control.size() == 2 && AllDigits(digits.control), detail);
    FUZZ_CHECK(digits.iban.size() == 4 && digits.iban.starts_with(country) && AllDigits(check) &&
                   check >= "02" && check <= "98",
               detail);

    // Fields of digits only are read by their first digits, zero-filled; the completed account
    // and IBAN are then valid, and pasting them back gives the same fields.
    if (!AllDigits(bank) || !AllDigits(office) || !AllDigits(account)) {
        return;
    }
    const std::string b = FitDigits(bank, 4);
    const std::string o = FitDigits(office, 4);
    const std::string a = FitDigits(account, 10);
    const AccountDigits full = CalculateAccountDigits(b, o, a, country);
    FUZZ_CHECK(full.control == digits.control && full.iban == digits.iban, detail);
    const std::string ccc = b + o + full.control + a;
    FUZZ_CHECK(ControlDigitValid("00" + b + o, full.control[0]) &&
                   ControlDigitValid(a, full.control[1]) && IbanIsValid(full.iban + ccc),
               detail + " IBAN " + full.iban + ccc);

    const std::string pasted = b + " " + o + "-" + full.control + "/" + a;
    const BankFieldSplit split = SplitBankFieldText(pasted);
    FUZZ_CHECK(split.bank == b && split.office == o && split.account == a, Quoted(pasted));
    const std::string iban = full.iban + ccc.substr(0, 4) + " " + ccc.substr(4, 4) + " " +
                             ccc.substr(8, 4) + " " + ccc.substr(12, 4) + " " + ccc.substr(16);
    const BankFieldSplit fromIban = SplitBankFieldText(iban);
    FUZZ_CHECK(fromIban.bank == b && fromIban.office == o && fromIban.account == a, Quoted(iban));
}

// The paste's own digits are red exactly when they fail a bank's checks, and never once edited.
void CheckPastedDigits(std::string_view text) {
    const BankFieldSplit split = SplitBankFieldText(text);
    if (!split.office) {
        return;
    }
    const BankFields fields{split.bank, *split.office, *split.account};
    const BankRow row = UpdateBankAccount(fields, "ES00", &split);
    const std::string detail =
        Quoted(text) + (row.controlRed ? " control red" : "") + (row.ibanRed ? " IBAN red" : "");
    const BankRow edited =
        UpdateBankAccount({fields.bank, fields.office + "0", fields.account}, "ES00", &split);
    FUZZ_CHECK(!edited.controlRed && !edited.ibanRed && (!row.ibanRed || !split.iban.empty()),
               detail);
    const std::string_view c = split.control;
    if (fields.bank.size() + fields.office.size() + fields.account.size() != 18 || !AllDigits(c)) {
        FUZZ_CHECK(AllDigits(c) || row.controlRed, detail);
        return;  // non-digits were dropped from the fields
    }
    FUZZ_CHECK(row.controlRed != (ControlDigitValid("00" + fields.bank + fields.office, c[0]) &&
                                  ControlDigitValid(fields.account, c[1])),
               detail);
    const std::string_view iban = split.iban;
    const bool wellFormed =
        iban.size() == 4 && iban.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == 2 &&
        AllDigits(iban.substr(2)) && iban.substr(2) >= "02" && iban.substr(2) <= "98";
    const std::string account = fields.bank + fields.office + row.control + fields.account;
    FUZZ_CHECK(iban.empty() || row.ibanRed != (wellFormed && IbanIsValid(split.iban + account)),
               detail);
}

}  // namespace
}  // namespace minizol::fuzz

FUZZ_TARGET(input) {
    CheckSplit(input.rest());
    CheckPastedDigits(input.rest());
    const BankFields fields{std::string(input.Field()), std::string(input.Field()),
                            std::string(input.Field())};
    const std::string_view ibanField = input.TakeRest();
    CheckDigits(fields.bank, fields.office, fields.account, ibanField);
}
