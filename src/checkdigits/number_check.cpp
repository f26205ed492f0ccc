#include "checkdigits/number_check.h"

#include <algorithm>
#include <array>
#include <utility>

#include "checkdigits/bank_account.h"
#include "checkdigits/bank_table.h"
#include "checkdigits/bban_format.h"
#include "checkdigits/bic.h"
#include "checkdigits/iban.h"
#include "checkdigits/identity.h"
#include "checkdigits/isbn.h"
#include "checkdigits/national_check_digits.h"
#include "checkdigits/number_labels.h"
#include "checkdigits/pasted_text.h"
#include "checkdigits/verdict_reasons.h"
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

NumberKind NumberKindOf(IdentityKind kind) {
    switch (kind) {
        case IdentityKind::Dni:
            return Dni;
        case IdentityKind::Nie:
            return Nie;
        case IdentityKind::Nif:
            return Nif;
        case IdentityKind::Company:
            return Cif;
        case IdentityKind::None:
            break;
    }
    return Unknown;
}

// The control characters a company's letter allows: its letter, its digit, or both.
void AppendControl(const IdentityAnalysis& analysis, std::string& control) {
    const bool company = analysis.kind == IdentityKind::Company;
    const ControlForm form = company ? CompanyControlForm(analysis.letter) : ControlForm::Letter;
    if (form != ControlForm::Digit) {
        control += analysis.controlChar;
    }
    if (form == ControlForm::Either) {
        control += ' ';
    }
    if (form != ControlForm::Letter) {
        control += analysis.controlDigit;
    }
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
            AppendIdentityReason(check.AddFault(FaultPart::Control), analysis);
            break;
        case IdentityStatus::Computed:
            check.verdict = Verdict::Incomplete;
            break;
        default:
            check.form.clear();
            return false;
    }
    check.kind = NumberKindOf(analysis.kind);
    AppendControl(analysis, check.control);
    return true;
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
        if (!IsAsciiUpper(c)) {
            return false;
        }
        if (++letters == 2) {
            return true;
        }
    }
    return false;
}

std::string_view ExpectedName(BbanFault::Expected expected) {
    switch (expected) {
        case BbanFault::Expected::Digit:
            return "una cifra";
        case BbanFault::Expected::Letter:
            return "una letra";
        case BbanFault::Expected::Alphanumeric:
            break;
    }
    return "una cifra o una letra";
}

// An IBAN of any country, checked as its bank would: its country, its length, the characters of
// its account where the country's format puts them, its country's own check digits, and its
// IBAN check digits. Every fault found is named.
void CheckIbanAccount(std::string_view iban, NumberCheck& check) {
    check.kind = Iban;
    const std::array<char, 2> expected = IbanCheckDigitsOf(iban);
    check.control.assign(expected.data(), expected.size());
    AppendGroupedInFours(check.form, iban);
    const IbanCountry* country = FindIbanCountry(iban.substr(0, 2));
    if (country == nullptr) {
        std::string& text = check.AddFault(FaultPart::AccountForm);
        text += iban.substr(0, 2);
        text += " no es un país con IBAN";
    } else if (iban.size() != static_cast<std::size_t>(country->length)) {
        std::string& text = check.AddFault(FaultPart::AccountForm);
        text += "un IBAN de ";
        text += country->name;
        text += " tiene ";
        text += std::to_string(country->length);
        text += " caracteres, no ";
        text += std::to_string(iban.size());
    } else if (const std::optional<BbanFault> fault = FindBbanFault(*country, iban.substr(4))) {
        AppendFormatReason(check.AddFault(FaultPart::AccountFormat),
                           iban.substr(4 + fault->position, 1), 4 + fault->position + 1,
                           ExpectedName(fault->expected));
    } else if (country->code != kDefaultCountry &&
               CheckNationalDigits(*country, iban.substr(4)) == NationalCheck::Wrong) {
        // A Spanish account's control digits are its own fault, told with their values.
        check.AddFault(FaultPart::NationalDigits) += NationalDigitsFault(*country);
    }
    if (iban[2] != expected[0] || iban[3] != expected[1]) {
        AppendDigitsReason(check.AddFault(FaultPart::IbanDigits), iban.substr(2, 2),
                           std::string_view(expected.data(), 2));
    }
}

