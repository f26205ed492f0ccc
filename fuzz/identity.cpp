// The identity analysis on any field text: results within their alphabets, a number completed with
// the computed control character then matching, and a typed control character wrong (red) exactly
// when it is not the one computed; and how a paste lands in the field.
#include "checkdigits/identity.h"

#include <string>

#include "checkdigits/pasted_text.h"
#include "common/text_case.h"
#include "common/utf8_text.h"
#include "fuzz_support.h"

namespace minizol::fuzz {
namespace {

constexpr std::string_view kDniLetters = "TRWAGMYFPDXBNJZSQVHLCKE";
constexpr std::string_view kCifLetters = "ABCDEFGHIJ";
constexpr std::string_view kClassLetters = "KLXMYZABCDEFGHSPQNJUVWR";
// Companies whose control character is only ever a digit, and those where it is only a letter.
constexpr std::string_view kDigitOnly = "ABEH";
constexpr std::string_view kLetterOnly = "NPQRSW";

bool OneOf(char character, std::string_view alphabet) {
    return character != '\0' && alphabet.find(character) != std::string_view::npos;
}

// A character of the analysis as text: "" for none.
std::string Text(char character) {
    return character == '\0' ? std::string() : std::string(1, character);
}

std::string Describe(std::string_view text, const IdentityAnalysis& a) {
    return Quoted(text) + " status " + std::to_string(static_cast<int>(a.status)) + " kind " +
           std::to_string(static_cast<int>(a.kind)) + " letter " + Quoted(Text(a.letter)) +
           " control " + Quoted(Text(a.controlChar)) + " digit " + Quoted(Text(a.controlDigit));
}

void CheckCompletion(std::string_view text, char control, const std::string& how) {
    const std::string completed = std::string(TrimSpaces(text)) + control;
    const IdentityAnalysis again = AnalyseIdentity(completed);
    FUZZ_CHECK(again.status == IdentityStatus::Matches, how + ": " + Describe(completed, again));
}

// A paste lands in the field losing only white space around it and the separators between
// groups, and only when the rest fits: no digit or letter is lost, and what stays is final.
void CheckPasteLanding(std::string_view text) {
    const std::string kept = IdentityFieldText(text);
    const std::string detail = Quoted(text) + " kept as " + Quoted(kept);
    FUZZ_CHECK(WithoutSeparators(kept) == WithoutSeparators(TidyPastedText(text)), detail);
    FUZZ_CHECK(IdentityFieldText(kept) == kept, detail);
    FUZZ_CHECK(CharCount(kept) <= kIdentityFieldLength || kept == TidyPastedText(text), detail);
}

}  // namespace
}  // namespace minizol::fuzz

FUZZ_TARGET(input) {
    const std::string_view text = input.TakeRest();
    CheckPasteLanding(text);
    const IdentityAnalysis analysis = AnalyseIdentity(text);
    const std::string detail = Describe(text, analysis);

    const std::string_view trimmed = TrimSpaces(text);
    const char first = trimmed.empty() ? '\0' : AsciiUpper(trimmed.front());
    const bool ledByDigit = first >= '0' && first <= '9';
    FUZZ_CHECK((analysis.kind == IdentityKind::Dni) == ledByDigit, detail);
    FUZZ_CHECK(analysis.letter == (OneOf(first, kClassLetters) ? first : '\0'), detail);
    if (analysis.status == IdentityStatus::Invalid) {
        FUZZ_CHECK(analysis.controlChar == '\0' && analysis.controlDigit == '\0', detail);
    } else {
        FUZZ_CHECK(analysis.kind != IdentityKind::None, detail);
    }
    const bool person = ledByDigit || OneOf(analysis.letter, "KLXMYZ");
    FUZZ_CHECK(
        analysis.kind == IdentityKind::None || person == (analysis.kind != IdentityKind::Company),
        detail);
    if (analysis.controlChar != '\0') {
        FUZZ_CHECK(OneOf(analysis.controlChar, person ? kDniLetters : kCifLetters), detail);
    }
    if (analysis.controlDigit != '\0') {
        FUZZ_CHECK(!person && OneOf(analysis.controlDigit, "0123456789"), detail);
        FUZZ_CHECK(OneOf(analysis.letter, "ABCDEFGHJUV"), detail);
    }
    FUZZ_CHECK(analysis.status != IdentityStatus::Computed || analysis.controlChar != '\0', detail);

    // Case and surrounding blanks do not matter.
    const std::string lower = AsciiLower(text);
    const IdentityAnalysis lowered = AnalyseIdentity("  " + lower + " ");
    FUZZ_CHECK(lowered.status == analysis.status && lowered.controlChar == analysis.controlChar &&
                   lowered.controlDigit == analysis.controlDigit,
               detail + " lowered: " + Describe(lower, lowered));

    const bool digitOnly = OneOf(analysis.letter, kDigitOnly);
    const bool letterOnly = person || OneOf(analysis.letter, kLetterOnly);
    if (analysis.status == IdentityStatus::Computed) {
        if (!digitOnly) {
            CheckCompletion(text, analysis.controlChar, "completed with the letter");
        }
        // A digit control character is only told apart from the number after seven digits.
        const std::string_view body = TrimSpaces(text).substr(1);
        if (analysis.controlDigit != '\0' && body.size() == 7) {
            CheckCompletion(text, analysis.controlDigit, "completed with the digit");
        }
    }

    if (analysis.status == IdentityStatus::Matches || analysis.status == IdentityStatus::Mismatch) {
        const std::string_view number = WithoutLastChar(trimmed);
        std::string typed(trimmed.substr(number.size()));
        typed[0] = typed[0] >= 'a' && typed[0] <= 'z' ? static_cast<char>(typed[0] - 32) : typed[0];
        const IdentityAnalysis base = AnalyseIdentity(number);
        FUZZ_CHECK(base.status == IdentityStatus::Computed, detail + " without " + Quoted(typed));
        const bool right =
            (!digitOnly && typed == Text(base.controlChar)) ||
            (!letterOnly && base.controlDigit != '\0' && typed == Text(base.controlDigit));
        FUZZ_CHECK((analysis.status == IdentityStatus::Matches) == right, detail);
    }
}
