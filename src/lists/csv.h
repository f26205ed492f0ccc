#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace minizol {

// CSV as spreadsheets write it (RFC 4180): fields between separators, a field in double quotes
// may hold separators, line breaks and doubled quotes. A quote anywhere else is a character of
// its field, as spreadsheets read it.

enum class CsvState : std::uint8_t { FieldStart, Unquoted, Quoted, QuoteInQuoted };

// The state after `c`, for any byte but a line feed; a line feed ends the record in every state
// but Quoted.
constexpr CsvState CsvStep(CsvState state, char c, char separator) {
    using enum CsvState;
    switch (state) {
        case Quoted:
            return c == '"' ? QuoteInQuoted : Quoted;
        case QuoteInQuoted:
            // A doubled quote stands for one; after the closing quote the field runs on unquoted.
            return c == '"' ? Quoted : c == separator ? FieldStart : Unquoted;
        case FieldStart:
            return c == '"' ? Quoted : c == separator ? FieldStart : Unquoted;
        case Unquoted:
            break;
    }
    return c == separator ? FieldStart : Unquoted;
}

// Field `column` (from 0) of a record, its quotes undone, into `field`; false when the record has
// fewer fields.
bool CsvField(std::string_view record, char separator, std::size_t column, std::string& field);

// How many fields a record has: one more than its separators outside quotes.
std::size_t CsvFieldCount(std::string_view record, char separator);

// Appends `text` as one field, quoted when it holds the separator, a quote or a line break.
void AppendCsvField(std::string& out, std::string_view text, char separator);

}  // namespace minizol
