#include "lists/report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "common/utf8_text.h"
#include "lists/csv.h"
#include "lists/text_encoding.h"

namespace minizol {
namespace {

// What a report writer makes, as it reaches a file.
template <typename Writer, typename... Arguments>
std::string Report(const std::function<void(ReportWriter&)>& write, Arguments... arguments) {
    std::FILE* file = std::tmpfile();
    EXPECT_NE(file, nullptr);
    {
        Writer report(fileno(file), arguments...);
        write(report);
        EXPECT_TRUE(report.Finish());
    }
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) {
        text += static_cast<char>(c);
    }
    std::fclose(file);
    return text;
}

CsvForm Form(char separator, std::string_view lineEnd = "\n") {
    return {separator, lineEnd, TextForm{}};
}

std::string Csv(const std::function<void(ReportWriter&)>& write, CsvForm form = Form(','),
                bool withColumn = false) {
    return Report<CsvReport>(write, form, withColumn);
}

std::string Terminal(const std::function<void(ReportWriter&)>& write, bool withColumn = false) {
    return Report<TerminalReport>(write, withColumn);
}

void Row(ReportWriter& report, std::uint64_t line, std::string_view entry,
         const OwnFields& own = OwnFields(), std::string_view column = "") {
    const NumberCheck check = CheckNumber(entry);
    report.Row(line, own, CheckedCells(column, entry, check), check.verdict);
}

TEST(Report, LineNumbersAsTheyGrowAndStartAgain) {
    const std::uint64_t lines[] = {8, 9, 10, 11, 99, 100, 999999, 1000000, 1000001, 3, 4};
    const auto write = [&](ReportWriter& report) {
        for (std::uint64_t line : lines) {
            Row(report, line, "12345678Z");
        }
    };
    std::string csv;
    std::string terminal;
    for (std::uint64_t line : lines) {
        const std::string number = std::to_string(line);
        csv += number + ",12345678Z,DNI,correcto,Z,12345678Z,,,\n";
        terminal += std::string(number.size() < 7 ? 7 - number.size() : 0, ' ') + number;
        terminal += "  12345678Z" + std::string(35, ' ') + "DNI       correcto      Z";
        terminal += std::string(7, ' ') + "12345678Z\n";
    }
    EXPECT_EQ(Csv(write), csv);
    EXPECT_EQ(Terminal(write), terminal);
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
        {'o', "12345678Z", "1o12345678ZoDNIo\"correcto\"oZo12345678Zooo\n"},
        {'-', "0-8044-2957-X", "1-\"0-8044-2957-X\"-\"ISBN-10\"-correcto-X-080442957X---\n"},
        {'1', "12345678Z", "11\"12345678Z\"1DNI1correcto1Z1\"12345678Z\"111\n"},
        {' ', "ES91 2100 0418 4502 0005 1332",
         "1 \"ES91 2100 0418 4502 0005 1332\" IBAN correcto \"91 45\" "
         "\"ES91 2100 0418 4502 0005 1332\" \"Caja de ah. y pensiones de barcelona\" CAIXESBB \n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Csv([&](ReportWriter& report) { Row(report, 1, c.number); }, Form(c.separator)),
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
                    std::string row = Csv(
                        [&](ReportWriter& r) {
                            r.Row(1, OwnFields(), CheckedCells("", entry, check), check.verdict);
                        },
                        Form(';'));
                    ASSERT_TRUE(row.ends_with('\n'));
                    row.pop_back();
                    ASSERT_TRUE(CsvField(row, ';', cell == 0 ? 1 : 3 + cell, field)) << row;
                    EXPECT_EQ(field, cell == 0 ? shown : text) << row;
                    EXPECT_EQ(CsvFieldCount(row, ';'), 9u) << row;
                }
            }
        }
    }
}

// Results stand under their names whatever the user's rows hold: a short record is filled up, a
// long one's extra fields follow the results; fields in the report's separator come back byte
// for byte, others are written again in it.
TEST(Report, OwnFieldsKeepTheResultsUnderTheirNames) {
    struct Case {
        const char* record;
        char recordSeparator;
        char separator;
        const char* row;
    };
    const Case cases[] = {
        {"Ana;ES91 2100 0418 4502 0005 1332", ';', ';', "Ana;ES91 2100 0418 4502 0005 1332;"},
        {"Ana", ';', ';', "Ana;;"},
        {"\"Pe;ña\";x;nota;extra", ';', ';', "\"Pe;ña\";x;"},
        {"\"Pe;ña\",x,nota", ',', ';', "\"Pe;ña\";x;"},
        {"Ana,\"a;b\"", ',', ';', "Ana;\"a;b\";"},
    };
    const std::string results = "2;12345678Z;DNI;correcto;Z;12345678Z;;;";
    for (const Case& c : cases) {
        const std::string report = Csv(
            [&](ReportWriter& report) {
                const OwnFields own = OwnFields::Record(c.record, c.recordSeparator);
                report.Header(OwnFields::Record("nombre;cuenta", ';'), OwnFields());
                Row(report, 2, "12345678Z", own);
            },
            Form(c.separator));
        const std::string header =
            "nombre;cuenta;linea;entrada;tipo;resultado;control;forma;banco;bic;motivo\n";
        std::string extra;
        std::string record = c.record;
        if (record.ends_with("nota;extra")) {
            extra = ";nota;extra";
        } else if (record.ends_with(",nota")) {
            extra = ";nota";
        }
        EXPECT_EQ(report, header + c.row + results + extra + "\n") << c.record;
    }
}

