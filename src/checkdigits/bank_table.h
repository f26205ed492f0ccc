#pragma once

#include <optional>
#include <string_view>

namespace minizol {

inline constexpr std::string_view kUnknownBankCaption = "Banco: ";

// The bank's name for a Spanish bank (entity) code such as 2100, if the table knows it.
std::optional<std::string_view> BankName(int code);

// The caption of the bank label for the bank field's text: the name of the bank whose code the
// text starts with (leading zeros and blanks allowed), otherwise "Banco: ".
std::string_view BankCaption(std::string_view bankField);

}  // namespace minizol