// A Spanish account, bare or inside its IBAN: its control digits too, and its entity's name
// and BIC.
void CheckSpanishAccount(const CompactAccount& whole, NumberCheck& check) {
    const std::array<char, 2> digits =
        AccountControlDigits(whole.Bank(), whole.Office(), whole.AccountNumber());
    const std::string_view control(digits.data(), digits.size());
    if (whole.iban) {
        CheckIbanAccount(whole.Iban(), check);
        check.control += ' ';
        check.control += control;
    } else {
        check.kind = Ccc;
        check.control = control;
        for (std::string_view part : {whole.Bank(), whole.Office(), whole.Control()}) {
            check.form += part;
            check.form += ' ';
        }
        check.form += whole.AccountNumber();
    }
    if (control != whole.Control()) {
        AppendDigitsReason(check.AddFault(FaultPart::AccountControl), whole.Control(), control);
    }
    const int code = BankCodeOfField(whole.Bank()).value_or(-1);
    check.bank = BankName(code).value_or(std::string_view());
    check.bic = BankBic(code).value_or(std::string_view());
}

// A BIC written beside an IBAN: its form, its country, and for a Spanish account whose entity
// the registry knows, that entity's.
void CheckBic(std::string_view bic, std::string_view iban, NumberCheck& check) {
    const BicCheck read = ReadBic(bic);
    if (!read.form) {
        std::string& text = check.AddFault(FaultPart::Bic);
        text += "el BIC ";
        text += bic;
        text += " no tiene forma de BIC";
    } else if (!iban.empty() && !BicServesIbanCountry(read.country, iban.substr(0, 2))) {
        std::string& text = check.AddFault(FaultPart::Bic);
        text += "el BIC es de otro país: ";
        text += read.country;
    } else if (!check.bic.empty() && !SameInstitution(bic, check.bic)) {
        std::string& text = check.AddFault(FaultPart::Bic);
        text += "el BIC no es el de la entidad; corresponde ";
        text += check.bic;
    }
}

// The account row's reading of a whole account or IBAN, and of the BIC written after it.
bool CheckAccount(const LabelledNumber& labelled, NumberCheck& check) {
    const std::optional<CompactAccount> whole = ReadCompactAccount(labelled.number);
    if (!whole) {
        return false;
    }
    if (whole->spanish) {
        CheckSpanishAccount(*whole, check);
    } else {
        CheckIbanAccount(whole->Iban(), check);
    }
    if (!labelled.bic.empty()) {
        CheckBic(labelled.bic, whole->Iban(), check);
    }
    check.verdict = check.Faults().empty() ? Verdict::Correct : Verdict::Wrong;
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
    if (check.verdict == Verdict::Wrong) {
        AppendIsbnReason(check.AddFault(FaultPart::Control), result.checkDigit);
    }
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
    check.bic = {};
    check.ClearFaults();
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
    const LabelledNumber labelled = ReadLabelledNumber(tidy);
    switch (labelled.label) {
        case NumberLabel::Isbn:
            identities = accounts = false;
            break;
        case NumberLabel::Identity:
            accounts = isbns = false;
            break;
        case NumberLabel::Account:
            identities = isbns = false;
            break;
        case NumberLabel::None:
            accounts = accounts && MayBeAccount(tidy);
            break;
    }
    const std::string_view number = labelled.number;
    const bool found = (accounts && CheckAccount(labelled, check)) ||
                       (isbns && CheckIsbn(number, check)) ||
                       (identities && CheckIdentity(number, check));
    if (!found || !Allows(filter, check.kind)) {
        Clear(check);
        check.blank = false;
    } else if (!check.Faults().empty()) {
        check.NameFaults();
    }
}

const Fault* NumberCheck::FaultOf(FaultPart part) const {
    for (const Fault& fault : Faults()) {
        if (fault.part == part) {
            return &fault;
        }
    }
    return nullptr;
}

std::string& NumberCheck::AddFault(FaultPart part) {
    // Three are the most a number has (its account's form or control digits, its IBAN digits,
    // its BIC); should a fourth come, it takes the third's place rather than run past the end.
    Fault& fault = faults_[std::min<std::size_t>(faultCount_, faults_.size() - 1)];
    faultCount_ =
        static_cast<std::uint8_t>(std::min<std::size_t>(faultCount_ + 1u, faults_.size()));
    fault.part = part;
    fault.text.clear();
    return fault.text;
}

void NumberCheck::NameFaults() {
    reason.clear();
    for (const Fault& fault : Faults()) {
        if (!reason.empty()) {
            reason += " · ";
        }
        // The two check digit pairs of an account are told apart by name.
        if (fault.part == FaultPart::IbanDigits) {
            reason += "IBAN: ";
        } else if (fault.part == FaultPart::AccountControl) {
            reason += "control: ";
        }
        reason += fault.text;
    }
}

std::string_view KindName(NumberKind kind) {
    return kKindNames[static_cast<std::size_t>(kind)];
}

std::string_view VerdictName(Verdict verdict) {
    return kVerdictNames[static_cast<std::size_t>(verdict)];
}

}  // namespace minizol