// Cells of a sheet go out as CSV fields, quoted where they must; without a header, as many empty
// names as the first row has cells.
TEST(Report, CellsBecomeFields) {
    const std::vector<std::string> cells = {"Peña; hijos", "12345678Z", "\"x\""};
    const std::string report = Csv(
        [&](ReportWriter& report) {
            report.Header(OwnFields(), OwnFields::Cells(cells));
            Row(report, 7, "12345678Z", OwnFields::Cells(cells), "B");
        },
        Form(',', "\r\n"), true);
    EXPECT_EQ(report,
              ",,,linea,columna,entrada,tipo,resultado,control,forma,banco,bic,motivo\r\n"
              "Peña; hijos,12345678Z,\"\"\"x\"\"\",7,B,12345678Z,DNI,correcto,Z,12345678Z,,,\r\n");
}

// The report comes back in the input's own form: its encoding, its BOM, its line ends; a user's
// bytes that Windows-1252 leaves undefined come back too.
TEST(Report, WrittenInTheInputsForm) {
    struct Case {
        TextForm form;
        std::string bom;
        std::string name;  // "Peña" and an undefined byte, as the input holds them
    };
    const Case cases[] = {
        {{TextEncoding::Utf8, false},
         "",
         "Pe\xC3\xB1"
         "a\xC2\x81"},
        {{TextEncoding::Utf8, true},
         "\xEF\xBB\xBF",
         "Pe\xC3\xB1"
         "a\xC2\x81"},
        {{TextEncoding::Windows1252, false},
         "",
         "Pe\xF1"
         "a\x81"},
    };
    for (const Case& c : cases) {
        const std::string report = Csv(
            [&](ReportWriter& report) {
                const OwnFields own = OwnFields::Record(
                    "Pe\xC3\xB1"
                    "a\xC2\x81",
                    ';');
                report.Header(OwnFields(), own);
                Row(report, 1, "12345678Z", own);
            },
            {';', "\r\n", c.form});
        EXPECT_EQ(report, c.bom +
                              ";linea;entrada;tipo;resultado;control;forma;banco;bic;motivo\r\n" +
                              c.name + ";1;12345678Z;DNI;correcto;Z;12345678Z;;;\r\n")
            << static_cast<int>(c.form.encoding);
    }
    std::string utf16;
    TextConverter(TextEncoding::Utf16Le, TextConverter::Direction::ToUtf8)
        .Convert(Csv(
                     [](ReportWriter& report) {
                         report.Header(OwnFields(), OwnFields());
                         Row(report, 1, "12345678Z");
                     },
                     {'\t', "\n", {TextEncoding::Utf16Le, true}}),
                 utf16, true);
    EXPECT_EQ(utf16,
              "\uFEFFlinea\tentrada\ttipo\tresultado\tcontrol\tforma\tbanco\tbic\tmotivo\n"
              "1\t12345678Z\tDNI\tcorrecto\tZ\t12345678Z\t\t\t\n");
}

// On a terminal every row stays in line: widths are counted in columns, a control character is
// shown as its symbol, and an entry too wide is cut.
TEST(Report, TerminalColumnsStayInLine) {
    const std::string entries[] = {"12345678Z", "Peña\t12345678Z", "ＡＢ12345678Z",
                                   std::string(60, '7'), "MT84 MALT 0110 0001 2345 MTLC AST0 01S"};
    const std::string report = Terminal([&](ReportWriter& report) {
        for (const std::string& entry : entries) {
            Row(report, 1, entry);
        }
    });
    EXPECT_NE(report.find("Peña␉12345678Z"), std::string::npos) << report;
    EXPECT_NE(report.find("MT84 MALT 0110 0001 2345 MTLC AST0 01S"), std::string::npos);
    EXPECT_NE(report.find(std::string(41, '7') + "…"), std::string::npos) << report;
    // Where each row's verdict cell starts, in columns: the same on every row.
    std::size_t start = 0;
    for (std::size_t end; (end = report.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = report.substr(start, end - start);
        std::size_t columns = 0;
        std::size_t pos = 0;
        for (; columns < 7 + 2 + 42 + 2 + 8 + 2; pos += CharLengthAt(line, pos)) {
            const bool wide = line.compare(pos, 3, "Ａ") == 0 || line.compare(pos, 3, "Ｂ") == 0;
            columns += wide ? 2 : 1;
        }
        EXPECT_EQ(columns, 63u) << line;
        EXPECT_NE(line[pos], ' ') << line;
        EXPECT_EQ(line[pos - 1], ' ') << line;
    }
}

}  // namespace
}  // namespace minizol
