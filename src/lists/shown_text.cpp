#include "lists/shown_text.h"

#include <locale.h>
#include <wchar.h>

#include <algorithm>

#include "common/utf8_text.h"

namespace minizol {
namespace {

constexpr std::string_view kReplacement = "\uFFFD";
constexpr std::string_view kEllipsis = "\u2026";

bool IsPlain(std::string_view text, std::size_t most) {
    bool plain = text.size() <= most;
    for (char c : text) {
        plain = plain && c >= 0x20 && c < 0x7F;
    }
    return plain;
}

// The code point of a well-formed sequence of `length` bytes.
char32_t CodePoint(std::string_view sequence) {
    const auto lead = static_cast<unsigned char>(sequence[0]);
    if (sequence.size() == 1) {
        return lead;
    }
    char32_t point = lead & (0x7F >> sequence.size());
    for (std::size_t i = 1; i < sequence.size(); ++i) {
        point = point << 6 | (static_cast<unsigned char>(sequence[i]) & 0x3F);
    }
    return point;
}

bool IsLineBreakOrControl(std::string_view character) {
    const auto lead = static_cast<unsigned char>(character[0]);
    return (character.size() == 1 && (lead < 0x20 || lead == 0x7F)) ||
           (character.size() == 2 && lead == 0xC2 &&
            static_cast<unsigned char>(character[1]) < 0xA0) ||
           character == "\u2028" || character == "\u2029";
}

// The symbol a terminal shows for a control character, which it would otherwise act on.
std::string ControlPicture(std::string_view character) {
    const char32_t point = CodePoint(character);
    const char32_t picture = point < 0x20 ? 0x2400 + point : point == 0x7F ? 0x2421 : 0xFFFD;
    std::string text(3, '\0');
    text[0] = static_cast<char>(0xE0 | (picture >> 12));
    text[1] = static_cast<char>(0x80 | ((picture >> 6) & 0x3F));
    text[2] = static_cast<char>(0x80 | (picture & 0x3F));
    return text;
}

}  // namespace

void AppendPrintable(std::string& out, std::string_view text, std::size_t most) {
    if (IsPlain(text, most)) {
        out += text;  // as almost every number is written
        return;
    }
    std::size_t shown = 0;
    for (std::size_t pos = 0; pos < text.size(); ++shown) {
        if (shown == most) {
            out += kEllipsis;
            return;
        }
        const auto lead = static_cast<unsigned char>(text[pos]);
        if (lead >= 0x20 && lead < 0x7F) {
            out += static_cast<char>(lead);
            ++pos;
            continue;
        }
        const std::size_t length = CharLengthAt(text, pos);
        const std::string_view character = text.substr(pos, length);
        const bool control = (length == 1 && lead != '\t') || character == "\u0085" ||
                             character == "\u2028" || character == "\u2029";
        out += control ? kReplacement : character;
        pos += length;
    }
}

std::size_t DisplayWidth(char32_t character) {
    if (character >= 0x20 && character < 0x7F) {
        return 1;
    }
    // The C library knows the widths of Unicode's characters in a UTF-8 locale, whatever the
    // user's own; C.UTF-8 is always there.
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    if (utf8 == nullptr) {
        return 1;
    }
    const locale_t previous = uselocale(utf8);
    const int width = wcwidth(static_cast<wchar_t>(character));
    uselocale(previous);
    return width < 0 ? 1 : static_cast<std::size_t>(width);
}

void AppendTerminalCell(std::string& out, std::string_view text, std::size_t width, bool pad) {
    std::size_t used = 0;
    const std::size_t start = out.size();
    std::size_t cutAt = start;  // where the text is cut if it turns out too wide
    std::size_t usedAtCut = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = std::max<std::size_t>(1, CharLengthAt(text, pos));
        const std::string_view character = text.substr(pos, length);
        pos += length;
        std::string shown;
        std::size_t columns = 1;
        if (!IsWellFormed(character)) {
            shown = kReplacement;
        } else if (IsLineBreakOrControl(character)) {
            shown = ControlPicture(character);
        } else {
            shown = character;
            columns = DisplayWidth(CodePoint(character));
        }
        if (used + columns > width) {
            // Room for the ellipsis: cut back to where the text still left a column free.
            out.resize(cutAt);
            out += kEllipsis;
            used = usedAtCut + 1;
            break;
        }
        if (used + columns <= width - 1 || width == 0) {
            cutAt = out.size() + shown.size();
            usedAtCut = used + columns;
        }
        out += shown;
        used += columns;
    }
    if (pad && used < width) {
        out.append(width - used, ' ');
    }
}

}  // namespace minizol
