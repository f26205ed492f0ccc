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

// What the bank field's text becomes, and what the other two fields receive, when it holds a
// pasted account (20 characters once " ", ".", "-", "/" and "_" are removed) or IBAN (24).
// Otherwise the bank field keeps at most its first 4 characters. All results are digits only.
// A split paste also hands back the digits it carried, which are recomputed rather than used but
// checked against the computed ones.
struct BankFieldSplit {
    std::string bank;
    std::optional<std::string> office;   // set when a whole account or IBAN was split
    std::optional<std::string> account;  // set when a whole account or IBAN was split
    std::string control;  // its control digits (characters 9-10, 13-14 of an IBAN), as pasted
    std::string iban;     // an IBAN's country and check digits, letters upper-cased; else ""
};

BankFieldSplit SplitBankFieldText(std::string_view text);

// Whether the three fields hold what a split `paste` put into them. Any edit afterwards makes the
// number the user's own again: the paste's digits are then no longer checked.
bool FieldsHoldPaste(const BankFields& fields, const BankFieldSplit& paste);

// Everything the account row shows for its fields and the current text of the IBAN field.
struct BankRow {
    std::string control;      // control digits box; "" when all fields are empty
    std::string iban;         // IBAN field; "ES00" when all fields are empty, whatever the country
    std::string bankCaption;  // bank label: the bank's name or "Banco: "
    bool controlRed = false;  // the pasted control digits differ from `control`
    bool ibanRed = false;     // the pasted IBAN's country and check digits differ from `iban`
};

// `paste` is the last paste split over the fields, if any. While the fields hold it, the row
// checks its digits, and the IBAN is computed for its own country when that is two letters, so
// that a pasted IBAN is checked against the IBAN it claims to be.
BankRow UpdateBankAccount(const BankFields& fields, std::string_view ibanField,
                          const BankFieldSplit* paste = nullptr);

// Whether a complete bank (index 0) or office (index 1) field hands the focus to the next field.
bool AccountFieldComplete(int index, std::string_view text);

}  // namespace minizol
