#include "checkdigits/identity.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "checkdigits/cif.h"
#include "checkdigits/pasted_text.h"
#include "checkdigits/verdict_reasons.h"
#include "common/byte_words.h"
#include "common/text_case.h"
#include "common/utf8_text.h"

namespace minizol {
namespace {

constexpr std::string_view kDniLetters = "TRWAGMYFPDXBNJZSQVHLCKE";

// What a leading letter makes of a number: the one place that knows it.
struct LetterRule {
    IdentityKind kind = IdentityKind::None;
    ControlForm form = ControlForm::Letter;  // a company's control character
    std::uint32_t nieDigit = 0;              // what X, Y and Z stand for in the number's value
};

constexpr std::array<LetterRule, 26> kLetterRules = [] {
    std::array<LetterRule, 26> rules{};
    const auto set = [&rules](std::string_view letters, LetterRule rule) {
        for (char c : letters) {
            rules[static_cast<std::size_t>(c - 'A')] = rule;
        }
    };
    set("KLM", {IdentityKind::Nif});
    set("X", {IdentityKind::Nie, ControlForm::Letter, 0});
    set("Y", {IdentityKind::Nie, ControlForm::Letter, 1});
    set("Z", {IdentityKind::Nie, ControlForm::Letter, 2});
    set("ABEH", {IdentityKind::Company, ControlForm::Digit});
    set("CDFGJUV", {IdentityKind::Company, ControlForm::Either});
    set("NPQRSW", {IdentityKind::Company, ControlForm::Letter});
    return rules;
}();

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// What the first character of a text makes of it, in either case.
struct IdentityClass {
    IdentityKind kind = IdentityKind::None;
    char letter = '\0';  // upper case; '\0' for a DNI
    LetterRule rule;
};

IdentityClass ClassifyIdentity(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const char first = AsciiUpper(text.front());
    if (IsAsciiDigit(first)) {
        return {IdentityKind::Dni, '\0', {}};
    }
    if (first < 'A' || first > 'Z') {
        return {};
    }
    const LetterRule rule = kLetterRules[static_cast<std::size_t>(first - 'A')];
    return {rule.kind, rule.kind == IdentityKind::None ? '\0' : first, rule};
}

// A DNI's number has up to 8 digits; after a letter, 7.
std::size_t MaxNumberDigits(IdentityClass identity) {
    return identity.kind == IdentityKind::Dni ? 8 : 7;
}

struct IdentityBody {
    std::string_view number;        // the digits of the number, not yet zero-filled
    std::string_view typedControl;  // the character after the number, or ""
    bool invalid = true;
};

// Splits the body (the text after the class letter; the whole text for a DNI) into the number
// and a typed control character. A number longer than its kind allows is refused rather than cut
// down to a different number.
IdentityBody SplitIdentityBody(std::string_view body, IdentityClass identity) {
    IdentityBody result;
    if (body.empty()) {
        return result;
    }
    std::string_view number = body;
    if (!IsAsciiDigit(body.back())) {
        number = WithoutLastChar(body);  // the control may be any character, "ñ" too
        if (number.empty()) {
            return result;
        }
    } else if (identity.kind == IdentityKind::Company && body.size() == 8) {
        number = body.substr(0, 7);  // eight digits: the last one is a typed control digit
    }
    // Only digits are left in a number, so from here on bytes are characters.
    if (!AllDigits(number) || number.size() > MaxNumberDigits(identity)) {
        return result;
    }
    result.number = number;
    result.typedControl = body.substr(number.size());
    result.invalid = false;
    return result;
}

// The value of a person's number for its letter: after X, Y or Z the first of its eight digits
// is 0, 1 or 2 respectively.
std::uint32_t PersonNumber(IdentityClass identity, std::string_view digits) {
    std::uint32_t rest = 0;
    for (char c : digits) {
        rest = rest * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return identity.rule.nieDigit * 10'000'000 + rest;  // below 10^8
}

// The standard form of a number read as `identity` and `split`, given its analysis: the class
// letter, the number zero-filled and the control character. Gathered byte by byte and appended
// once: a list writes millions of these.
void AppendStandardForm(IdentityClass identity, const IdentityBody& split,
                        const IdentityAnalysis& analysis, std::string& form) {
    // The typed control character, upper-cased, or else the computed one. One byte upper-cases
    // as ASCII does: only a letter of two bytes ("ñ") needs the whole rule.
    char one = analysis.controlDigit != '\0' ? analysis.controlDigit : analysis.controlChar;
    std::string buffer;
    std::string_view control(&one, 1);
    if (split.typedControl.size() == 1) {
        one = AsciiUpper(split.typedControl[0]);
    } else if (!split.typedControl.empty()) {
        control = UpperCase(split.typedControl, buffer);
    }
    std::array<char, 1 + 8 + 4> text{};  // a letter, eight digits, one character of UTF-8
    std::size_t size = 0;
    if (identity.letter != '\0') {
        text[size++] = identity.letter;
    }
    const std::size_t zeros = MaxNumberDigits(identity) - split.number.size();
    for (std::size_t i = 0; i < zeros; ++i) {
        text[size++] = '0';
    }
    for (const std::string_view part : {split.number, control}) {
        for (char c : part) {
            text[size++] = c;
        }
    }
    form.append(text.data(), size);
}

// AnalyseIdentity, and with `form` the standard form appended to it, from one reading. Case
// matters only to the class letter and the typed control character: digits have none.
IdentityAnalysis Analyse(std::string_view text, std::string* form) {
    const std::string_view trimmed = TrimBlanks(text);
    IdentityAnalysis result;
    const IdentityClass identity = ClassifyIdentity(trimmed);
    if (identity.kind == IdentityKind::None) {
        return result;
    }
    result.kind = identity.kind;
    result.letter = identity.letter;
    // A digit belongs to the number; a letter leads it (and is a single byte).
    const IdentityBody split =
        SplitIdentityBody(trimmed.substr(identity.letter == '\0' ? 0 : 1), identity);
    if (split.invalid) {
        return result;
    }
    const bool company = identity.kind == IdentityKind::Company;
    CifControl control;
    if (company) {
        control = CifControlChar(split.number);
        result.controlChar = control.letter;
        // Where a digit is allowed, the window shows it beside the letter.
        if (identity.rule.form != ControlForm::Letter) {
            result.controlDigit = control.digit;
        }
    } else {
        result.controlChar = kDniLetters[PersonNumber(identity, split.number) % kDniLetters.size()];
    }
    if (!split.typedControl.empty()) {
        const char typed = split.typedControl.size() == 1 ? AsciiUpper(split.typedControl[0]) : 0;
        const bool letterRight = typed == result.controlChar;
        const bool digitRight = company && typed == control.digit;
        const ControlForm form = identity.rule.form;
        const bool allowed = !company || form == ControlForm::Either ||
                             (form == ControlForm::Letter ? letterRight : digitRight);
        result.wrongForm = (letterRight || digitRight) && !allowed;
        result.status = (letterRight || digitRight) && allowed ? IdentityStatus::Matches
                                                               : IdentityStatus::Mismatch;
    } else {
        result.status = IdentityStatus::Computed;
    }
    if (form != nullptr) {
        AppendStandardForm(identity, split, result, *form);
    }
    return result;
}

}  // namespace

ControlForm CompanyControlForm(char letter) {
    return letter >= 'A' && letter <= 'Z'
               ? kLetterRules[static_cast<std::size_t>(letter - 'A')].form
               : ControlForm::Letter;
}

IdentityAnalysis AnalyseIdentity(std::string_view text) {
    return Analyse(text, nullptr);
}

IdentityAnalysis AnalyseIdentity(std::string_view text, std::string& form) {
    return Analyse(text, &form);
}

IdentityDisplay DisplayIdentityField(std::string_view fieldText) {
    IdentityDisplay display;
    display.caption = std::string(kNoEntityCaption);
    if (fieldText.empty()) {
        return display;
    }
    IdentityAnalysis analysis = AnalyseIdentity(fieldText);
    display.caption = std::string(EntityTypeText(analysis.kind, analysis.letter));
    if (analysis.status == IdentityStatus::Matches || analysis.status == IdentityStatus::Computed) {
        display.letter.assign(1, analysis.controlChar);
        if (analysis.controlDigit != '\0') {
            display.digit.assign(1, analysis.controlDigit);
        }
    } else {
        display.red = true;
        display.reason = IdentityRowReason(analysis);
    }
    return display;
}

std::string IdentityFieldText(std::string_view text) {
    std::string tidied;
    std::string buffer;
    const std::string_view field = IdentityFieldTextOfTidy(TidyPastedText(text, tidied), buffer);
    return field.data() == buffer.data() ? std::move(buffer) : std::string(field);
}

std::string_view IdentityFieldTextOfTidy(std::string_view tidy, std::string& buffer) {
    // Bytes that are no text (never a number) are kept as they stand: taking a separator from
    // between two of them could make them a character. Without separators there are none to go.
    if (!HasNumberSeparator(tidy) || !IsWellFormed(tidy)) {
        return tidy;
    }
    std::string compact = WithoutSeparators(tidy);
    if (CharCount(compact) > kIdentityFieldLength) {
        return tidy;
    }
    buffer = std::move(compact);
    return buffer;
}

}  // namespace minizol
