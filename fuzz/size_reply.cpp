// The ruler's size dialog reply. Input: a byte choosing the locale's separators, six bytes from
// which a reply of two known numbers is written in that locale (so the parse has an oracle),
// then any reply text. Accepted sizes lie within 0 to 1000, and reading is stable.
#include "ruler/size_reply.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"

namespace minizol::fuzz {
namespace {

// Separators of real locales, as QLocale gives them.
const std::array<NumberSyntax, 10> kSyntaxes = {{{".", ","},
                                                 {",", "."},
                                                 {",", "\u00A0"},
                                                 {",", "\u202F"},
                                                 {".", "'"},
                                                 {".", "\u2019"},
                                                 {"\u066B", "\u066C"},
                                                 {",", ""},
                                                 {".", " "},
                                                 {",", " "}}};

std::string Describe(std::string_view reply, const SizeReply& r) {
    return Quoted(reply) + " kind " + std::to_string(static_cast<int>(r.kind)) + " " +
           std::to_string(r.width) + "x" + std::to_string(r.height) + " text " + Quoted(r.text);
}

// A fraction and whether it rounds the whole part up (1), down (0) or to the even neighbour (-1).
constexpr std::array<std::pair<std::string_view, int>, 8> kFractions = {
    {{"", 0}, {"5", -1}, {"50", -1}, {"4", 0}, {"49999", 0}, {"6", 1}, {"500001", 1}, {"0", 0}}};

struct Written {
    std::string text;
    int value;  // rounded, with its sign
};

Written WriteNumber(int value, std::uint8_t style, const NumberSyntax& syntax) {
    const int magnitude = std::abs(value);
    std::string digits = std::to_string(magnitude);
    if ((style & 0x08) != 0 && !syntax.groupSeparator.empty()) {
        for (int pos = static_cast<int>(digits.size()) - 3; pos > 0; pos -= 3) {
            digits.insert(static_cast<std::size_t>(pos), syntax.groupSeparator);
        }
    }
    const auto& [fraction, roundsUp] = kFractions[style & 0x07];
    std::string text = value < 0 ? "-" : ((style & 0x10) != 0 ? "+" : "");
    text += digits;
    if (!fraction.empty()) {
        text += syntax.decimalSeparator;
        text += fraction;
    }
    const int up = roundsUp >= 0 ? roundsUp : magnitude % 2;
    const int rounded = magnitude + up;
    return {text, value < 0 ? -rounded : rounded};
}

void CheckWrittenReply(Input& input, const NumberSyntax& syntax) {
    const auto width = static_cast<std::int16_t>(input.Byte() | (input.Byte() << 8));
    const auto height = static_cast<std::int16_t>(input.Byte() | (input.Byte() << 8));
    const std::uint8_t styleW = input.Byte();
    const std::uint8_t styleH = input.Byte();
    const Written w = WriteNumber(width, styleW, syntax);
    const Written h = WriteNumber(height, styleH, syntax);
    const std::string blank = (styleW & 0x20) != 0 ? " " : ((styleW & 0x40) != 0 ? "\t" : "");
    const std::string reply = (styleH & 0x20) != 0 ? "  " : "";
    const std::string text = reply + w.text + blank + ((styleH & 0x40) != 0 ? "x" : "X") + blank +
                             h.text + ((styleH & 0x80) != 0 ? " " : "");
    const SizeReply parsed = ParseSizeReply(text, syntax);
    const bool inRange = w.value >= kRulerSizeMin && w.value <= kRulerSizeMax &&
                         h.value >= kRulerSizeMin && h.value <= kRulerSizeMax;
    const std::string detail = Describe(text, parsed) + ", written " + std::to_string(w.value) +
                               "x" + std::to_string(h.value);
    FUZZ_CHECK(parsed.kind == (inRange ? SizeReplyKind::Accepted : SizeReplyKind::Rejected),
               detail);
    if (inRange) {
        FUZZ_CHECK(parsed.width == w.value && parsed.height == h.value, detail);
    }
}

void CheckAnyReply(std::string_view reply, const NumberSyntax& syntax) {
    const SizeReply r = ParseSizeReply(reply, syntax);
    const std::string detail = Describe(reply, r);
    FUZZ_CHECK(r.text.empty() == (r.kind == SizeReplyKind::Empty), detail);
    FUZZ_CHECK(!r.text.starts_with(' ') && !r.text.ends_with(' '), detail);
    FUZZ_CHECK(r.text.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos, detail);
    if (r.kind == SizeReplyKind::Accepted) {
        FUZZ_CHECK(std::min(r.width, r.height) >= kRulerSizeMin &&
                       std::max(r.width, r.height) <= kRulerSizeMax,
                   detail);
        FUZZ_CHECK(r.text.find('X') != std::string::npos && r.text.find('X') == r.text.rfind('X'),
                   detail);
    } else {
        FUZZ_CHECK(r.width == 0 && r.height == 0, detail);
    }
    // The rejected reply comes back as the dialog's default: reading it again changes nothing.
    const SizeReply again = ParseSizeReply(r.text, syntax);
    FUZZ_CHECK(again.kind == r.kind && again.width == r.width && again.height == r.height &&
                   again.text == r.text,
               detail + " again " + Describe(r.text, again));
}

}  // namespace
}  // namespace minizol::fuzz

FUZZ_TARGET(input) {
    const NumberSyntax& syntax = kSyntaxes[input.Byte() % kSyntaxes.size()];
    CheckWrittenReply(input, syntax);
    CheckAnyReply(input.TakeRest(), syntax);
}
