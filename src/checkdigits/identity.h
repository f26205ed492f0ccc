#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace minizol {

// Spanish identity and tax numbers: a DNI (digits), a personal NIF led by K, L, M, X, Y or Z, or a
// company CIF led by an organisation letter, with an optional control character at the end.

// What an identity number is, by its first character; the kind settles its control character.
enum class IdentityKind : std::uint8_t {
    None,     // led by nothing an identity number starts with
    Dni,      // led by a digit
    Nie,      // X, Y or Z: a foreign resident
    Nif,      // K, L or M: a Spanish person without a DNI
    Company,  // an organisation letter: a CIF
};

// The forms a company's control character may take, by its organisation letter. Companies that
// answer to the tax office as commercial firms (A, B, E, H) end in a digit, public bodies and
// foreign entities (N, P, Q, R, S, W) in a letter; the others in either.
enum class ControlForm : std::uint8_t { Letter, Digit, Either };

enum class IdentityStatus : std::int16_t {
    Matches = 0,   // a control character was typed and is right
    Invalid = 1,   // not an identity number
    Mismatch = 2,  // a control character was typed and is wrong
    Computed = 4,  // nothing typed; the control character was computed
};

struct IdentityAnalysis {
    IdentityStatus status = IdentityStatus::Invalid;
    IdentityKind kind = IdentityKind::None;
    char letter = '\0';        // the upper-case letter leading it; '\0' for a DNI and for none
    char controlChar = '\0';   // computed control character; '\0' when the analysis stopped first
    char controlDigit = '\0';  // digit form of a company control character, or '\0'
    // A company's typed control character has the right value in a form its letter never takes
    // (a letter after A, a digit after P): a mismatch all the same.
    bool wrongForm = false;
};

// The form a company's control character takes after organisation letter `letter` (upper case).
ControlForm CompanyControlForm(char letter);

// Analyses any text: surrounding blanks are ignored and letters may be of either case. A typed
// company control character must take a form its organisation letter allows.
IdentityAnalysis AnalyseIdentity(std::string_view text);
// The same, and the number as it is written in full appended to `form`, from one reading: its
// class letter, the number zero-filled (8 digits for a DNI, 7 after a letter) and its control
// character, the one typed or, when none was, the computed one (a company's digit where its
// letter has a digit form); nothing when no control character was found.
IdentityAnalysis AnalyseIdentity(std::string_view text, std::string& form);

// What the identity row shows for the text of its input field.
struct IdentityDisplay {
    std::string caption;  // label above the field, e.g. "Persona Física"
    std::string letter;   // first result box
    std::string digit;    // second result box; shown only when not empty
    bool red = false;     // both result boxes red
    std::string reason;   // why they are red: "la letra no corresponde; corresponde la J"
};

IdentityDisplay DisplayIdentityField(std::string_view fieldText);

// The identity field holds a complete number: a DNI and its letter, or a letter, seven digits and
// a control character.
inline constexpr std::size_t kIdentityFieldLength = 9;

// The field's text once a paste has landed in it, tidied as every pasted text is (white space
// around it gone, letters upper-cased). A number written with separators ("12.345.678-z",
// "12345678/Z") loses them when the rest fits the field, as if it had been typed; any other text
// is kept whole, to be shown red rather than cut.
std::string IdentityFieldText(std::string_view text);
// The same for a text tidied already (as TidyPastedText gives it), without a copy when it is the
// field's as it stands: the text itself, or the field's text in `buffer` (which `tidy` must not
// lie in).
std::string_view IdentityFieldTextOfTidy(std::string_view tidy, std::string& buffer);

}  // namespace minizol
