#include "comprobar/csv.h"

#include <cstring>

namespace minizol {

bool CsvField(std::string_view record, char separator, std::size_t column, std::string& field) {
    field.clear();
    std::size_t index = 0;
    CsvState state = CsvState::FieldStart;
    for (char c : record) {
        const CsvState next = CsvStep(state, c, separator);
        if (c == separator && next == CsvState::FieldStart) {
            if (index == column) {
                return true;
            }
            ++index;
        } else if (index == column &&
                   !(c == '"' && (state == CsvState::FieldStart || state == CsvState::Quoted))) {
            field += c;  // opening and closing quotes go, the second of a doubled one stays
        }
        state = next;
    }
    return index == column;
}

std::size_t CsvFieldCount(std::string_view record, char separator) {
    std::size_t count = 1;
    CsvState state = CsvState::FieldStart;
    for (char c : record) {
        const CsvState next = CsvStep(state, c, separator);
        count += c == separator && next == CsvState::FieldStart ? 1 : 0;
        state = next;
    }
    return count;
}

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

// Whether any of the eight bytes of `word` is `byte`: the high bit of a byte survives
// (x - 1) & ~x only where x is zero.
constexpr bool HasByte(std::uint64_t word, char byte) {
    const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(byte));
    return ((x - kOnes) & ~x & kHighBits) != 0;
}

bool IsSpecial(char c, char separator) {
    return c == separator || c == '"' || c == '\n' || c == '\r';
}

// Whether the text holds the separator, a quote or a line break; eight bytes at a time.
bool NeedsQuotes(std::string_view text, char separator) {
    std::size_t pos = 0;
    for (; pos + sizeof(std::uint64_t) <= text.size(); pos += sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + pos, sizeof word);
        if (HasByte(word, separator) || HasByte(word, '"') || HasByte(word, '\n') ||
            HasByte(word, '\r')) {
            return true;
        }
    }
    for (; pos < text.size(); ++pos) {
        if (IsSpecial(text[pos], separator)) {
            return true;
        }
    }
    return false;
}

}  // namespace

void AppendCsvField(std::string& out, std::string_view text, char separator) {
    if (!NeedsQuotes(text, separator)) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

}  // namespace minizol
