#include "lists/xlsx_writer.h"

#include <gtest/gtest.h>
#include <minizip/unzip.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "lists/xlsxwriter_library.h"

namespace minizol {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::vector<WrittenCell>>;

// A directory of the test's own, removed with what it holds.
struct TempDir {
    fs::path path;
    TempDir() {
        std::string name = (fs::temp_directory_path() / "xlsx_writer_test.XXXXXX").string();
        path = mkdtemp(name.data());
    }
    ~TempDir() { fs::remove_all(path); }
};

// The part `name` of the package at `file`, as it is stored.
std::string Part(const fs::path& file, const char* name) {
    std::string text;
    unzFile zip = unzOpen64(file.c_str());
    if (zip == nullptr) {
        ADD_FAILURE() << "no package at " << file;
        return text;
    }
    if (unzLocateFile(zip, name, 1) == UNZ_OK && unzOpenCurrentFile(zip) == UNZ_OK) {
        char buffer[1 << 16];
        for (int read; (read = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0;) {
            text.append(buffer, static_cast<std::size_t>(read));
        }
        unzCloseCurrentFile(zip);
    } else {
        ADD_FAILURE() << "no " << name << " in " << file;
    }
    unzClose(zip);
    return text;
}

struct Package {
    std::string workbook;
    std::string sheet;
    std::string styles;
};

// The parts of a workbook of `header` (none when empty) and `rows`, written whole.
Package Written(const std::vector<std::string_view>& header, const Rows& rows) {
    const TempDir dir;
    const fs::path path = dir.path / "libro.xlsx";
    std::string error;
    const auto writer = XlsxWriter::Create(path, error);
    if (writer == nullptr) {
        ADD_FAILURE() << error;
        return {};
    }
    if (!header.empty()) {
        writer->Header(header);
    }
    for (const auto& row : rows) {
        writer->Row(row);
    }
    EXPECT_TRUE(writer->Close(error)) << error;
    return {Part(path, "xl/workbook.xml"), Part(path, "xl/worksheets/sheet1.xml"),
            Part(path, "xl/styles.xml")};
}

// What stands between `open` and `close` after `from`; "-" when nothing does.
std::string Between(std::string_view xml, std::string_view from, std::string_view open,
                    std::string_view close) {
    std::size_t start = xml.find(from);
    start = start == xml.npos ? start : xml.find(open, start + from.size());
    const std::size_t end = start == xml.npos ? start : xml.find(close, start + open.size());
    return end == xml.npos
               ? "-"
               : std::string(xml.substr(start + open.size(), end - start - open.size()));
}

// The cell at `ref`: its opening tag and what it holds.
std::string Cell(const std::string& sheet, const std::string& ref) {
    return Between(sheet, "<sheetData>", "<c r=\"" + ref + "\"", "</c>");
}

// A cell's text (t) or number (v), as written in the sheet.
std::string Text(const std::string& cell) {
    return Between(cell, "<is><t", ">", "</t>");
}
std::string Value(const std::string& cell) {
    return Between(cell, "", "<v>", "</v>");
}

// The element `index` of `list` in styles.xml, up to the next one.
std::string Item(const std::string& styles, const std::string& list, const std::string& item,
                 std::size_t index) {
    const std::size_t begin = styles.find("<" + list);
    const std::size_t end = styles.find("</" + list + ">", begin);
    std::size_t at = begin;
    for (std::size_t i = 0; i <= index && at < end; ++i) {
        at = styles.find("<" + item, at + 1);
    }
    if (begin == styles.npos || at >= end) {
        return "-";
    }
    return styles.substr(at, std::min(styles.find("<" + item, at + 1), end) - at);
}

std::string Repeat(std::string_view text, std::size_t times) {
    std::string repeated;
    for (std::size_t i = 0; i < times; ++i) {
        repeated += text;
    }
    return repeated;
}

// The fill and the font of the cell at `ref`.
std::string Look(const Package& package, const std::string& ref) {
    const std::string style = Between(Cell(package.sheet, ref), "", " s=\"", "\"");
    const std::string xf =
        Item(package.styles, "cellXfs", "xf", style == "-" ? 0 : std::stoul(style));
    const auto part = [&](const char* list, const char* item, const char* id) {
        return Item(package.styles, list, item, std::stoul(Between(xf, "", id, "\"")));
    };
    return part("fills", "fill", "fillId=\"") + part("fonts", "font", "fontId=\"");
}

TEST(XlsxWriter, CellsKeepWhatTheyHold) {
    struct Case {
        WrittenCell cell;
        const char* text;  // "-" when written as a number
        const char* value;
    };
    const Case cases[] = {
        {{"00123"}, "00123", "-"},
        {{"00123", true}, "-", "123"},
        {{"-3e2", true}, "-", "-300"},
        {{"1.5", true}, "-", "1.5"},
        {{"1,5", true}, "-", "1.5"},
        {{"-0,25e1", true}, "-", "-2.5"},
        {{"1.234,5", true}, "1.234,5", "-"},
        {{"1,2,3", true}, "1,2,3", "-"},
        {{"123456789012345", true}, "-", "123456789012345"},
        {{"21000418450200051332", true}, "21000418450200051332", "-"},
        {{"9007199254740993", true}, "9007199254740993", "-"},
        {{"0,1234567890123456789", true}, "-", "0.1234567890123457"},
        {{"12a", true}, "12a", "-"},
        {{"inf", true}, "inf", "-"},
        {{"ES91 2100 0418 4502 0005 1332"}, "ES91 2100 0418 4502 0005 1332", "-"},
        {{"ñandú <b>&"}, "ñandú &lt;b&gt;&amp;", "-"},
        {{"\xC3(\xEF\xBF\xBF"}, "\xEF\xBF\xBD(\xEF\xBF\xBD", "-"},
        {{"\x01"}, "_x0001_", "-"},
        {{"_x00e9_ _x41_"}, "_x005F_x00e9_ _x41_", "-"},
    };
    Rows rows;
    for (const Case& c : cases) {
        rows.push_back({c.cell});
    }
    const Package package = Written({}, rows);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::string cell = Cell(package.sheet, "A" + std::to_string(i + 1));
        EXPECT_EQ(Text(cell), cases[i].text) << i;
        EXPECT_EQ(Value(cell), cases[i].value) << i;
    }
}

TEST(XlsxWriter, HeaderIsBoldFrozenAndFiltered) {
    const Rows rows = {{{"1", true}, {"ES91"}, {"correcto"}},
                       {{"2", true}, {"ES00"}, {"incorrecto", false, true}}};
    struct Case {
        std::vector<std::string_view> header;
        std::size_t rows;
        const char* filter;  // "-": none
        const char* firstRow;
    };
    const Case cases[] = {
        {{"linea", "entrada", "resultado"}, 2, "A1:C3", "2"},
        {{"linea", "entrada", "resultado"}, 0, "A1:C1", "2"},
        {{"linea", "entrada"}, 2, "A1:B3", "2"},
        {{}, 2, "-", "1"},
    };
    for (const Case& c : cases) {
        const Package package = Written(c.header, Rows(rows.begin(), rows.begin() + c.rows));
        EXPECT_NE(package.workbook.find("name=\"Comprobación\""), std::string::npos);
        EXPECT_EQ(Between(package.sheet, "", "<autoFilter ref=\"", "\""), c.filter);
        const bool frozen = package.sheet.find("<pane ySplit=\"1\"") != std::string::npos &&
                            package.sheet.find("state=\"frozen\"") != std::string::npos;
        EXPECT_EQ(frozen, !c.header.empty());
        if (!c.header.empty()) {
            EXPECT_EQ(Text(Cell(package.sheet, "B1")), "entrada");
            const std::string look = Look(package, "B1");
            EXPECT_NE(look.find("<b/>"), std::string::npos) << look;
            EXPECT_NE(look.find("rgb=\"FFD9D9D9\""), std::string::npos) << look;
        }
        if (c.rows > 0) {
            const std::string row = c.firstRow;
            const std::string second = std::to_string(std::stoi(row) + 1);
            EXPECT_EQ(Value(Cell(package.sheet, "A" + row)), "1");
            EXPECT_EQ(Look(package, "C" + row).find("FFC7CE"), std::string::npos);
            const std::string wrong = Look(package, "C" + second);
            EXPECT_NE(wrong.find("rgb=\"FFFFC7CE\""), std::string::npos) << wrong;
            EXPECT_NE(wrong.find("rgb=\"FF9C0006\""), std::string::npos) << wrong;
        }
    }
}

// Widths count characters, of the header (and its filter button) and of the first hundred rows.
TEST(XlsxWriter, ColumnsFitTheirFirstRows) {
    Rows rows(150, std::vector<WrittenCell>{{"1", true}, {"0"}, {"0"}, {"0"}});
    const std::string wide = Repeat("ñ", 30);
    const std::string wider = Repeat("a", 100);
    const std::string late = Repeat("a", 40);
    rows[99][1].text = wide;
    rows[0][2].text = wider;
    rows[100][0] = {late};
    const Package package = Written({"n", "entrada", "x", "una cabecera larga"}, rows);
    const double expected[] = {0, 31, 61, 21};  // 0: the default
    for (std::size_t column = 0; column < std::size(expected); ++column) {
        const std::string at = "<col min=\"" + std::to_string(column + 1) + "\"";
        const std::string width = Between(package.sheet, at, "width=\"", "\"");
        ASSERT_NE(width, "-") << column;
        EXPECT_NEAR(std::stod(width), std::max(expected[column], 8.43), 1) << column;
    }
}

// Cells end at 32767 characters as Excel counts them, in UTF-16 units, and the file is written.
TEST(XlsxWriter, LongCellsEndAtTheLimit) {
    const std::string cases[][2] = {
        {Repeat("a", 40000), Repeat("a", 32767)},
        {Repeat("ñ", 32768), Repeat("ñ", 32767)},
        {Repeat("😀", 20000), Repeat("😀", 16383)},
        {Repeat("a", 32767), Repeat("a", 32767)},
        // libxlsxwriter counts an escape's seven characters
        {Repeat("_x0041_", 5000), Repeat("_x005F_x0041_", 2520) + "_x005F_"},
    };
    Rows rows;
    for (const auto& c : cases) {
        rows.push_back({{c[0]}});
    }
    const Package package = Written({}, rows);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::string text = Text(Cell(package.sheet, "A" + std::to_string(i + 1)));
        EXPECT_EQ(text.size(), cases[i][1].size()) << i;
        EXPECT_TRUE(text == cases[i][1]) << i;
    }
}

