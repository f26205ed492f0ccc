#include "checkdigits/bank_account.h"

#include <algorithm>
#include <array>
#include <utility>

#include "checkdigits/bank_table.h"
#include "checkdigits/iban.h"
#include "checkdigits/number_labels.h"
#include "checkdigits/pasted_text.h"
#include "common/byte_words.h"
#include "common/utf8_text.h"

namespace minizol {
namespace {

constexpr std::size_t kCodeLength = 4;
constexpr std::size_t kAccountLength = 10;

constexpr std::array<int, 8> kBankOfficeWeights = {4, 8, 5, 10, 9, 7, 3, 6};
constexpr std::array<int, 10> kAccountWeights = {1, 2, 4, 8, 5, 10, 9, 7, 3, 6};

// The `width` digits the computation reads from a field into `out`: its first `width` characters
// as digit values, zero-filled on the left when it is shorter.
void FieldDigits(std::string_view text, std::size_t width, char* out) {
    if (text.size() == width && AllDigits(text)) {
        std::copy(text.begin(), text.end(), out);  // a full field, as a whole account's parts are
        return;
    }
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size() && count < width; ++count) {
        const std::size_t length = CharLengthAt(text, pos);
        out[count] = static_cast<char>('0' + DigitValue(text.substr(pos, length)));
        pos += length;
    }
    const std::size_t zeros = width - count;
    for (std::size_t i = count; i-- > 0;) {
        out[i + zeros] = out[i];
    }
    for (std::size_t i = 0; i < zeros; ++i) {
        out[i] = '0';
    }
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

constexpr std::size_t kAccountDigits = 20;
constexpr std::size_t kSpanishIbanLength = 24;
constexpr std::size_t kTypedControlAndAccount = 2 + kAccountLength;

std::size_t FieldWidth(int index) {
    return index == 2 ? kAccountLength : kCodeLength;
}

// Digits that the field can hold: fewer count as zero-filled, more are no account at all.
bool FieldFits(int index, std::string_view text) {
    return AllDigits(text) && text.size() <= FieldWidth(index);
}

constexpr std::string_view kNoAccountReason = "no es un número de cuenta";

// The faults of a whole account's verdict that its IBAN box shows: all but the control digits.
std::string IbanFaults(const NumberCheck& check) {
    std::string text;
    for (const Fault& fault : check.Faults()) {
        if (fault.part != FaultPart::AccountControl) {
            text += text.empty() ? "" : " · ";
            text += fault.text;
        }
    }
    return text;
}

// A foreign IBAN stands in the bank label whole, in its paper form, with its country's name
// where the name fits; the IBAN box shows the check digits its account calls for.
BankRow ForeignIbanRow(const WholeAccount& whole) {
    const std::string& iban = whole.iban;
    BankRow row;
    row.iban = iban.substr(0, 2) + whole.check.control.substr(0, 2);
    row.ibanReason = IbanFaults(whole.check);
    row.ibanRed = whole.check.verdict != Verdict::Correct;
    row.shortCaption = GroupInFours(iban);
    const IbanCountry* country = FindIbanCountry(iban.substr(0, 2));
    row.bankCaption = country != nullptr ? std::string(country->name) + ": " + row.shortCaption
                                         : row.shortCaption;
    if (!row.ibanRed) {
        row.wholeIban = iban;
    }
    return row;
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

namespace {

// The 20 digits of the account the fields hold, their control digits computed: bank and office,
// control digits, account number.
std::array<char, kAccountDigits> AccountWithControl(std::string_view bank, std::string_view office,
                                                    std::string_view account) {
    std::array<char, kAccountDigits> digits{};
    FieldDigits(bank, kCodeLength, digits.data());
    FieldDigits(office, kCodeLength, digits.data() + kCodeLength);
    FieldDigits(account, kAccountLength, digits.data() + 2 * kCodeLength + 2);
    const std::string_view all(digits.data(), digits.size());
    digits[2 * kCodeLength] = ControlDigit(all, kBankOfficeWeights);
    digits[2 * kCodeLength + 1] = ControlDigit(all.substr(2 * kCodeLength + 2), kAccountWeights);
    return digits;
}

}  // namespace

AccountDigits CalculateAccountDigits(std::string_view bank, std::string_view office,
                                     std::string_view account, std::string_view country) {
    const std::array<char, kAccountDigits> digits = AccountWithControl(bank, office, account);
    AccountDigits result;
    result.control = {digits[2 * kCodeLength], digits[2 * kCodeLength + 1]};
    const std::string code = ValidCountryCode(country);
    result.iban = code + IbanCheckDigits(code, std::string_view(digits.data(), digits.size()));
    return result;
}

std::array<char, 2> AccountControlDigits(std::string_view bank, std::string_view office,
                                         std::string_view account) {
    const std::array<char, kAccountDigits> digits = AccountWithControl(bank, office, account);
    return {digits[2 * kCodeLength], digits[2 * kCodeLength + 1]};
}

std::optional<CompactAccount> ReadCompactAccount(std::string_view number) {
    CompactAccount whole;
    const std::optional<std::size_t> size =
        CopyWithoutSeparators(number, whole.text.data(), whole.text.size());
    if (!size) {
        return std::nullopt;  // longer than any IBAN, and than any account
    }
    whole.size = static_cast<std::uint8_t>(*size);
    const std::string_view s = whole.Compact();
    if (s.size() == kSpanishIbanLength && s.starts_with(kDefaultCountry) &&
        AllDigits(s.substr(2))) {
        whole.iban = true;
        whole.accountAt = 4;
    } else if (IsWrittenAsIban(s)) {
        whole.iban = true;  // another country's, or not a right Spanish one: shown as it stands
        return whole;
    } else if (s.size() != kAccountDigits || !AllDigits(s)) {
        return std::nullopt;
    }
    whole.spanish = true;
    return whole;
}

std::optional<WholeAccount> ReadWholeAccount(std::string_view text) {
    std::string buffer;
    const LabelledNumber labelled = ReadLabelledNumber(TidyPastedText(text, buffer));
    if (labelled.label == NumberLabel::Identity || labelled.label == NumberLabel::Isbn) {
        return std::nullopt;
    }
    const std::optional<CompactAccount> compact = ReadCompactAccount(labelled.number);
    if (!compact) {
        return std::nullopt;
    }
    WholeAccount whole;
    whole.iban = compact->Iban();
    if (compact->spanish) {
        whole.fields = BankFields{std::string(compact->Bank()), std::string(compact->Office()),
                                  std::string(compact->AccountNumber())};
        whole.control = compact->Control();
    }
    whole.check = CheckNumber(text, whole.iban.empty() ? KindFilter::Ccc : KindFilter::Iban);
    return whole;
}

AccountFieldEntry ReadAccountField(int index, std::string_view text, const BankFields& fields) {
    AccountFieldEntry entry;
    entry.whole = ReadWholeAccount(text);
    if (entry.whole) {
        return entry;
    }
    entry.text = TidyPastedText(text);
    std::string digits = WithoutSeparators(entry.text);
    if (!AllDigits(digits)) {
        return entry;
    }
    if (index == 2 && digits.size() == kTypedControlAndAccount) {
        WholeAccount whole{
            BankFields{fields.bank, fields.office, digits.substr(2)}, digits.substr(0, 2), "", {}};
        // Checked as the account the computation reads: short codes count zero-filled.
        std::array<char, kAccountDigits> account{};
        FieldDigits(fields.bank, kCodeLength, account.data());
        FieldDigits(fields.office, kCodeLength, account.data() + kCodeLength);
        std::copy(digits.begin(), digits.end(), account.begin() + 2 * kCodeLength);
        whole.check =
            CheckNumber(std::string_view(account.data(), account.size()), KindFilter::Ccc);
        entry.whole = std::move(whole);
    } else if (digits.size() <= FieldWidth(index)) {
        entry.text = std::move(digits);
    }
    return entry;
}

bool FieldsHoldWhole(const BankFields& fields, const WholeAccount& whole) {
    return whole.fields ? fields == *whole.fields : fields == BankFields{};
}

BankRow UpdateBankAccount(const BankFields& fields, std::string_view ibanField,
                          const WholeAccount* whole) {
    const WholeAccount* held =
        whole != nullptr && FieldsHoldWhole(fields, *whole) ? whole : nullptr;
    if (held != nullptr && !held->fields) {
        return ForeignIbanRow(*held);
    }
    BankRow row;
    row.bankCaption = std::string(kUnknownBankCaption);
    if (fields == BankFields{}) {
        row.iban = std::string(kEmptyAccountIban);
        return row;
    }
    // A Spanish IBAN brought whole is checked as Spanish, whatever country the box had.
    const std::string country = held != nullptr && !held->iban.empty()
                                    ? std::string(kDefaultCountry)
                                    : CountryOfIbanField(ibanField);
    if (!FieldFits(0, fields.bank) || !FieldFits(1, fields.office) ||
        !FieldFits(2, fields.account)) {
        row.iban = country + "00";  // no account to compute the digits of
        row.controlRed = row.ibanRed = true;
        row.controlReason = row.ibanReason = kNoAccountReason;
        return row;
    }
    AccountDigits digits =
        CalculateAccountDigits(fields.bank, fields.office, fields.account, country);
    row.control = std::move(digits.control);
    row.iban = std::move(digits.iban);
    row.bankCaption = std::string(BankCaption(fields.bank));
    row.bic = BankBic(BankCodeOfField(fields.bank).value_or(-1)).value_or("");
    if (held != nullptr) {
        // The IBAN's own check covers the account as written, its control digits included: a
        // wrong control digit is the control box's to show.
        if (const Fault* fault = held->check.FaultOf(FaultPart::AccountControl)) {
            row.controlRed = true;
            row.controlReason = fault->text;
        }
        if (!held->iban.empty()) {
            row.iban = country + held->check.control.substr(0, 2);
        }
        row.ibanReason = IbanFaults(held->check);
        row.ibanRed = !row.ibanReason.empty();
    }
    const bool complete = fields.bank.size() == kCodeLength &&
                          fields.office.size() == kCodeLength &&
                          fields.account.size() == kAccountLength;
    if (complete && !row.controlRed && !row.ibanRed) {
        row.wholeIban = row.iban + fields.bank + fields.office + row.control + fields.account;
    }
    return row;
}

bool AccountFieldComplete(int index, std::string_view text) {
    return (index == 0 || index == 1) && CharCount(text) == kCodeLength;
}

std::size_t AccountTypingLimit(int index) {
    return index == 2 ? kTypedControlAndAccount : FieldWidth(index);
}

}  // namespace minizol
