#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/sheet.h"

namespace minizol {
namespace {

// Written by data/lists/small_xls.py: "Hoja1" holds numbers, text, an empty row, a row that
// starts with a gap and a date; "Años" one account two columns in.
const std::string kSmall = MINIZOL_TEST_DATA "/data/lists/small.xls";

// Each row as "number: cell|cell", so that a failure shows the rows read.
std::vector<std::string> ReadAll(SheetReader& reader) {
    std::vector<std::string> rows;
    for (SheetRow row; reader.Next(row);) {
        std::string text = std::to_string(row.number) + ":";
        for (std::size_t column = 0; column < row.cells.size(); ++column) {
            text += (column == 0 ? " " : "|") + row.cells[column];
        }
        rows.push_back(text);
    }
    EXPECT_EQ(reader.error(), "");
    return rows;
}

TEST(XlsReader, ReadsTheChosenSheetRowByRow) {
    const std::vector<std::string> first = {"1: DNI|Titular", "2: 12345678|José Ñúñez",
                                            "4: |12,5|9780306406157", "5: 2024-02-29"};
    const std::vector<std::string> second = {"2: ||ES91 2100 0418 4502 0005 1332"};
    struct Case {
        SheetChoice choice;
        const std::vector<std::string>& rows;
    };
    const Case cases[] = {
        {{}, first},       {{"hoja1", 0}, first}, {{"AÑOS", 0}, second},
        {{"", 2}, second}, {{"", 1}, first},      {{"Años", 1}, second},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choice.name + " " + std::to_string(c.choice.position));
        const OpenedSheet opened = OpenXls(kSmall, c.choice);
        ASSERT_NE(opened.reader, nullptr) << opened.error;
        EXPECT_EQ(ReadAll(*opened.reader), c.rows);
    }
}

TEST(XlsReader, SaysWhyAWorkbookCannotBeRead) {
    const std::string refused =
        "FreeXL no puede leer este libro de Excel 97-2003: guárdelo como .xlsx o .csv";
    struct Case {
        std::string path;
        SheetChoice choice;
        std::string error;
    };
    const Case cases[] = {
        {kSmall, {"Ventas", 0}, "no tiene ninguna hoja «Ventas» (tiene: Hoja1, Años)"},
        {kSmall, {"", 3}, "no tiene la hoja 3 (tiene 2)"},
        {kSmall + ".no", {}, "no se puede abrir el archivo"},
        {MINIZOL_TEST_DATA "/data/lists/small_xls.py", {}, refused},
        {MINIZOL_TEST_DATA "/checkdigits/published_ibans.txt", {}, refused},
    };
    for (const Case& c : cases) {
        const OpenedSheet opened = OpenXls(c.path, c.choice);
        EXPECT_EQ(opened.reader, nullptr) << c.path;
        EXPECT_EQ(opened.error, c.error) << c.path;
    }
}

}  // namespace
}  // namespace minizol
