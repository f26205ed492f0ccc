#pragma once

#include <optional>
#include <string_view>

namespace minizol {

inline constexpr std::string_view kUnknownBankCaption = "Banco: ";

// The bank's name for a Spanish bank (entity) code such as 2100: the DigiZol window's own name
// for the codes it has always named, otherwise the readable name of the credit institution.
std::optional<std::string_view> BankName(int code);

// The BIC of the credit institution with the code, if it has one.
std::optional<std::string_view> BankBic(int code);

// The caption of the bank label for the bank field's text: the name of the bank whose code the
// text starts with (leading zeros and blanks allowed), otherwise "Banco: ".
std::string_view BankCaption(std::string_view bankField);

// The code the bank field's text starts with, as BankCaption reads it (leading zeros and blanks
// allowed; an empty field is 0); nothing for a number past any bank's four digits.
std::optional<int> BankCodeOfField(std::string_view bankField);

}  // namespace minizol
