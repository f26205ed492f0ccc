#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
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

// The part of a number that is wrong.
enum class FaultPart : std::uint8_t {
    IbanDigits,      // an IBAN's own check digits
    AccountControl,  // a Spanish account's two control digits
    AccountForm,     // an IBAN's country or length
    AccountFormat,   // a character of an IBAN's account where its country's format has another
    NationalDigits,  // another country's own check digits inside its IBAN
    Bic,             // the BIC written beside an account
    Control,         // an identity number's control character, an ISBN's check digit
};

struct Fault {
    FaultPart part = FaultPart::Control;
    std::string text;  // what was written and what it should be: "pone 91; corresponde 64"
};

struct NumberCheck {
    bool blank = true;  // nothing but white space: no number at all
    NumberKind kind = NumberKind::Unknown;
    Verdict verdict = Verdict::Unknown;
    // The computed control characters; a Spanish IBAN gives its check digits and then the
    // account's control digits, a company number the forms its organisation letter allows (its
    // letter, its digit, or the letter and then the digit).
    std::string control;
    // The number in full, as it is written on paper: an IBAN in groups of four, an account
    // "2100 0418 45 0200051332", the others without separators and zero-filled. A number without
    // its control characters is completed with the computed ones.
    std::string form;
    std::string_view bank;  // the bank's name for a Spanish account, when the table knows it
    std::string_view bic;   // the BIC of a Spanish account's entity, when the registry knows it
    // Why a wrong number is wrong, in a few words, every fault named: "IBAN: pone 91;
    // corresponde 64 · control: pone 45; corresponde 41". "" for any other.
    std::string reason;

    std::span<const Fault> Faults() const { return {faults_.data(), faultCount_}; }
    // The fault of `part`, or nullptr.
    const Fault* FaultOf(FaultPart part) const;
    // A new fault of `part`: its text, emptied with its room kept, for the reason to be
    // written into. `reason` names it once the check is done.
    std::string& AddFault(FaultPart part);
    void ClearFaults() {
        faultCount_ = 0;
        reason.clear();
    }
    // Writes `reason` from the faults.
    void NameFaults();

  private:
    std::array<Fault, 3> faults_;  // kept from one number to the next, with their room
    std::uint8_t faultCount_ = 0;
};

// Reads `text` as a pasted text is read: white space around it, separators between the groups,
// a label in front ("IBAN", "ISBN-13:", "C.I.F.:", "Nº de cuenta"), the VAT prefix "ES" before a
// NIF and a BIC after an account are allowed. A label, or `filter`, limits the kinds the text is
// read as. This is where every verdict is made: the window's rows show the same.
NumberCheck CheckNumber(std::string_view text, KindFilter filter = KindFilter::Any);
// The same into `check`, whose texts keep their room from one number to the next: a list is
// checked without allocating for each number.
void CheckNumber(std::string_view text, KindFilter filter, NumberCheck& check);

// "DNI", "NIE", "NIF", "CIF", "CCC", "IBAN", "ISBN-10", "ISBN-13"; "" for an unknown kind.
std::string_view KindName(NumberKind kind);

// "correcto", "incorrecto", "incompleto", "desconocido".
std::string_view VerdictName(Verdict verdict);

}  // namespace minizol
