#include "checkdigits/number_check.h"

#include <array>
#include <utility>

#include "checkdigits/bank_account.h"
#include "checkdigits/bank_table.h"
#include "checkdigits/iban.h"
#include "checkdigits/identity.h"
#include "checkdigits/isbn.h"
#include "checkdigits/pasted_text.h"
#include "common/text_case.h"

namespace minizol {
namespace {

using enum NumberKind;

constexpr std::array<std::string_view, 9> kKindNames = {
    "", "DNI", "NIE", "NIF", "CIF", "CCC", "IBAN", "ISBN-10", "ISBN-13",
};
constexpr std::array<std::string_view, 4> kVerdictNames = {
    "correcto",
    "incorrecto",
    "incompleto",
    "desconocido",
};
static_assert(kVerdictNames.size() == static_cast<std::size_t>(Verdict::Unknown) + 1,
              "one name for each verdict, in their order");

bool Allows(KindFilter filter, NumberKind kind) {
    switch (filter) {
        case KindFilter::Any:
            return true;
        case KindFilter::Dni:
            return kind == Dni;
        case KindFilter::Nie:
            return kind == Nie;
        case KindFilter::Nif:
            return kind == Dni || kind == Nie || kind == Nif || kind == Cif;
        case KindFilter::Cif:
            return kind == Cif;
        case KindFilter::Ccc:
            return kind == Ccc;
        case KindFilter::Iban:
            return kind == Iban;
        case KindFilter::Isbn:
            return kind == Isbn10 || kind == Isbn13;
    }
    return false;
}

NumberKind IdentityKindOf(char classChar) {
    if (classChar == '0') {
        return Dni;
    }
    if (classChar == 'X' || classChar == 'Y' || classChar == 'Z') {
        return Nie;
    }
    return classChar == 'K' || classChar == 'L' || classChar == 'M' ? Nif : Cif;
}

// The identity row's reading: the field keeps the paste without its separators when it fits.
bool CheckIdentity(std::string_view text, NumberCheck& check) {
    std::string buffer;
    const std::string_view field = IdentityFieldTextOfTidy(text, buffer);
    const IdentityAnalysis analysis = AnalyseIdentity(field, check.form);
    switch (analysis.status) {
        case IdentityStatus::Matches:
            check.verdict = Verdict::Correct;
            break;
        case IdentityStatus::Mismatch:
            check.verdict = Verdict::Wrong;
            break;
        case IdentityStatus::Computed:
            check.verdict = Verdict::Incomplete;
            break;
        default:
            check.form.clear();
            return false;
    }
    check.kind = IdentityKindOf(analysis.classChar);
    const char control[] = {analysis.controlChar, ' ', analysis.controlDigit};
    check.control.assign(control, analysis.controlDigit != '\0' ? 3 : 1);
    return true;
}

bool IsUpperAscii(char c) {
    return c >= 'A' && c <= 'Z';
}

// Whether a tidy text without a label may be a whole account: one of 20 digits or more with its
// separators, or one whose first two characters past the separators are an IBAN's letters. It
// saves reading most other numbers as accounts.
bool MayBeAccount(std::string_view tidy) {
    if (tidy.size() >= 20) {
        return true;
    }
    int letters = 0;
    for (char c : tidy) {
        if (IsNumberSeparator(c)) {
            continue;
        }
        if (!IsUpperAscii(c)) {
            return false;
        }
        if (++letters == 2) {
            return true;
        }
    }
    return false;
}

int BankCode(std::string_view fourDigits) {
    int code = 0;
    for (char c : fourDigits) {
        code = code * 10 + (c - '0');
    }
    return code;
}

// The account row's reading of a whole account or IBAN: a Spanish one is checked on its
// control digits too, another country's on its country, length and check digits.
bool CheckAccount(std::string_view tidy, NumberCheck& check) {
    const std::optional<CompactAccount> whole = ReadCompactAccount(tidy);
    if (!whole) {
        return false;
    }
    const std::string_view iban = whole->Iban();
    if (!whole->spanish) {
        const std::optional<IbanCheck> checked = CheckIban(iban);
        check.kind = Iban;
        check.verdict = checked->valid ? Verdict::Correct : Verdict::Wrong;
        check.control = checked->checkDigits;
        AppendGroupedInFours(check.form, iban);
        return true;
    }
    const std::array<char, 2> digits =
        AccountControlDigits(whole->Bank(), whole->Office(), whole->AccountNumber());
    const std::string_view control(digits.data(), digits.size());
    bool right = control == whole->Control();
    if (iban.empty()) {
        check.kind = Ccc;
        check.control = control;
        for (std::string_view part : {whole->Bank(), whole->Office(), whole->Control()}) {
            check.form += part;
            check.form += ' ';
        }
        check.form += whole->AccountNumber();
    } else {
        const std::optional<IbanCheck> checked = CheckIban(iban);
        right = right && checked->valid;
        check.kind = Iban;
        check.control = checked->checkDigits;
        check.control += ' ';
        check.control += control;
        AppendGroupedInFours(check.form, iban);
    }
    check.verdict = right ? Verdict::Correct : Verdict::Wrong;
    check.bank = BankName(BankCode(whole->Bank())).value_or(std::string_view());
    return true;
}

bool CheckIsbn(std::string_view text, NumberCheck& check) {
    const IsbnResult result = IsbnCheckDigit(text);
    if (result.checkDigit.empty()) {
        return false;
    }
    // With a check character computed, the symbols read are the ISBN as written.
    check.form += result.Symbols();
    const std::size_t size = check.form.size();
    const bool complete = size == 10 || size == 13;
    check.kind = size <= 10 ? Isbn10 : Isbn13;
    check.verdict = !complete    ? Verdict::Incomplete
                    : result.red ? Verdict::Wrong
                                 : Verdict::Correct;
    check.control = result.checkDigit;
    if (!complete) {
        check.form += result.checkDigit;
    }
    return true;
}

// Empties a check for another number, keeping the room its texts had.
void Clear(NumberCheck& check) {
    check.blank = true;
    check.kind = Unknown;
    check.verdict = Verdict::Unknown;
    check.control.clear();
    check.form.clear();
    check.bank = {};
}

}  // namespace

std::optional<KindFilter> KindFilterNamed(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, KindFilter>, 7> kNames = {{
        {"DNI", KindFilter::Dni},
        {"NIE", KindFilter::Nie},
        {"NIF", KindFilter::Nif},
        {"CIF", KindFilter::Cif},
        {"CCC", KindFilter::Ccc},
        {"IBAN", KindFilter::Iban},
        {"ISBN", KindFilter::Isbn},
    }};
    const std::string upper = UpperCase(name);
    for (const auto& [key, filter] : kNames) {
        if (key == upper) {
            return filter;
        }
    }
    return std::nullopt;
}

NumberCheck CheckNumber(std::string_view text, KindFilter filter) {
    NumberCheck check;
    CheckNumber(text, filter, check);
    return check;
}

void CheckNumber(std::string_view text, KindFilter filter, NumberCheck& check) {
    Clear(check);
    std::string buffer;
    const std::string_view tidy = TidyPastedText(text, buffer);
    if (tidy.empty()) {
        return;
    }
    check.blank = false;
    bool identities = filter == KindFilter::Any || filter == KindFilter::Dni ||
                      filter == KindFilter::Nie || filter == KindFilter::Nif ||
                      filter == KindFilter::Cif;
    bool accounts =
        filter == KindFilter::Any || filter == KindFilter::Ccc || filter == KindFilter::Iban;
    bool isbns = filter == KindFilter::Any || filter == KindFilter::Isbn;
    // A label names the row the number is meant for.
    const std::string_view isbn = WithoutIsbnLabel(tidy);
    const std::string_view identity = WithoutIdentityLabel(tidy);
    if (isbn.size() != tidy.size()) {
        identities = accounts = false;
    } else if (identity.size() != tidy.size()) {
        accounts = isbns = false;
    } else if (WithoutAccountLabel(tidy).size() != tidy.size()) {
        identities = isbns = false;
    } else {
        accounts = accounts && MayBeAccount(tidy);
    }
    const bool found = (accounts && CheckAccount(tidy, check)) ||
                       (isbns && CheckIsbn(isbn, check)) ||
                       (identities && CheckIdentity(identity, check));
    if (!found || !Allows(filter, check.kind)) {
        Clear(check);
        check.blank = false;
    }
}

std::string_view KindName(NumberKind kind) {
    return kKindNames[static_cast<std::size_t>(kind)];
}

std::string_view VerdictName(Verdict verdict) {
    return kVerdictNames[static_cast<std::size_t>(verdict)];
}

}  // namespace minizol
