// The account row on any text: a paste into its fields (a whole account or IBAN of any country,
// or anything else), a printed account typed straight through, and the control digits and IBAN
// of any three fields. Input: the bank field's text, then "|" office "|" account "|" the IBAN
// field; the whole input is also pasted, and its first 20 digits typed.
#include "checkdigits/bank_account.h"

#include <cstdint>
#include <string>

#include "checkdigits/iban.h"
#include "checkdigits/iban_countries.h"
#include "checkdigits/national_check_digits.h"
#include "checkdigits/number_labels.h"
#include "checkdigits/pasted_text.h"
#include "fuzz_support.h"

namespace minizol::fuzz {
namespace {

// Validates an IBAN the way a receiving bank does (ISO 13616): check digits 02 to 98, country
// code and check digits moved to the end, letters as 10 to 35, and the whole number taken
// modulo 97 must be 1. The number is reduced nine digits at a time, independently of how the
// tool computes the digits.
bool IbanIsValid(std::string_view iban) {
    if (iban.size() < 4 || !AllDigits(iban.substr(2, 2)) || iban.substr(2, 2) < "02" ||
        iban.substr(2, 2) > "98") {
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

// Whether an account part has the characters its country's registry notation asks for, read
// from the notation itself ("4!a15!c": four letters, then fifteen digits or letters), apart
// from how the tool stores it.
bool FitsNotation(std::string_view notation, std::string_view bban) {
    std::size_t pos = 0;
    while (!notation.empty()) {
        const std::size_t bang = notation.find('!');
        const std::size_t count = std::stoul(std::string(notation.substr(0, bang)));
        const char kind = notation[bang + 1];
        notation.remove_prefix(bang + 2);
        for (std::size_t i = 0; i < count; ++i, ++pos) {
            if (pos >= bban.size()) {
                return false;
            }
            const char c = bban[pos];
            const bool digit = c >= '0' && c <= '9';
            const bool letter = c >= 'A' && c <= 'Z';
            if ((kind == 'n' && !digit) || (kind == 'a' && !letter) || !(digit || letter)) {
                return false;
            }
        }
    }
    return pos == bban.size();
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

bool AccountValid(std::string_view twenty) {
    return ControlDigitValid("00" + std::string(twenty.substr(0, 8)), twenty[8]) &&
           ControlDigitValid(twenty.substr(10), twenty[9]);
}

std::string FitDigits(std::string_view text, std::size_t width) {
    std::string digits = DigitsOnly(text).substr(0, width);
    return std::string(width - digits.size(), '0') + digits;
}

std::string Joined(const BankFields& f) {
    return f.bank + "|" + f.office + "|" + f.account;
}

std::string Described(std::string_view text, const BankFields& fields, const BankRow& row) {
    return Quoted(text) + " fields " + Joined(fields) + " control " + row.control + " IBAN " +
           row.iban + (row.controlRed ? " control red" : "") + (row.ibanRed ? " IBAN red" : "");
}

// A paste into the bank field, as the window takes it: a whole account or IBAN replaces the
// row's account, anything else lands in the field.
void CheckPaste(std::string_view text) {
    const std::string tidy = TidyPastedText(text);
    const std::optional<WholeAccount> whole = ReadWholeAccount(tidy);
    BankFields fields;
    if (whole) {
        fields = whole->fields.value_or(BankFields{});
    } else {
        const AccountFieldEntry entry = ReadAccountField(0, tidy, {});
        FUZZ_CHECK(!entry.whole, Quoted(text));
        // Handled again, what the field keeps stays as it is.
        FUZZ_CHECK(ReadAccountField(0, entry.text, {}).text == entry.text, Quoted(text));
        fields.bank = entry.text;
    }
    const BankRow row = UpdateBankAccount(fields, "ES00", whole ? &*whole : nullptr);
    const std::string detail = Described(text, fields, row);
    const bool red = row.controlRed || row.ibanRed;
    // What "Copiar" gives of the IBAN box is a right IBAN, and nothing while the row is red.
    FUZZ_CHECK(row.wholeIban.empty() || (!red && IbanIsValid(row.wholeIban)), detail);

    // Red exactly when the IBAN fails a bank's check, is not of its country's length, has a
    // character its country's format does not allow there, or fails the country's own digits.
    const LabelledNumber labelled = ReadLabelledNumber(tidy);
    const std::string compact = WithoutSeparators(labelled.number);
    if (whole && !whole->iban.empty() && labelled.bic.empty()) {
        const IbanCountry* country = FindIbanCountry(compact.substr(0, 2));
        const bool rightLength =
            country != nullptr && compact.size() == static_cast<std::size_t>(country->length);
        const bool fits = rightLength && FitsNotation(country->bban.notation, compact.substr(4));
        const bool national =
            !fits || compact.starts_with("ES") ||
            CheckNationalDigits(*country, compact.substr(4)) != NationalCheck::Wrong;
        FUZZ_CHECK(row.ibanRed != (rightLength && IbanIsValid(compact) && fits && national),
                   detail);
    }
    if (whole && whole->fields) {
        const std::string twenty = whole->iban.empty() ? compact : compact.substr(4);
        FUZZ_CHECK(row.controlRed != AccountValid(twenty), detail);
    }

    // Every digit and letter the paste carried is shown, or the row is red.
    if (!red) {
        std::string shown;
        if (whole && !whole->fields) {
            shown = WithoutSeparators(row.shortCaption);
        } else if (whole) {
            shown = (whole->iban.empty() ? "" : row.iban) + fields.bank + fields.office +
                    row.control + fields.account;
        } else {
            shown = WithoutSeparators(fields.bank);
            FUZZ_CHECK(shown == WithoutSeparators(tidy), detail);
        }
        FUZZ_CHECK(shown == (whole ? compact : WithoutSeparators(tidy)),
                   detail + " shows " + shown);
    }

    // Once edited, the number is the user's own: nothing it carried is checked any more.
    if (whole) {
        const BankFields edited{fields.bank, fields.office.substr(0, 3), fields.account};
        const BankRow after = UpdateBankAccount(
            edited == BankFields{} ? BankFields{"1", "", ""} : edited, "ES00", &*whole);
        FUZZ_CHECK(!after.controlRed && !after.ibanRed, detail);
    }
}

// A printed account typed straight through: 4 digits, 4 more, then 12 into the account number
// field, which holds the control digits typed before the number. Nothing is lost, and the typed
// control digits are red exactly when they are wrong.
void CheckTypedThrough(std::string_view text) {
    const std::string digits = DigitsOnly(text);
    if (digits.size() < 20) {
        return;
    }
    const std::string twenty = digits.substr(0, 20);
    const BankFields typed{twenty.substr(0, 4), twenty.substr(4, 4), ""};
    const AccountFieldEntry entry = ReadAccountField(2, twenty.substr(8), typed);
    FUZZ_CHECK(entry.whole && entry.whole->fields, Quoted(twenty));
    const BankFields fields = *entry.whole->fields;
    const BankRow row = UpdateBankAccount(fields, "ES00", &*entry.whole);
    const std::string detail = Described(twenty, fields, row);
    FUZZ_CHECK(row.controlRed != AccountValid(twenty), detail);
    FUZZ_CHECK(
        row.controlRed || fields.bank + fields.office + row.control + fields.account == twenty,
        detail);
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
    FUZZ_CHECK(AccountValid(ccc) && IbanIsValid(full.iban + ccc),
               detail + " IBAN " + full.iban + ccc);

    const BankFields expected{b, o, a};
    const std::string pasted = b + " " + o + "-" + full.control + "/" + a;
    const std::optional<WholeAccount> fromAccount = ReadWholeAccount(pasted);
    FUZZ_CHECK(fromAccount && fromAccount->fields == expected, Quoted(pasted));
    const std::string iban = "ES" + CalculateAccountDigits(b, o, a, "ES").iban.substr(2) + ccc;
    const std::optional<WholeAccount> fromIban = ReadWholeAccount(GroupInFours(iban));
    FUZZ_CHECK(fromIban && fromIban->fields == expected, Quoted(iban));
}

}  // namespace
}  // namespace minizol::fuzz

FUZZ_TARGET(input) {
    CheckPaste(input.rest());
    CheckTypedThrough(input.rest());
    const BankFields fields{std::string(input.Field()), std::string(input.Field()),
                            std::string(input.Field())};
    const std::string_view ibanField = input.TakeRest();
    CheckDigits(fields.bank, fields.office, fields.account, ibanField);
}
