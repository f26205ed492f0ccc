#include "checkdigits/pasted_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "common/byte_words.h"
#include "common/text_case.h"
#include "common/utf8_text.h"

namespace minizol {
namespace {

// White space as Unicode counts it, and the invisible marks web pages put between digits.
bool IsWhiteSpace(std::string_view character) {
    if (character.size() == 1) {
        const char c = character[0];
        return c == ' ' || (c >= '\t' && c <= '\r');
    }
    for (std::string_view space :
         {"\u0085", "\u00A0", "\u1680", "\u2000", "\u2001", "\u2002", "\u2003", "\u2004",
          "\u2005", "\u2006", "\u2007", "\u2008", "\u2009", "\u200A", "\u200B", "\u2028",
          "\u2029", "\u202F", "\u205F", "\u2060", "\u3000", "\uFEFF"}) {
        if (character == space) {
            return true;
        }
    }
    return false;
}

bool IsDash(std::string_view character) {
    if (character.size() == 1) {
        return false;  // "-" itself is no dash to rewrite, and the others lie past ASCII
    }
    for (std::string_view dash : {"\u2010", "\u2011", "\u2012", "\u2013", "\u2014", "\u2015",
                                  "\u2212", "\uFE63", "\uFF0D"}) {
        if (character == dash) {
            return true;
        }
    }
    return false;
}

// Printable ASCII without lower case and without a blank at either end: tidy as it stands, as
// most numbers of a list are.
bool AlreadyTidy(std::string_view text) {
    if (!text.empty() && (text.front() == ' ' || text.back() == ' ')) {
        return false;
    }
    return MarkedBytes(text, '0', [](std::uint64_t word) {
               return UnprintableBytes(word) | LowerCaseBytes(word);
           }) == 0;
}

// The text with its white space and dashes tidied, upper-cased, into `buffer`. Kept out of line,
// so that the common case, a text tidy as it stands, needs no stack frame.
[[gnu::noinline]] std::string_view Retidy(std::string_view text, std::string& buffer) {
    std::string tidy;
    tidy.reserve(text.size());
    std::size_t blanks = 0;  // held back until a character follows them
    for (std::size_t pos = 0; pos < text.size();) {
        const std::string_view character = text.substr(pos, CharLengthAt(text, pos));
        pos += character.size();
        if (IsWhiteSpace(character)) {
            blanks += tidy.empty() ? 0 : 1;
            continue;
        }
        tidy.append(blanks, ' ');
        blanks = 0;
        if (IsDash(character)) {
            tidy += '-';
        } else {
            tidy += character;
        }
    }
    const std::string_view upper = UpperCase(tidy, buffer);
    if (upper.data() == tidy.data()) {
        buffer = std::move(tidy);
    }
    return buffer;
}

// 1 for a character that a number keeps, 0 for a separator: looked up rather than compared, so
// that a loop over a number has no branch to miss.
constexpr std::array<std::uint8_t, 256> kKept = [] {
    std::array<std::uint8_t, 256> kept{};
    for (int c = 0; c < 256; ++c) {
        kept[static_cast<std::size_t>(c)] = IsNumberSeparator(static_cast<char>(c)) ? 0 : 1;
    }
    return kept;
}();

}  // namespace

std::string TidyPastedText(std::string_view text) {
    std::string buffer;
    const std::string_view tidy = TidyPastedText(text, buffer);
    return tidy.data() == buffer.data() ? std::move(buffer) : std::string(tidy);
}

std::string_view TidyPastedText(std::string_view text, std::string& buffer) {
    return AlreadyTidy(text) ? text : Retidy(text, buffer);
}

bool HasNumberSeparator(std::string_view text) {
    unsigned kept = 1;
    for (char c : text) {
        kept &= kKept[static_cast<unsigned char>(c)];
    }
    return kept == 0;
}

std::string WithoutSeparators(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    AppendWithoutSeparators(kept, text);
    return kept;
}

void AppendWithoutSeparators(std::string& out, std::string_view text) {
    const std::size_t start = out.size();
    out.resize(start + text.size());
    out.resize(start + *CopyWithoutSeparators(text, out.data() + start, text.size()));
}

std::optional<std::size_t> CopyWithoutSeparators(std::string_view text, char* out,
                                                 std::size_t room) {
    // Each character is written whatever it is, and kept by counting it: no branch to miss.
    std::size_t size = 0;
    if (text.size() <= room) {
        for (char c : text) {
            out[size] = c;
            size += kKept[static_cast<unsigned char>(c)];
        }
        return size;
    }
    for (char c : text) {
        const bool kept = kKept[static_cast<unsigned char>(c)] != 0;
        if (size == room) {
            if (kept) {
                return std::nullopt;
            }
            continue;
        }
        out[size] = c;
        size += kept ? 1 : 0;
    }
    return size;
}

}  // namespace minizol
