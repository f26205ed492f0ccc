#include "checkdigits/identity.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "checkdigits/cif.h"
#include "checkdigits/pasted_text.h"
#include "common/byte_words.h"
#include "common/text_case.h"
#include "common/utf8_text.h"

namespace minizol {
namespace {

enum class IdentityKind : std::uint8_t { Person, Company };

constexpr std::string_view kCompanyLetters = "ABCDEFGHSPQNJUVWR";
constexpr std::string_view kPersonLetters = "KLXMYZ";
constexpr std::string_view kDniLetters = "TRWAGMYFPDXBNJZSQVHLCKE";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// What the first character of a text makes of it, in either case.
struct IdentityClass {
    char classChar = '\0';  // '0' when led by a digit, else the letter; '\0' when refused
    IdentityKind kind = IdentityKind::Person;
};

IdentityClass ClassifyIdentity(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const char first = AsciiUpper(text.front());
    if (IsDigit(first)) {
        return {'0', IdentityKind::Person};
    }
    if (IsOneOf(first, kPersonLetters)) {
        return {first, IdentityKind::Person};
    }
    if (IsOneOf(first, kCompanyLetters)) {
        return {first, IdentityKind::Company};
    }
    return {};
}

// A DNI's number has up to 8 digits; after a letter, 7.
std::size_t MaxNumberDigits(IdentityClass identity) {
    return identity.classChar == '0' ? 8 : 7;
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
    if (!IsDigit(body.back())) {
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

// The number zero-filled for the control computation: 8 digits for a person, 7 for a company.
// After X, Y or Z the first of the 8 digits is 0, 1 or 2 respectively.
struct PaddedNumber {
    std::array<char, 8> digits{};
    std::size_t size = 0;

    std::string_view View() const { return {digits.data(), size}; }
};

PaddedNumber PadIdentityNumber(IdentityClass identity, std::string_view number) {
    PaddedNumber padded;
    padded.size = identity.kind == IdentityKind::Company ? 7 : 8;
    padded.digits.fill('0');
    if (identity.classChar == 'Y') {
        padded.digits[0] = '1';
    } else if (identity.classChar == 'Z') {
        padded.digits[0] = '2';
    }
    std::copy(number.begin(), number.end(), padded.digits.begin() + padded.size - number.size());
    return padded;
}

// The letter of "TRWAGMYFPDXBNJZSQVHLCKE" for eight decimal digits.
char DniLetter(std::string_view digits) {
    std::uint32_t number = 0;  // below 10^8
    for (char c : digits) {
        number = number * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return kDniLetters[number % kDniLetters.size()];
}

// The standard form of a number read as `identity` and `split`, given its analysis.
// The number is the padded one's last digits, which after X, Y or Z leave out the letter's digit.
void AppendStandardForm(IdentityClass identity, const IdentityBody& split,
                        const PaddedNumber& padded, const IdentityAnalysis& analysis,
                        std::string& form) {
    const char computed =
        analysis.controlDigit != '\0' ? analysis.controlDigit : analysis.controlChar;
    std::string buffer;
    const std::string_view control = split.typedControl.empty()
                                         ? std::string_view(&computed, 1)
                                         : UpperCase(split.typedControl, buffer);
    const std::string_view number = padded.View().substr(padded.size - MaxNumberDigits(identity));
    // Gathered first and appended once: a list writes millions of these.
    std::array<char, 1 + 8 + 4> text{};  // a letter, eight digits, one character of UTF-8
    auto at = text.begin();
    if (identity.classChar != '0') {
        *at++ = identity.classChar;
    }
    at = std::copy(number.begin(), number.end(), at);
    at = std::copy(control.begin(), control.end(), at);
    form.append(text.begin(), at);
}

// AnalyseIdentity, and with `form` the standard form appended to it, from one reading. Case
// matters only to the class letter and the typed control character: digits have none.
IdentityAnalysis Analyse(std::string_view text, std::string* form) {
    const std::string_view trimmed = TrimBlanks(text);
    IdentityAnalysis result;
    const IdentityClass identity = ClassifyIdentity(trimmed);
    if (identity.classChar == '\0') {
        return result;
    }
    result.classChar = identity.classChar;
    // A digit belongs to the number; a letter leads it (and is a single byte).
    const IdentityBody split =
        SplitIdentityBody(trimmed.substr(identity.classChar == '0' ? 0 : 1), identity);
    if (split.invalid) {
        return result;
    }
    const PaddedNumber padded = PadIdentityNumber(identity, split.number);
    if (identity.kind == IdentityKind::Person) {
        result.controlChar = DniLetter(padded.View());
    } else {
        const CifControl control = CifControlChar(padded.View(), identity.classChar);
        result.controlChar = control.letter;
        result.controlDigit = control.digit;
    }
    if (!split.typedControl.empty()) {
        const auto typed = [&](char control) {
            return control != '\0' && split.typedControl.size() == 1 &&
                   AsciiUpper(split.typedControl[0]) == control;
        };
        const bool matches = typed(result.controlChar) || typed(result.controlDigit);
        result.status = matches ? IdentityStatus::Matches : IdentityStatus::Mismatch;
    } else {
        result.status = IdentityStatus::Computed;
    }
    if (form != nullptr) {
        AppendStandardForm(identity, split, padded, result, *form);
    }
    return result;
}

}  // namespace

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
    display.caption = std::string(EntityTypeText(analysis.classChar));
    if (analysis.status == IdentityStatus::Matches || analysis.status == IdentityStatus::Computed) {
        display.letter.assign(1, analysis.controlChar);
        if (analysis.controlDigit != '\0') {
            display.digit.assign(1, analysis.controlDigit);
        }
    } else {
        display.red = true;
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
