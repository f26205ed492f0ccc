#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace minizol {

// A number of any kind the check-digit rows know, recognised from text as people bring it and
// checked by those rows' own rules: one answer for the window and for a list on the command line.

enum class NumberKind : std::uint8_t { Unknown, Dni, Nie, Nif, Cif, Ccc, Iban, Isbn10, Isbn13 };

enum class Verdict : std::uint8_t {
    Correct,     // complete, and its control characters are right
    Wrong,       // complete, with a wrong control
    Incomplete,  // written without its control characters, which are computed
    Unknown,     // no number of any kind above
};

// The kinds a reader may ask for: a family of kinds, or any.
enum class KindFilter : std::uint8_t { Any, Dni, Nie, Nif, Cif, Ccc, Iban, Isbn };

// "dni", "nie", "nif", "cif", "ccc", "iban", "isbn" (either case). "nif" takes every identity
// number, persons' and companies', as the tax office counts them; the others take their kind.
std::optional<KindFilter> KindFilterNamed(std::string_view name);

struct NumberCheck {
    bool blank = true;  // nothing but white space: no number at all
    NumberKind kind = NumberKind::Unknown;
    Verdict verdict = Verdict::Unknown;
    // The computed control characters; a Spanish IBAN gives its check digits and then the
    // account's control digits, a company number with a digit form its letter and then its digit.
    std::string control;
    // The number in full, as it is written on paper: an IBAN in groups of four, an account
    // "2100 0418 45 0200051332", the others without separators and zero-filled. A number without
    // its control characters is completed with the computed ones.
    std::string form;
    std::string_view bank;  // the bank's name for a Spanish account, when the table knows it
};

// Reads `text` as a pasted text is read: white space around it, separators between the groups
// and a label in front ("IBAN", "ISBN-13:", "NIF") are allowed. A label, or `filter`, limits
// the kinds the text is read as.
NumberCheck CheckNumber(std::string_view text, KindFilter filter = KindFilter::Any);
// The same into `check`, whose texts keep their room from one number to the next: a list is
// checked without allocating for each number.
void CheckNumber(std::string_view text, KindFilter filter, NumberCheck& check);

// "DNI", "NIE", "NIF", "CIF", "CCC", "IBAN", "ISBN-10", "ISBN-13"; "" for an unknown kind.
std::string_view KindName(NumberKind kind);

// "correcto", "incorrecto", "incompleto", "desconocido".
std::string_view VerdictName(Verdict verdict);

}  // namespace minizol
