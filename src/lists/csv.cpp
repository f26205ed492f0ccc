#include "lists/csv.h"

#include <cstdint>

#include "common/byte_words.h"

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

// Whether the text holds the separator, a quote or a line break; eight bytes at a time.
bool NeedsQuotes(std::string_view text, char separator) {
    const auto special = [separator](std::uint64_t word) {
        return BytesEqual(word, static_cast<unsigned char>(separator)) | BytesEqual(word, '"') |
               BytesEqual(word, '\n') | BytesEqual(word, '\r');
    };
    const char filler = separator == '0' ? '1' : '0';  // no special byte
    return MarkedBytes(text, filler, special) != 0;
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
