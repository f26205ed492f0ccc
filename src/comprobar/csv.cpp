#include "comprobar/csv.h"

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

void AppendCsvField(std::string& out, std::string_view text, char separator) {
    std::size_t plain = 0;
    while (plain < text.size()) {
        const char c = text[plain];
        if (c == separator || c == '"' || c == '\n' || c == '\r') {
            break;
        }
        ++plain;
    }
    if (plain == text.size()) {
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
