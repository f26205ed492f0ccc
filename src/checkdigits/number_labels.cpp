#include "checkdigits/number_labels.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>

#include "checkdigits/pasted_text.h"
#include "common/text_case.h"

namespace minizol {
namespace {

bool IsAlphanumeric(char c) {
    return IsAsciiUpper(c) || IsAsciiDigit(c);
}

std::string_view SkipBlanks(std::string_view text) {
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    return text;
}

// What follows a label: the blanks and the colon after it go.
std::string_view AfterColon(std::string_view text) {
    text = SkipBlanks(text);
    return text.starts_with(':') ? SkipBlanks(text.substr(1)) : text;
}

// A word of a label as written, its dots left out: "D.N.I." reads as "DNI", "N.º" as "Nº".
struct Word {
    std::array<char, 12> letters{};
    std::size_t size = 0;
    std::size_t end = 0;  // where the word stops in the text
    bool dotted = false;

    std::string_view Letters() const { return {letters.data(), size}; }
};

// The letters of the Spanish words a label uses past ASCII: "Ú" and "º".
constexpr std::array<std::string_view, 2> kWideLetters = {"\u00DA", "\u00BA"};

Word ReadWord(std::string_view text, std::size_t pos) {
    Word word;
    while (pos < text.size()) {
        const std::string_view rest = text.substr(pos);
        std::string_view letter;
        if (IsAsciiUpper(rest[0])) {
            letter = rest.substr(0, 1);
        } else if (rest[0] == '.' && word.size > 0) {
            word.dotted = true;
            ++pos;
            continue;
        } else {
            for (std::string_view wide : kWideLetters) {
                if (rest.starts_with(wide)) {
                    letter = wide;
                }
            }
        }
        if (letter.empty() || word.size + letter.size() > word.letters.size()) {
            break;
        }
        for (char c : letter) {
            word.letters[word.size++] = c;
        }
        pos += letter.size();
    }
    word.end = pos;
    return word;
}

template <std::size_t N>
bool IsOneOf(std::string_view letters, const std::array<std::string_view, N>& words) {
    for (std::string_view word : words) {
        if (letters == word) {
            return true;
        }
    }
    return false;
}

constexpr std::array<std::string_view, 4> kIdentityWords = {"DNI", "NIE", "NIF", "CIF"};
constexpr std::array<std::string_view, 3> kAccountWords = {"IBAN", "CCC", "CUENTA"};
// "Nº", "NÚM.", "número": the number's own word, before or after the kind.
constexpr std::array<std::string_view, 5> kNumberWords = {"N\u00BA", "NUM", "N\u00DAM", "NUMERO",
                                                          "N\u00DAMERO"};

// The kind a word names, when it names one.
NumberLabel KindOfWord(std::string_view letters) {
    if (IsOneOf(letters, kIdentityWords)) {
        return NumberLabel::Identity;
    }
    return IsOneOf(letters, kAccountWords) ? NumberLabel::Account : NumberLabel::None;
}

// The words of a label in front of the number and where the number starts: a kind ("NIF",
// "Cuenta") with the words that go with it ("Nº de cuenta", "NIF-IVA", "cuenta bancaria").
struct Label {
    NumberLabel kind = NumberLabel::None;
    std::size_t end = 0;
};

Label ReadLabel(std::string_view text) {
    Label label;
    std::size_t pos = 0;
    for (bool first = true;; first = false) {
        Word word = ReadWord(text, pos);
        NumberLabel kind = KindOfWord(word.Letters());
        if (kind == NumberLabel::None && first && !word.dotted) {
            // A kind written against the number, as in "NIFB12345674".
            for (std::string_view known : {"DNI", "NIE", "NIF", "CIF", "IBAN", "CCC"}) {
                if (word.Letters().starts_with(known)) {
                    kind = KindOfWord(known);
                    word.end = known.size();
                    break;
                }
            }
            if (kind != NumberLabel::None) {
                label = {kind, word.end};
                break;
            }
        }
        // Any word but a kind ends where a word ends: "DE89..." is a German IBAN, not "de".
        const bool ends = word.end == text.size() || !IsAlphanumeric(text[word.end]);
        const std::string_view letters = word.Letters();
        if (kind != NumberLabel::None) {
            label = {kind, word.end};
        } else if (!ends || word.size == 0) {
            break;
        } else if (label.kind != NumberLabel::None &&
                   (IsOneOf(letters, kNumberWords) ||
                    (letters == "IVA" && label.kind == NumberLabel::Identity) ||
                    (letters == "BANCARIA" && label.kind == NumberLabel::Account))) {
            label.end = word.end;
        } else if (label.kind != NumberLabel::None ||
                   !(IsOneOf(letters, kNumberWords) || letters == "DE")) {
            break;  // only "Nº de" may come before the kind
        }
        pos = word.end;
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '-')) {
            ++pos;
        }
        if (pos < text.size() && text[pos] == ':') {
            break;
        }
    }
    return label;
}

