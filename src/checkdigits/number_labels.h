#pragma once

#include <cstdint>
#include <string_view>

namespace minizol {

// What the words printed around a number on an invoice, a letter or a web page say it is.
enum class NumberLabel : std::uint8_t {
    None,      // nothing: the number stands alone
    Identity,  // "DNI", "N.I.E.:", "C.I.F.", "NIF-IVA", or the VAT prefix "ES" before a NIF
    Account,   // "IBAN", "CCC", "Cuenta", "Nº de cuenta", or a BIC after the number
    Isbn,      // "ISBN", "ISBN-10", "ISBN-13"
};

struct LabelledNumber {
    NumberLabel label = NumberLabel::None;
    std::string_view number;  // the text without its label, prefix and BIC
    std::string_view bic;     // a BIC written after an account ("... BIC CAIXESBBXXX"), or ""
};

// Reads a tidied text (TidyPastedText: upper case, plain blanks). Labels are recognised with or
// without the dots that abbreviate them and followed by "Nº", a colon and blanks; "ES" before a
// complete NIF is the Spanish VAT number's prefix. Nothing else is guessed: any other text is
// the number as it stands, with no label.
LabelledNumber ReadLabelledNumber(std::string_view tidy);

// A tidied text without a leading ISBN label (`ISBN`, `ISBN-10`, `ISBN-13`) and the colon and
// blanks after it; any other text as it is.
std::string_view WithoutIsbnLabel(std::string_view text);

}  // namespace minizol
