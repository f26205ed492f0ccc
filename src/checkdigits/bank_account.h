#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "checkdigits/iban_countries.h"
#include "checkdigits/number_check.h"

namespace minizol {

// A Spanish bank account as typed into its three fields: bank (entity) code, office code and
// account number. The two control digits between office and account are always computed.
struct BankFields {
    std::string bank;
    std::string office;
    std::string account;

    bool operator==(const BankFields&) const = default;
};

// The text with every character other than "0" to "9" removed.
std::string DigitsOnly(std::string_view text);

// The value of a one-character text: 0 to 9 for a decimal digit, 0 for anything else.
int DigitValue(std::string_view character);

struct AccountDigits {
    std::string control;  // the two control digits, e.g. "45"
    std::string iban;     // country code and IBAN check digits, e.g. "ES91"
};

// Short fields count as zero-filled on the left (the fields themselves keep what was typed); a
// field longer than 4 (bank, office) or 10 (account) characters counts by its first ones, and a
// character that is not a digit counts as 0.
AccountDigits CalculateAccountDigits(std::string_view bank, std::string_view office,
                                     std::string_view account, std::string_view country);

// The two control digits alone, the fields read as CalculateAccountDigits reads them.
std::array<char, 2> AccountControlDigits(std::string_view bank, std::string_view office,
                                         std::string_view account);

inline constexpr std::string_view kEmptyAccountIban = "ES00";

// A whole account number brought to the row at once: pasted, dropped or typed in one go. The
// row shows its verdict while the fields hold it.
struct WholeAccount {
    std::optional<BankFields> fields;  // a Spanish account: what its three fields take
    std::string control;               // a Spanish account's control digits, as brought
    std::string iban;   // the IBAN it was written as, without separators; "" for a bare account
    NumberCheck check;  // what the verdict module says of it
};

// A whole account read from a tidied text (TidyPastedText), held without separators in place.
struct CompactAccount {
    std::array<char, kLongestIban> text{};  // the account or IBAN without separators
    std::uint8_t size = 0;
    std::uint8_t accountAt = 0;  // where a Spanish account's 20 digits start in `text`
    bool iban = false;           // written as an IBAN
    bool spanish = false;        // a Spanish account, whose fields the row takes

    std::string_view Compact() const { return {text.data(), size}; }
    std::string_view Iban() const { return iban ? Compact() : std::string_view(); }
    // A Spanish account's parts: bank, office, control digits and account number.
    std::string_view Bank() const { return Compact().substr(accountAt, 4); }
    std::string_view Office() const { return Compact().substr(accountAt + 4u, 4); }
    std::string_view Control() const { return Compact().substr(accountAt + 8u, 2); }
    std::string_view AccountNumber() const { return Compact().substr(accountAt + 10u); }
};

// A tidied number without its labels (ReadLabelledNumber) read as a whole account, without a
// copy.
std::optional<CompactAccount> ReadCompactAccount(std::string_view number);

// Any text read as a whole account: the 20 digits of a Spanish account, "ES" and the 22 digits
// of a Spanish IBAN, or any other text written as an IBAN, of whatever country. White space,
// separators between the groups, a label in front ("IBAN", "Nº de cuenta:") and a BIC after it
// are allowed. Nothing for other texts.
std::optional<WholeAccount> ReadWholeAccount(std::string_view text);

// What the text of an account field comes to.
struct AccountFieldEntry {
    std::string text;                   // what the field keeps
    std::optional<WholeAccount> whole;  // or an account that replaces the whole row's
};

// Field `index` (0 bank, 1 office, 2 account number) holding `text`, beside the row's `fields`.
// A whole account or IBAN replaces the row's account. Twelve digits in the account number field
// are the control digits typed before the number, checked as a pasted account's are. Separators
// go when the digits fit the field; any other text is kept whole, tidied, and shows red: nothing
// is cut.
AccountFieldEntry ReadAccountField(int index, std::string_view text, const BankFields& fields);

// Whether the fields still hold what `whole` put in them (nothing, for a foreign IBAN).
bool FieldsHoldWhole(const BankFields& fields, const WholeAccount& whole);

// Everything the account row shows for its fields and the current text of the IBAN field.
struct BankRow {
    std::string control;       // control digits box; "" when there is no Spanish account
    std::string iban;          // IBAN field; "ES00" when all fields are empty, whatever the country
    std::string bankCaption;   // bank label: the bank's name, "Banco: ", or a foreign IBAN whole
    std::string shortCaption;  // the label where `bankCaption` is too wide: the IBAN alone
    std::string wholeIban;  // the complete IBAN shown, without separators; "" if incomplete or red
    std::string_view bic;   // the BIC of the bank named, when the registry knows it
    bool controlRed = false;  // the control digits brought differ, or the fields hold no account
    bool ibanRed = false;     // the IBAN brought is wrong, or the fields hold no account
    // Why each red box is red: what was written and what it should be.
    std::string controlReason;
    std::string ibanReason;
};

// `whole` is the account last brought whole, if any. While the fields hold it, the row shows its
// verdict: the control digits box a Spanish account's control digits, the IBAN box all else.
BankRow UpdateBankAccount(const BankFields& fields, std::string_view ibanField,
                          const WholeAccount* whole = nullptr);

// Whether a complete bank (index 0) or office (index 1) field hands the focus to the next field.
bool AccountFieldComplete(int index, std::string_view text);

// How many characters typing puts into account field `index`: the account number field takes
// the two control digits before it, so that a printed account can be typed straight through.
std::size_t AccountTypingLimit(int index);

}  // namespace minizol
