#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace minizol {

// A Spanish bank account as typed into its three fields: bank (entity) code, office code and
// account number. The two control digits between office and account are always computed.
struct BankFields {
    std::string bank;
    std::string office;
    std::string account;
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

inline constexpr std::string_view kEmptyAccountIban = "ES00";

// Everything the account row shows for its fields and the current text of the IBAN field.
struct BankRow {
    std::string control;      // control digits box; "" when all fields are empty
    std::string iban;         // IBAN field; "ES00" when all fields are empty, whatever the country
    std::string bankCaption;  // bank label: the bank's name or "Banco: "
};

BankRow UpdateBankAccount(const BankFields& fields, std::string_view ibanField);

// What the bank field's text becomes, and what the other two fields receive, when it holds a
// pasted account (20 characters once " ", ".", "-", "/" and "_" are removed) or IBAN (24).
// Otherwise the bank field keeps at most its first 4 characters. All results are digits only.
struct BankFieldSplit {
    std::string bank;
    std::optional<std::string> office;   // set when a whole account or IBAN was split
    std::optional<std::string> account;  // set when a whole account or IBAN was split
};

BankFieldSplit SplitBankFieldText(std::string_view text);

// Whether a complete bank (index 0) or office (index 1) field hands the focus to the next field.
bool AccountFieldComplete(int index, std::string_view text);

}  // namespace minizol
