#include "lists/report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "lists/csv.h"

namespace minizol {
namespace {

// The report `write` makes, as it reaches a file.
std::string Report(ReportWriter::Format format, char separator,
                   const std::function<void(ReportWriter&)>& write) {
    std::FILE* file = std::tmpfile();
    EXPECT_NE(file, nullptr);
    ReportWriter report(fileno(file), format, separator, false);
    write(report);
    EXPECT_TRUE(report.Flush());
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) {
        text += static_cast<char>(c);
    }
    std::fclose(file);
    return text;
}

TEST(Report, LineNumbersAsTheyGrowAndStartAgain) {
    const std::uint64_t lines[] = {8, 9, 10, 11, 99, 100, 999999, 1000000, 1000001, 3, 4};
    const NumberCheck check = CheckNumber("12345678Z");
    const auto write = [&](ReportWriter& report) {
        for (std::uint64_t line : lines) {
            report.Row(line, "12345678Z", check, "");
        }
    };
    std::string csv;
    std::string terminal;
    for (std::uint64_t line : lines) {
        const std::string number = std::to_string(line);
        csv += number + ",12345678Z,DNI,correcto,Z,12345678Z,\n";
        terminal += std::string(number.size() < 7 ? 7 - number.size() : 0, ' ') + number;
        terminal += "  12345678Z" + std::string(27, ' ') + "DNI       correcto      Z";
        terminal += std::string(7, ' ') + "12345678Z\n";
    }
    EXPECT_EQ(Report(ReportWriter::Format::Csv, ',', write), csv);
    EXPECT_EQ(Report(ReportWriter::Format::Terminal, ',', write), terminal);
}

// A separator that stands in a cell, the constant ones included, puts that cell in quotes; the
// line number is never quoted.
TEST(Report, CellsHoldingTheSeparatorAreQuoted) {
    struct Case {
        char separator;
        const char* number;
        const char* row;
    };
    const Case cases[] = {
        {'o', "12345678Z", "1o12345678ZoDNIo\"correcto\"oZo12345678Zo\n"},
        {'-', "0-8044-2957-X", "1-\"0-8044-2957-X\"-\"ISBN-10\"-correcto-X-080442957X-\n"},
        {'1', "12345678Z", "11\"12345678Z\"1DNI1correcto1Z1\"12345678Z\"1\n"},
        {' ', "ES91 2100 0418 4502 0005 1332",
         "1 \"ES91 2100 0418 4502 0005 1332\" IBAN correcto \"91 45\" "
         "\"ES91 2100 0418 4502 0005 1332\" \"Caja de ah. y pensiones de barcelona\"\n"},
    };
    for (const Case& c : cases) {
        const NumberCheck check = CheckNumber(c.number);
        EXPECT_EQ(Report(ReportWriter::Format::Csv, c.separator,
                         [&](ReportWriter& report) { report.Row(1, c.number, check, ""); }),
                  c.row);
    }
}

// One byte that must be quoted or replaced, at every place of cells of every length up to past
// two words: the cell reads back as written, an entry's control characters as U+FFFD.
TEST(Report, EveryCellReadsBackWhateverItHolds) {
    std::string field;
    for (const char odd : {';', '"', '\n', '\x01', '\x7f', '\xc3'}) {
        for (std::size_t size = 1; size <= 17; ++size) {
            for (std::size_t pos = 0; pos < size; ++pos) {
                std::string text(size, '7');
                text[pos] = odd;
                std::string shown = text;
                if (odd != ';' && odd != '"') {
                    shown.replace(pos, 1, "\uFFFD");
                }
                // The entry, then the control, form and bank cells, each in turn.
                for (std::size_t cell = 0; cell < 4; ++cell) {
                    NumberCheck check;
                    check.blank = false;
                    (cell == 1 ? check.control : check.form) = cell == 1 || cell == 2 ? text : "";
                    check.bank = cell == 3 ? std::string_view(text) : "";
                    const std::string_view entry = cell == 0 ? std::string_view(text) : "8";
                    std::string row = Report(ReportWriter::Format::Csv, ';',
                                             [&](ReportWriter& r) { r.Row(1, entry, check, ""); });
                    ASSERT_TRUE(row.ends_with('\n'));
                    row.pop_back();
                    ASSERT_TRUE(CsvField(row, ';', cell == 0 ? 1 : 3 + cell, field)) << row;
                    EXPECT_EQ(field, cell == 0 ? shown : text) << row;
                    EXPECT_EQ(CsvFieldCount(row, ';'), 7u) << row;
                }
            }
        }
    }
}

}  // namespace
}  // namespace minizol