// A workbook that cannot be written whole says why, naming the file, and leaves nothing at the
// path; what was there before stays.
TEST(XlsxWriter, FailuresLeaveNoFile) {
    const TempDir dir;
    fs::create_directory(dir.path / "carpeta");
    struct Case {
        fs::path path;
        std::size_t cells;
        bool directoryStays;
    };
    const Case cases[] = {
        {dir.path / "no" / "libro.xlsx", 3, false},
        {dir.path / "carpeta", 3, true},
        {dir.path / "ancho.xlsx", 16385, false},  // more columns than a sheet has
    };
    for (const Case& c : cases) {
        std::string error;
        const auto writer = XlsxWriter::Create(c.path, error);
        ASSERT_NE(writer, nullptr) << error;
        writer->Row(std::vector<WrittenCell>(c.cells, {"x"}));
        EXPECT_FALSE(writer->Close(error)) << c.path;
        EXPECT_NE(error.find("«" + c.path.string() + "»"), std::string::npos) << error;
        EXPECT_EQ(fs::is_directory(c.path), c.directoryStays) << c.path;
        EXPECT_EQ(fs::exists(c.path), c.directoryStays) << c.path;
    }
}

// A file the user may not replace is left as it was, not taken for a half-written one.
TEST(XlsxWriter, FileThatCannotBeReplacedStays) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root replaces any file";
    }
    const TempDir dir;
    const fs::path path = dir.path / "guardado.xlsx";
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("antes", file);
    std::fclose(file);
    fs::permissions(path, fs::perms::owner_read);
    std::string error;
    const auto writer = XlsxWriter::Create(path, error);
    ASSERT_NE(writer, nullptr) << error;
    EXPECT_FALSE(writer->Close(error));
    EXPECT_EQ(fs::file_size(path), 5U);
}

TEST(XlsxWriter, OnlyClosingWrites) {
    const TempDir dir;
    const fs::path path = dir.path / "libro.xlsx";
    std::string error;
    auto writer = XlsxWriter::Create(path, error);
    ASSERT_NE(writer, nullptr) << error;
    writer->Row(std::vector<WrittenCell>{{"x"}});
    writer.reset();
    EXPECT_FALSE(fs::exists(path));
    writer = XlsxWriter::Create(path, error);
    EXPECT_TRUE(writer->Close(error)) << error;
    writer->Row(std::vector<WrittenCell>{{"x"}});
    EXPECT_FALSE(writer->Close(error));
    EXPECT_TRUE(fs::exists(path));
}

TEST(XlsxWriter, MissingFunctionsAreNamed) {
    std::string error;
    EXPECT_NE(XlsxWriterFunction("workbook_new_opt", error), nullptr);
    EXPECT_EQ(XlsxWriterFunction("workbook_new_everything", error), nullptr);
    EXPECT_NE(error.find("«workbook_new_everything»"), std::string::npos) << error;
}

}  // namespace
}  // namespace minizol
