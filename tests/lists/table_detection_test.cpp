#include "lists/table_detection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/file_kind.h"

namespace minizol {
namespace {

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

TEST(TableDetection, SeparatorFromTheFirstRecords) {
    const struct {
        const char* text;
        std::optional<char> separator;
    } cases[] = {
        {"12345678Z\nES91 2100 0418 4502 0005 1332\n", std::nullopt},
        {"Nombre;Importe;IBAN\nPeña, Juan;12,50;ES91\nRuiz;3,00;ES12\n", ';'},
        {"Nombre,IBAN\n\"Peña; Juan\",ES91\nRuiz,ES12\n", ','},
        {"Nombre\tIBAN\nPeña\tES91\n", '\t'},
        {"a|b|c\n1|2|3\n", '|'},
        // Ragged rows split all the same.
        {"Nombre;NIF;IBAN\nPeña;B12345674;ES91\nRuiz;12345678J;;nota\nGil\n", ';'},
        // One line of many with a comma is no separator.
        {"12345678Z\n87654321X\nPérez, Juan\n11111111H\n", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DetectSeparator(Lines(c.text)), c.separator) << c.text;
    }
}

TEST(TableDetection, ColumnsThatHoldNumbers) {
    using Rows = std::vector<std::vector<std::string>>;
    const struct {
        Rows rows;
        std::vector<std::size_t> columns;
        bool header;
    } cases[] = {
        {{{"Nombre", "NIF", "IBAN"},
          {"Peña", "12345678Z", "ES91 2100 0418 4502 0005 1332"},
          {"Ruiz", "B12345674", "ES91 2100 0418 4502 0005 1333"}},
         {1, 2},
         true},
        // No header: the first row holds numbers too.
        {{{"Peña", "12345678Z"}, {"Ruiz", "87654321X"}, {"Gil", "x"}}, {1}, false},
        // Amounts, postal codes and dates read as DNIs without their letter: not taken...
        {{{"Importe", "CP", "Fecha"}, {"1234", "28001", "20240105"}, {"12", "08001", "20240106"}},
         {},
         false},
        // ... unless the header names a kind.
        {{{"Nombre", "DNI"}, {"Peña", "12345678"}, {"Ruiz", "87654321"}}, {1}, true},
        {{{"Nombre", "Nota"}, {"Peña", "hola"}}, {}, false},
    };
    for (const auto& c : cases) {
        const ColumnGuess guess = DetectColumns(c.rows, KindFilter::Any);
        EXPECT_EQ(guess.columns, c.columns) << c.rows[0][0] << " " << c.rows[1][0];
        EXPECT_EQ(guess.header, c.header) << c.rows[0][0];
    }
}

TEST(TableDetection, ColumnsNamedByNumberOrHeader) {
    const std::vector<std::string> header = {"Nombre", " NIF ", "Nº de cuenta", "Año"};
    const struct {
        const char* name;
        std::optional<std::size_t> column;
    } cases[] = {
        {"1", 0},
        {"4", 3},
        {"7", 6},
        {"0", std::nullopt},
        {"nif", 1},
        {" NIF", 1},
        {"nº DE CUENTA", 2},
        {"AÑO", 3},
        {"IBAN", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColumnNamed(c.name, header), c.column) << c.name;
    }
    EXPECT_EQ(ColumnLabel(1, header), "NIF");
    EXPECT_EQ(ColumnLabel(5, header), "6");
}

TEST(TableDetection, FilesThatAreNoList) {
    const struct {
        std::string start;
        FileKind kind;
        const char* seems;
    } cases[] = {
        {"%PDF-1.7\n", FileKind::NoList, "un PDF"},
        {"\x89PNG\r\n\x1A\n....", FileKind::NoList, "una imagen PNG"},
        {"\xFF\xD8\xFF\xE0", FileKind::NoList, "una imagen JPEG"},
        {std::string("MM\0*", 4), FileKind::NoList, "una imagen TIFF"},
        {"MM12345678Z\n", FileKind::Text, ""},
        {"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", FileKind::Xls, ""},
        {"PK\x03\x04", FileKind::NoList, "un archivo ZIP dañado"},
        {"<?xml version=\"1.0\"?><Document "
         "xmlns=\"urn:iso:std:iso:20022:tech:xsd:pain.008.001.02\">",
         FileKind::Sepa, ""},
        {"<?xml version=\"1.0\"?><Document "
         "xmlns=\"urn:iso:std:iso:20022:tech:xsd:camt.053.001.02\">",
         FileKind::Text, ""},
    };
    for (const auto& c : cases) {
        const SniffedFile sniffed = SniffFile(c.start, "/nonexistent");
        EXPECT_EQ(sniffed.kind, c.kind) << c.start;
        EXPECT_EQ(sniffed.seems, c.seems) << c.start;
    }
}

}  // namespace
}  // namespace minizol
