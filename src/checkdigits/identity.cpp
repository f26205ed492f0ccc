#include "checkdigits/identity.h"

#include <algorithm>
#include <utility>

#include "checkdigits/cif.h"
#include "checkdigits/pasted_text.h"
#include "common/text_case.h"
#include "common/utf8_text.h"

namespace minizol {
namespace {

constexpr std::string_view kCompanyLetters = "ABCDEFGHSPQNJUVWR";
constexpr std::string_view kPersonLetters = "KLXMYZ";
constexpr std::string_view kDniLetters = "TRWAGMYFPDXBNJZSQVHLCKE";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return true;
}

std::size_t MaxNumberDigits(IdentityKind kind, std::string_view classChar) {
    return kind == IdentityKind::Person && classChar == "0" ? 8 : 7;
}

// A foreign resident's number stands for eight digits whose first is given by its letter.
char ForeignPrefixDigit(std::string_view classChar) {
    if (classChar == "X") {
        return '0';
    }
    if (classChar == "Y") {
        return '1';
    }
    return classChar == "Z" ? '2' : '\0';
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

IdentityClass ClassifyIdentity(std::string_view text) {
    IdentityClass result;
    if (text.empty()) {
        return result;
    }
    const char first = AsciiUpper(text.front());
    if (IsDigit(first)) {
        result.classChar = "0";
        result.kind = IdentityKind::Person;
    } else if (kPersonLetters.find(first) != std::string_view::npos) {
        result.classChar = std::string(1, first);
        result.kind = IdentityKind::Person;
    } else if (kCompanyLetters.find(first) != std::string_view::npos) {
        result.classChar = std::string(1, first);
        result.kind = IdentityKind::Company;
    } else {
        return result;
    }
    result.invalid = false;
    return result;
}

IdentityBody SplitIdentityBody(std::string_view body, IdentityKind kind,
                               std::string_view classChar) {
    IdentityBody result;
    const std::size_t length = CharCount(body);
    if (length == 0) {
        return result;
    }
    const bool endsInDigit = IsDigit(body.back());
    if (length == 1 && !endsInDigit) {
        return result;
    }
    std::string_view number = body;
    if (!endsInDigit) {
        number = WithoutLastChar(body);
        result.typedControl = std::string(body.substr(number.size()));
    } else if (kind == IdentityKind::Company && length == 8) {
        number = CharSlice(body, 0, 7);  // eight digits: the last one is a typed control digit
        result.typedControl = std::string(body.substr(number.size()));
    }
    if (!AllDigits(number) || number.size() > MaxNumberDigits(kind, classChar)) {
        result.typedControl.clear();
        return result;
    }
    result.number = std::string(number);
    result.invalid = false;
    return result;
}

std::string PadIdentityNumber(IdentityKind kind, std::string_view classChar,
                              std::string_view number) {
    // The number's last digits, zero-filled on the left: 7 for a company and after X, Y or Z
    // (whose letter gives the first of 8), else 8.
    const char prefix = kind == IdentityKind::Company ? '\0' : ForeignPrefixDigit(classChar);
    const std::size_t width = kind == IdentityKind::Person && prefix == '\0' ? 8 : 7;
    std::string padded;
    if (prefix != '\0') {
        padded += prefix;
    }
    const std::size_t count = CharCount(number);
    if (count >= width) {
        padded += LastChars(number, width);
    } else {
        padded.append(width - count, '0');
        padded += number;
    }
    if (kind == IdentityKind::Company) {
        padded += ' ';
    }
    return padded;
}

std::string DniLetter(std::string_view digits) {
    if (digits.empty() || !AllDigits(digits)) {
        return {};
    }
    std::size_t remainder = 0;
    for (char c : digits) {
        remainder = (remainder * 10 + static_cast<std::size_t>(c - '0')) % kDniLetters.size();
    }
    return std::string(1, kDniLetters[remainder]);
}

namespace {

// The standard form of a number read as `identity` and `split`, given its analysis.
void AppendStandardForm(const IdentityClass& identity, const IdentityBody& split,
                        const IdentityAnalysis& analysis, std::string& form) {
    if (identity.classChar != "0") {
        form += identity.classChar;
    }
    form.append(MaxNumberDigits(identity.kind, identity.classChar) - split.number.size(), '0');
    form += split.number;
    if (!split.typedControl.empty()) {
        form += split.typedControl;
    } else {
        form += analysis.controlDigit.empty() ? analysis.controlChar : analysis.controlDigit;
    }
}

// The text's class and body, read upper-cased without the blanks around it.
IdentityBody ReadIdentity(std::string_view upper, const IdentityClass& identity) {
    // A digit belongs to the number; a letter leads it (and is a single byte).
    const bool led = identity.classChar != "0";
    return SplitIdentityBody(upper.substr(led ? 1 : 0), identity.kind, identity.classChar);
}

// AnalyseIdentity, and with `form` the standard form appended to it, from one reading.
IdentityAnalysis Analyse(std::string_view text, std::string* form) {
    std::string buffer;
    const std::string_view upper = UpperCase(TrimBlanks(text), buffer);
    IdentityAnalysis result;
    const IdentityClass identity = ClassifyIdentity(upper);
    result.classChar = identity.classChar;
    if (identity.invalid) {
        return result;
    }
    const IdentityBody split = ReadIdentity(upper, identity);
    if (split.invalid) {
        return result;
    }
    const std::string padded = PadIdentityNumber(identity.kind, identity.classChar, split.number);
    if (identity.kind == IdentityKind::Person) {
        result.controlChar = DniLetter(padded);
    } else {
        CifControl control = CifControlChar(padded, identity.classChar);
        result.controlChar = std::move(control.letter);
        result.controlDigit = std::move(control.digit);
    }
    if (!split.typedControl.empty()) {
        const bool matches =
            split.typedControl == result.controlChar ||
            (!result.controlDigit.empty() && split.typedControl == result.controlDigit);
        result.status = matches ? IdentityStatus::Matches : IdentityStatus::Mismatch;
    } else {
        result.status =
            result.controlChar.empty() ? IdentityStatus::NotComputable : IdentityStatus::Computed;
    }
    if (form != nullptr && !result.controlChar.empty()) {
        AppendStandardForm(identity, split, result, *form);
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
        display.letter = std::move(analysis.controlChar);
        display.digit = std::move(analysis.controlDigit);
    } else {
        display.red = true;
    }
    return display;
}

std::string IdentityFieldText(std::string_view text) {
    std::string buffer;
    const std::string_view field = IdentityFieldText(text, buffer);
    return field.data() == buffer.data() ? std::move(buffer) : std::string(field);
}

std::string_view IdentityFieldText(std::string_view text, std::string& buffer) {
    const std::string_view tidy = TidyPastedText(text, buffer);
    // Bytes that are no text (never a number) are kept as they stand: taking a separator from
    // between two of them could make them a character. Without separators there are none to go.
    if (std::ranges::none_of(tidy, IsNumberSeparator) || !IsWellFormed(tidy)) {
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
