#include "common/text_case.h"

#include <cstdint>

#include "common/byte_words.h"

namespace minizol {
namespace {

void AppendUpperCase(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (c == 0xC3 && next >= 0xA0 && next <= 0xBE && next != 0xB7) {
            // U+00E0..U+00FE to U+00C0..U+00DE; U+00F7 is the division sign, not a letter.
            out += static_cast<char>(c);
            out += static_cast<char>(next - 0x20);
            ++i;
        } else if (c == 0xC3 && next == 0xBF) {
            out += "\xC5\xB8";  // U+00FF to U+0178
            ++i;
        } else {
            out += AsciiUpper(static_cast<char>(c));
        }
    }
}

// Only ASCII lower case and the lead byte of a Latin-1 letter change.
bool ChangedByUpperCase(std::string_view text) {
    return MarkedBytes(text, ' ', [](std::uint64_t word) {
               return LowerCaseBytes(word) | BytesEqual(word, 0xC3);
           }) != 0;
}

}  // namespace

std::string UpperCase(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 1);
    AppendUpperCase(out, text);
    return out;
}

std::string_view UpperCase(std::string_view text, std::string& buffer) {
    if (!ChangedByUpperCase(text)) {
        return text;
    }
    buffer.clear();
    AppendUpperCase(buffer, text);
    return buffer;
}

}  // namespace minizol
