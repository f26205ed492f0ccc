#include "checkdigits/identity.h"

#include <utility>

#include "checkdigits/cif.h"
#include "checkdigits/utf8_text.h"

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

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::size_t MaxNumberDigits(IdentityKind kind, std::string_view class_char) {
    return kind == IdentityKind::Person && class_char == "0" ? 8 : 7;
}

// A foreign resident's number stands for eight digits whose first is given by its letter.
char ForeignPrefixDigit(std::string_view class_char) {
    if (class_char == "X") {
        return '0';
    }
    if (class_char == "Y") {
        return '1';
    }
    return class_char == "Z" ? '2' : '\0';
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
    const char first = UpperAscii(text.front());
    if (IsDigit(first)) {
        result.class_char = "0";
        result.kind = IdentityKind::Person;
    } else if (kPersonLetters.find(first) != std::string_view::npos) {
        result.class_char = std::string(1, first);
        result.kind = IdentityKind::Person;
    } else if (kCompanyLetters.find(first) != std::string_view::npos) {
        result.class_char = std::string(1, first);
        result.kind = IdentityKind::Company;
    } else {
        return result;
    }
    result.invalid = false;
    return result;
}

IdentityBody SplitIdentityBody(std::string_view body, IdentityKind kind,
                               std::string_view class_char) {
    IdentityBody result;
    const std::size_t length = CharCount(body);
    if (length == 0) {
        return result;
    }
    const bool ends_in_digit = IsDigit(body.back());
    if (length == 1 && !ends_in_digit) {
        return result;
    }
    std::string_view number = body;
    if (!ends_in_digit) {
        number = WithoutLastChar(body);
        result.typed_control = std::string(body.substr(number.size()));
    } else if (kind == IdentityKind::Company && length == 8) {
        number = CharSlice(body, 0, 7);  // eight digits: the last one is a typed control digit
        result.typed_control = std::string(body.substr(number.size()));
    }
    if (!AllDigits(number) || number.size() > MaxNumberDigits(kind, class_char)) {
        result.typed_control.clear();
        return result;
    }
    result.number = std::string(number);
    result.invalid = false;
    return result;
}

std::string PadIdentityNumber(IdentityKind kind, std::string_view class_char,
                              std::string_view number) {
    const std::string filled = "00000000" + std::string(number);
    if (kind == IdentityKind::Company) {
        return std::string(LastChars(filled, 7)) + " ";
    }
    const char prefix = ForeignPrefixDigit(class_char);
    if (prefix == '\0') {
        return std::string(LastChars(filled, 8));
    }
    return prefix + std::string(LastChars(filled, 7));
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

IdentityAnalysis AnalyseIdentity(std::string_view text) {
    std::string upper(TrimBlanks(text));
    for (char& c : upper) {
        c = UpperAscii(c);
    }
    IdentityAnalysis result;
    const IdentityClass identity = ClassifyIdentity(upper);
    result.class_char = identity.class_char;
    if (identity.invalid) {
        return result;
    }
    // A digit belongs to the number; a letter leads it (and is a single byte).
    const std::string_view body =
        identity.class_char == "0" ? std::string_view(upper) : std::string_view(upper).substr(1);
    const IdentityBody split = SplitIdentityBody(body, identity.kind, identity.class_char);
    if (split.invalid) {
        return result;
    }
    const std::string padded = PadIdentityNumber(identity.kind, identity.class_char, split.number);
    if (identity.kind == IdentityKind::Person) {
        result.control_char = DniLetter(padded);
    } else {
        CifControl control = CifControlChar(padded, identity.class_char);
        result.control_char = std::move(control.letter);
        result.control_digit = std::move(control.digit);
    }
    if (!split.typed_control.empty()) {
        const bool matches =
            split.typed_control == result.control_char ||
            (!result.control_digit.empty() && split.typed_control == result.control_digit);
        result.status = matches ? IdentityStatus::Matches : IdentityStatus::Mismatch;
    } else {
        result.status =
            result.control_char.empty() ? IdentityStatus::NotComputable : IdentityStatus::Computed;
    }
    return result;
}

IdentityDisplay DisplayIdentityField(std::string_view field_text) {
    IdentityDisplay display;
    display.caption = std::string(kNoEntityCaption);
    if (field_text.empty()) {
        return display;
    }
    IdentityAnalysis analysis = AnalyseIdentity(field_text);
    display.caption = std::string(EntityTypeText(analysis.class_char));
    if (analysis.status == IdentityStatus::Matches || analysis.status == IdentityStatus::Computed) {
        display.letter = std::move(analysis.control_char);
        display.digit = std::move(analysis.control_digit);
    } else {
        display.red = true;
    }
    return display;
}

}  // namespace minizol