// "ES" and a complete NIF of nine characters (seven digits between a first and a last character,
// one of them a letter at least), the separators aside: the Spanish VAT number. Its NIF, or "".
std::string_view WithoutVatPrefix(std::string_view text) {
    if (!text.starts_with("ES")) {
        return {};
    }
    std::string_view rest = text.substr(2);
    // Two digits and a blank straight after "ES" are an IBAN's check digits and its first group
    // ("ES80 4429 57X"), however short: no one writes a NIF so.
    if (rest.size() > 2 && IsAsciiDigit(rest[0]) && IsAsciiDigit(rest[1]) && rest[2] == ' ') {
        return {};
    }
    while (!rest.empty() && IsNumberSeparator(rest.front())) {
        rest.remove_prefix(1);
    }
    std::array<char, 10> compact{};
    const std::optional<std::size_t> size =
        CopyWithoutSeparators(rest, compact.data(), compact.size());
    // A NIF has a letter at one end at least: nine digits after "ES" are a short IBAN.
    if (!size || *size != 9 || !IsAlphanumeric(compact[0]) || !IsAlphanumeric(compact[8]) ||
        (!IsAsciiUpper(compact[0]) && !IsAsciiUpper(compact[8]))) {
        return {};
    }
    for (std::size_t i = 1; i < 8; ++i) {
        if (!IsAsciiDigit(compact[i])) {
            return {};
        }
    }
    return rest;
}

// A BIC after the account, as "... BIC CAIXESBBXXX", "... - BIC: CAIXESBBXXX" or
// "... (SWIFT/BIC CAIXESBBXXX)": where its label starts, and the BIC.
struct TrailingBic {
    std::size_t labelAt = 0;
    std::string_view bic;
};

// The longest word read as a BIC: eleven characters and one more, to say what is wrong with it.
constexpr std::size_t kLongestBicWord = 12;

// Read from the end, where a BIC stands last: a bare account costs a look at its last few
// characters, as a list of a million has.
std::optional<TrailingBic> FindTrailingBic(std::string_view text) {
    std::string_view body = text;
    if (body.ends_with(')')) {
        body = body.substr(0, body.find_last_not_of(' ', body.size() - 2) + 1);
    }
    std::size_t size = 0;
    while (size < body.size() && size <= kLongestBicWord &&
           IsAlphanumeric(body[body.size() - 1 - size])) {
        ++size;
    }
    if (size == 0 || size > kLongestBicWord || size == body.size()) {
        return std::nullopt;
    }
    std::string_view head = body.substr(0, body.size() - size);
    head = head.substr(0, head.find_last_not_of(' ') + 1);
    if (head.ends_with(':')) {
        head = head.substr(0, head.find_last_not_of(' ', head.size() - 2) + 1);
    }
    for (std::string_view name : {"BIC/SWIFT", "SWIFT/BIC", "SWIFT-BIC", "BIC", "SWIFT"}) {
        const std::size_t at = head.size() - std::min(name.size(), head.size());
        if (head.ends_with(name) && at > 0 && !IsAlphanumeric(head[at - 1])) {
            return TrailingBic{at, body.substr(body.size() - size)};
        }
    }
    return std::nullopt;
}

