#include "lists/record_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "lists/csv.h"
#include "support/memory_source.h"

namespace minizol {
namespace {

// The records of `input`, as "line:text" joined by "|", a too long one as "line:LONG", read in
// chunks of every size from one byte up so that no record end depends on where a read stops.
std::string Records(std::string_view input, std::optional<char> separator) {
    std::string first;
    for (std::size_t chunk : {std::size_t{1}, std::size_t{2}, std::size_t{7}, input.size()}) {
        MemorySource source(input, chunk);
        RecordReader reader(source, separator);
        std::string seen;
        while (const std::optional<Record> record = reader.Next()) {
            seen += (seen.empty() ? "" : "|") + std::to_string(record->line) + ":" +
                    (record->tooLong ? std::string("LONG") : std::string(record->text));
        }
        EXPECT_EQ(reader.error(), 0);
        if (chunk == 1) {
            first = seen;
        } else {
            EXPECT_TRUE(seen == first) << "in chunks of " << chunk << ": " << seen.substr(0, 80);
        }
    }
    return first;
}

TEST(RecordReader, ReadsLinesAndCsvRecords) {
    const std::string longLine(RecordReader::kLongestRecord + 1, 'x');
    const std::string longest(RecordReader::kLongestRecord, 'x');
    struct Case {
        std::string input;
        std::optional<char> separator;
        std::string records;
    };
    const Case cases[] = {
        {"a\nb\n", {}, "1:a|2:b"},
        {"a\r\nb", {}, "1:a|2:b"},
        {"\xEF\xBB\xBF"
         "12345678Z\r\n",
         {},
         "1:12345678Z"},
        {"\xEF\xBB\xBF", {}, ""},
        {"", {}, ""},
        {"\n\nx\n", {}, "1:|2:|3:x"},
        {std::string("a\0b\n\xff", 5), {}, std::string("1:a\0b|2:\xff", 9)},
        {"\"a;b\";c\nd", ';', "1:\"a;b\";c|2:d"},
        {"\"two\nlines\";x\r\ny", ';', "1:\"two\nlines\";x|3:y"},
        {"\xEF\xBB\xBF\"a\";b\n", ';', "1:\"a\";b"},
        {"5\" disco;x\ny", ';', "1:5\" disco;x|2:y"},
        {"\"two\nlines\",x", {}, "1:\"two|2:lines\",x"},
        {longest + "\r\nok", {}, "1:" + longest + "|2:ok"},
        {longLine + "\nok\n", {}, "1:LONG|2:ok"},
        {longLine + longLine + "\r\n\nok", {}, "1:LONG|2:|3:ok"},
        // An unclosed quote costs its line, not the rest of the input.
        {"\"open\n" + longLine + "\nok\n", ';', "1:LONG|3:ok"},
    };
    for (const Case& c : cases) {
        const std::string records = Records(c.input, c.separator);
        EXPECT_TRUE(records == c.records) << c.input.substr(0, 40) << ": " << records.substr(0, 80);
    }
}

TEST(RecordReader, StopsAtAReadErrorAfterTheWholeRecordsBeforeIt) {
    MemorySource source("a\nb\npart", 3, true);
    RecordReader reader(source);
    EXPECT_EQ(reader.Next()->text, "a");
    EXPECT_EQ(reader.Next()->text, "b");
    EXPECT_FALSE(reader.Next().has_value());
    EXPECT_EQ(reader.error(), EIO);
}

TEST(Csv, FieldsAsSpreadsheetsWriteThem) {
    struct Case {
        const char* record;
        std::size_t column;
        const char* field;  // nullptr: the record has no such field
    };
    const Case cases[] = {
        {"a;b;c", 1, "b"},
        {"\"García; Juan\";ES91", 0, "García; Juan"},
        {"\"Pérez \"\"El Rápido\"\"\";3", 0, "Pérez \"El Rápido\""},
        {"\"two\nlines\";x", 0, "two\nlines"},
        {"a;;c", 1, ""},
        {"a;b", 2, nullptr},
        {"", 0, ""},
        {"5\" disco;x", 0, "5\" disco"},
        {"\"ES91\" 2100;x", 0, "ES91 2100"},
    };
    std::string field;
    for (const Case& c : cases) {
        EXPECT_EQ(CsvField(c.record, ';', c.column, field), c.field != nullptr) << c.record;
        if (c.field != nullptr) {
            EXPECT_EQ(field, c.field) << c.record;
        }
    }
    EXPECT_EQ(CsvFieldCount("\"a;b\";c;", ';'), 3u);
    for (const char* text : {"plain", "a;b", "say \"hi\"", "two\r\nlines", ""}) {
        std::string written;
        AppendCsvField(written, text, ';');
        EXPECT_EQ(written.front() == '"',
                  std::string_view(text).find_first_of(";\"\r\n") != std::string_view::npos)
            << text;
        ASSERT_TRUE(CsvField(written, ';', 0, field));
        EXPECT_EQ(field, text);
    }
}

}  // namespace
}  // namespace minizol
