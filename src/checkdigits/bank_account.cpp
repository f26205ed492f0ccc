#include "checkdigits/bank_account.h"

#include <array>
#include <utility>

#include "checkdigits/bank_table.h"
#include "checkdigits/iban.h"
#include "common/text_case.h"
#include "common/utf8_text.h"

namespace minizol {
namespace {

constexpr std::size_t kCodeLength = 4;
constexpr std::size_t kAccountLength = 10;

constexpr std::array<int, 8> kBankOfficeWeights = {4, 8, 5, 10, 9, 7, 3, 6};
constexpr std::array<int, 10> kAccountWeights = {1, 2, 4, 8, 5, 10, 9, 7, 3, 6};

// The `width` digits the computation reads from a field: its first `width` characters as digit
// values, zero-filled on the left when it is shorter.
std::string FieldDigits(std::string_view text, std::size_t width) {
    std::string digits;
    for (std::size_t pos = 0; pos < text.size() && digits.size() < width;) {
        const std::size_t length = CharLengthAt(text, pos);
        digits += static_cast<char>('0' + DigitValue(text.substr(pos, length)));
        pos += length;
    }
    digits.insert(0, width - digits.size(), '0');
    return digits;
}

template <std::size_t N>
char ControlDigit(std::string_view digits, const std::array<int, N>& weights) {
    int sum = 0;
    for (std::size_t i = 0; i < N; ++i) {
        sum += weights[i] * (digits[i] - '0');
    }
    const int d = 11 - sum % 11;
    return static_cast<char>('0' + (d == 11 ? 0 : d == 10 ? 1 : d));
}

bool IsPasteSeparator(char c) {
    return c == ' ' || c == '.' || c == '-' || c == '/' || c == '_';
}

// Two letters A to Z, either case.
bool IsCountryCode(std::string_view text) {
    return ValidCountryCode(text) == UpperCase(text);
}

}  // namespace

std::string DigitsOnly(std::string_view text) {
    std::string digits;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    return digits;
}

int DigitValue(std::string_view character) {
    return character.size() == 1 && character[0] >= '0' && character[0] <= '9' ? character[0] - '0'
                                                                               : 0;
}

AccountDigits CalculateAccountDigits(std::string_view bank, std::string_view office,
                                     std::string_view account, std::string_view country) {
    const std::string bankOffice =
        FieldDigits(bank, kCodeLength) + FieldDigits(office, kCodeLength);
    const std::string accountDigits = FieldDigits(account, kAccountLength);
    AccountDigits result;
    result.control = {ControlDigit(bankOffice, kBankOfficeWeights),
                      ControlDigit(accountDigits, kAccountWeights)};
    const std::string code = ValidCountryCode(country);
    result.iban = code + IbanCheckDigits(code, bankOffice + result.control + accountDigits);
    return result;
}

BankRow UpdateBankAccount(const BankFields& fields, std::string_view ibanField,
                          const BankFieldSplit* paste) {
    const bool pasted = paste != nullptr && FieldsHoldPaste(fields, *paste);
    std::string country = CountryOfIbanField(ibanField);
    if (pasted && IsCountryCode(CharSlice(paste->iban, 0, 2))) {
        country = paste->iban.substr(0, 2);
    }
    BankRow row;
    if (fields.bank.empty() && fields.office.empty() && fields.account.empty()) {
        row.iban = std::string(kEmptyAccountIban);
    } else {
        AccountDigits digits =
            CalculateAccountDigits(fields.bank, fields.office, fields.account, country);
        row.control = std::move(digits.control);
        row.iban = std::move(digits.iban);
    }
    row.bankCaption = std::string(BankCaption(fields.bank));
    row.controlRed = pasted && paste->control != row.control;
    row.ibanRed = pasted && !paste->iban.empty() && paste->iban != row.iban;
    return row;
}

BankFieldSplit SplitBankFieldText(std::string_view text) {
    std::string s;
    for (char c : text) {
        if (!IsPasteSeparator(c)) {
            s += c;
        }
    }
    BankFieldSplit split;
    const std::size_t length = CharCount(s);
    if (length == 20 || length == 24) {  // an account: bank, office, control digits, number
        const std::string_view account = length == 20 ? std::string_view(s) : CharSlice(s, 4, 20);
        split.bank = DigitsOnly(CharSlice(account, 0, 4));
        split.office = DigitsOnly(CharSlice(account, 4, 4));
        split.control = CharSlice(account, 8, 2);
        split.account = DigitsOnly(CharSlice(account, 10, 10));
        if (length == 24) {  // behind an IBAN's country code and check digits
            split.iban = UpperCase(CharSlice(s, 0, 4));
        }
    } else if (length > kCodeLength) {
        split.bank = DigitsOnly(CharSlice(s, 0, kCodeLength));
    } else {
        split.bank = DigitsOnly(text);
    }
    return split;
}

bool FieldsHoldPaste(const BankFields& fields, const BankFieldSplit& paste) {
    return paste.office && paste.account && fields.bank == paste.bank &&
           fields.office == *paste.office && fields.account == *paste.account;
}

bool AccountFieldComplete(int index, std::string_view text) {
    return (index == 0 || index == 1) && CharCount(text) == kCodeLength;
}

}  // namespace minizol