// Whether a text may start with a label: its first letter starts one of their words, and its
// second is no digit (every word of a label has two letters at least). Most numbers come bare,
// and are told by these two characters.
bool MayStartALabel(std::string_view text) {
    return text.size() >= 2 &&
           (text[0] == 'D' || text[0] == 'N' || text[0] == 'C' || text[0] == 'I') &&
           !IsAsciiDigit(text[1]);
}

// The longest "ES" and NIF, its separators included, worth reading as a VAT number.
constexpr std::size_t kLongestVatNumber = 2 + 9 + 4;

}  // namespace

std::string_view WithoutIsbnLabel(std::string_view text) {
    if (!text.starts_with("ISBN")) {
        return text;
    }
    const std::string_view rest = text.substr(4);
    const std::string_view attached = rest.starts_with('-') ? rest.substr(1) : rest;
    const std::string_view spaced = SkipBlanks(rest);
    for (std::string_view kind : {"10", "13"}) {
        if (attached.starts_with(kind)) {
            return AfterColon(attached.substr(kind.size()));
        }
        // After a blank, only a colon tells the kind from the number's own first digits.
        if (spaced.starts_with(kind) && SkipBlanks(spaced.substr(kind.size())).starts_with(':')) {
            return AfterColon(spaced.substr(kind.size()));
        }
    }
    return AfterColon(rest);
}

namespace {

// What ReadLabelledNumber reads of a text that may carry a label, a prefix or a BIC. Kept out of
// line, so that a bare number costs no more than the look that tells it is one.
[[gnu::noinline]] LabelledNumber ReadLabels(std::string_view tidy) {
    LabelledNumber read{NumberLabel::None, tidy, {}};
    const std::string_view isbn = WithoutIsbnLabel(tidy);
    if (isbn.size() != tidy.size()) {
        return {NumberLabel::Isbn, isbn, {}};
    }
    if (MayStartALabel(tidy)) {
        const Label label = ReadLabel(tidy);
        if (label.kind != NumberLabel::None) {
            read = {label.kind, AfterColon(tidy.substr(label.end)), {}};
        }
    }
    if (read.label != NumberLabel::Account && read.number.size() <= kLongestVatNumber) {
        if (const std::string_view nif = WithoutVatPrefix(read.number); !nif.empty()) {
            return {NumberLabel::Identity, nif, {}};
        }
    }
    // A BIC follows an account number: a text shorter than both is none.
    if (read.label != NumberLabel::Identity && read.number.size() > 20) {
        if (const std::optional<TrailingBic> bic = FindTrailingBic(read.number)) {
            std::string_view number = read.number.substr(0, bic->labelAt);
            while (!number.empty() && (IsNumberSeparator(number.back()) || number.back() == ',' ||
                                       number.back() == ';' || number.back() == '(')) {
                number.remove_suffix(1);
            }
            return {NumberLabel::Account, number, bic->bic};
        }
    }
    return read;
}

}  // namespace

LabelledNumber ReadLabelledNumber(std::string_view tidy) {
    // Every label and prefix starts with two characters that are no digits, and only a text
    // longer than an account can hold a BIC after one: most numbers of a list (a DNI, a CIF, an
    // ISBN) are read with this look alone.
    const bool mayLead = tidy.size() >= 2 && !IsAsciiDigit(tidy[0]) && !IsAsciiDigit(tidy[1]);
    if (!mayLead && tidy.size() <= 20) {
        return {NumberLabel::None, tidy, {}};
    }
    return ReadLabels(tidy);
}

}  // namespace minizol
