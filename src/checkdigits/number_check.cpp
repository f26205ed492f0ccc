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

NumberKind IdentityKindOf(std::string_view classChar) {
    if (classChar == "0") {
        return Dni;
    }
    if (classChar == "X" || classChar == "Y" || classChar == "Z") {
        return Nie;
    }
    return classChar == "K" || classChar == "L" || classChar == "M" ? Nif : Cif;
}

// The identity row's reading: the field keeps the paste without its separators when it fits.
bool CheckIdentity(std::string_view text, NumberCheck& check) {
    const std::string field = IdentityFieldText(text);
    const IdentityAnalysis analysis = AnalyseIdentity(field);
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
            return false;
    }
    check.kind = IdentityKindOf(analysis.classChar);
    check.control = analysis.controlChar;
    if (!analysis.controlDigit.empty()) {
        check.control += ' ';
        check.control += analysis.controlDigit;
    }
    check.form = IdentityStandardForm(field, analysis);
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
bool CheckAccount(std::string_view text, NumberCheck& check) {
    const std::optional<WholeAccount> whole = ReadWholeAccount(text);
    if (!whole) {
        return false;
    }
    if (!whole->fields) {
        const std::optional<IbanCheck> iban = CheckIban(whole->iban);
        check.kind = Iban;
        check.verdict = iban->valid ? Verdict::Correct : Verdict::Wrong;
        check.control = iban->checkDigits;
        check.form = GroupInFours(whole->iban);
        return true;
    }
    const BankFields& fields = *whole->fields;
    const AccountDigits digits =
        CalculateAccountDigits(fields.bank, fields.office, fields.account, kDefaultCountry);
    bool right = digits.control == whole->control;
    if (whole->iban.empty()) {
        check.kind = Ccc;
        check.control = digits.control;
        check.form =
            fields.bank + ' ' + fields.office + ' ' + whole->control + ' ' + fields.account;
    } else {
        const std::optional<IbanCheck> iban = CheckIban(whole->iban);
        right = right && iban->valid;
        check.kind = Iban;
        check.control = iban->checkDigits + ' ' + digits.control;
        check.form = GroupInFours(whole->iban);
    }
    check.verdict = right ? Verdict::Correct : Verdict::Wrong;
    check.bank = BankName(BankCode(fields.bank)).value_or(std::string_view());
    return true;
}

bool CheckIsbn(std::string_view text, NumberCheck& check) {
    const IsbnResult result = IsbnCheckDigit(text);
    if (result.checkDigit.empty()) {
        return false;
    }
    // With a check character computed, the text held digits, X and separators alone.
    std::string compact = WithoutSeparators(text);
    const bool complete = compact.size() == 10 || compact.size() == 13;
    check.kind = compact.size() <= 10 ? Isbn10 : Isbn13;
    check.verdict = !complete    ? Verdict::Incomplete
                    : result.red ? Verdict::Wrong
                                 : Verdict::Correct;
    check.control = result.checkDigit;
    check.form = std::move(compact);
    if (!complete) {
        check.form += result.checkDigit;
    }
    return true;
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
    const std::string tidy = TidyPastedText(text);
    if (tidy.empty()) {
        return check;
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
        check = NumberCheck{};
        check.blank = false;
    }
    return check;
}

std::string_view KindName(NumberKind kind) {
    return kKindNames[static_cast<std::size_t>(kind)];
}

std::string_view VerdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::Correct:
            return "correcto";
        case Verdict::Wrong:
            return "incorrecto";
        case Verdict::Incomplete:
            return "incompleto";
        case Verdict::Unknown:
            break;
    }
    return "desconocido";
}

}  // namespace minizol
