#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/sheet.h"
#include "support/heap_usage.h"
#include "support/zip_file.h"

namespace minizol {
namespace {

using testing::ZipFile;
using testing::ZipPart;
using Parts = std::vector<ZipPart>;

// The rows read, as "number:cell|cell" joined by " / ", then "¡why" if reading stopped early;
// only "¡why" when the workbook could not be opened. `marked`: a cell read as a number is "#12,5".
std::string Read(const OpenedSheet& opened, bool marked = false) {
    if (!opened.reader) {
        return "¡" + opened.error;
    }
    std::string seen;
    // Two rows taken in turn: each reader fills whatever row it is given, one it filled before
    // or another.
    SheetRow rows[2];
    for (std::size_t count = 0; opened.reader->Next(rows[count % 2]); ++count) {
        const SheetRow& row = rows[count % 2];
        seen += (seen.empty() ? "" : " / ") + std::to_string(row.number) + ":";
        EXPECT_EQ(row.numbers.size(), row.cells.size()) << seen;
        for (std::size_t i = 0; i < row.cells.size(); ++i) {
            const bool number = marked && i < row.numbers.size() && row.numbers[i] != 0;
            seen += (i > 0 ? "|" : "") + std::string(number ? "#" : "") + row.cells[i];
        }
    }
    return seen + (opened.reader->error().empty() ? "" : "¡" + opened.reader->error());
}

std::string ReadXlsx(const Parts& parts, const SheetChoice& choice = {}) {
    const ZipFile file(parts);
    return Read(OpenXlsx(file.path(), choice));
}

std::string ReadOds(const Parts& parts, const SheetChoice& choice = {}) {
    const ZipFile file(parts);
    return Read(OpenOds(file.path(), choice), true);
}

struct Sheet {
    std::string name;
    std::string rows;  // a sheet's rows; a whole part when it starts "<?xml"
};

constexpr char kRelationships[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// An .xlsx laid out as Excel lays it out, with `shared` as its shared strings' items.
Parts Xlsx(const std::vector<Sheet>& sheets, const std::string& shared = "") {
    const std::string ns = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    std::string entries;
    std::string relationships;
    Parts parts;
    for (std::size_t i = 1; i <= sheets.size(); ++i) {
        const std::string n = std::to_string(i);
        const Sheet& sheet = sheets[i - 1];
        entries +=
            "<sheet name=\"" + sheet.name + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        relationships += "<Relationship Id=\"rId" + n + "\" Type=\"" + kRelationships +
                         "/worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
        parts.push_back(
            {"xl/worksheets/sheet" + n + ".xml", sheet.rows.starts_with("<?xml")
                                                     ? sheet.rows
                                                     : "<?xml version=\"1.0\"?><worksheet " + ns +
                                                           "><dimension ref=\"A1\"/>"
                                                           "<sheetData>" +
                                                           sheet.rows +
                                                           "</sheetData><mergeCells count=\"0\"/>"
                                                           "</worksheet>"});
    }
    if (!shared.empty()) {
        relationships += "<Relationship Id=\"rIdS\" Type=\"" + std::string(kRelationships) +
                         "/sharedStrings\" Target=\"/xl/sharedStrings.xml\"/>";
        parts.push_back({"xl/sharedStrings.xml", "<sst " + ns + ">" + shared + "</sst>"});
    }
    const std::string rels =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    parts.push_back(
        {"_rels/.rels", rels + "<Relationship Id=\"rId1\" Type=\"" + kRelationships +
                            "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"});
    parts.push_back({"xl/workbook.xml", "<workbook " + ns + " xmlns:r=\"" + kRelationships +
                                            "\"><sheets>" + entries + "</sheets></workbook>"});
    parts.push_back({"xl/_rels/workbook.xml.rels", rels + relationships + "</Relationships>"});
    return parts;
}

// Shared strings: plain, rich text in runs with a phonetic reading, an escaped carriage return.
const std::string kShared =
    "<si><t>Ana</t></si>"
    "<si><r><t>Jo</t></r><r><rPr><b/></rPr><t xml:space=\"preserve\">sé </t></r>"
    "<rPh sb=\"0\" eb=\"1\"><t>ホセ</t></rPh></si>"
    "<si><t>a_x000D_b_x005F_x0041_</t></si>";

TEST(XlsxReader, ReadsCellsAsTheSheetShowsThem) {
    struct Case {
        const char* what;
        std::string rows;
        std::string seen;
    };
    const Case cases[] = {
        {"whole numbers keep their digits",
         R"(<row r="1"><c r="A1"><v>12345678</v></c>)"
         R"(<c r="B1" t="n"><v>1.2345678E7</v></c><c r="C1"><v>9.780306406157E12</v></c>)"
         R"(<c r="D1"><v>9780306406157</v></c></row>)",
         "1:12345678|12345678|9780306406157|9780306406157"},
        {"fractions with a decimal comma",
         R"(<row r="2"><c r="A2"><v>12.5</v></c><c r="B2"><v>-0.1</v></c></row>)", "2:12,5|-0,1"},
        {"shared strings, rich text without its reading, escapes",
         R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c>)"
         R"(<c r="C1" t="s"><v>2</v></c></row>)",
         "1:Ana|José |a\rb_x0041_"},
        {"inline strings and formula results",
         R"(<row r="1"><c r="A1" t="inlineStr"><is><r><t>en </t></r><r><t>línea</t></r></is></c>)"
         R"(<c r="B1" t="str"><f>A1</f><v>texto</v></c></row>)",
         "1:en línea|texto"},
        {"booleans in Spanish, errors as written",
         R"(<row r="1"><c r="A1" t="b"><v>1</v></c><c r="B1" t="b"><v>0</v></c>)"
         R"(<c r="C1" t="e"><v>#N/A</v></c></row>)",
         "1:VERDADERO|FALSO|#N/A"},
        {"skipped columns are empty, empty trailing cells dropped",
         R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="D1"><v>4</v></c><c r="E1" s="3"/>)"
         R"(<c r="F1"><v></v></c></row>)",
         "1:Ana|||4"},
        {"cells and rows without references follow the one before",
         R"(<row><c t="s"><v>0</v></c><c><v>2</v></c><c r="D1"><v>4</v></c><c><v>5</v></c></row>)"
         R"(<row><c r="B2"><v>7</v></c></row>)",
         "1:Ana|2||4|5 / 2:|7"},
        {"missing and empty rows keep the numbering",
         R"(<row r="2" spans="1:1"><c r="A2"><v>1</v></c></row>)"
         R"(<row r="3" ht="20"><c r="A3" s="1"/></row>)"
         R"(<row r="7"><c r="A7"><v>2</v></c></row>)",
         "2:1 / 7:2"},
        {"the last column, XFD", R"(<row r="1"><c r="XFD1"><v>1</v></c></row>)",
         "1:" + std::string(16383, '|') + "1"},
        {"a column past XFD is damage",
         R"(<row r="1"><c r="A1"><v>1</v></c></row><row r="2"><c r="XFE2"><v>1</v></c></row>)",
         "1:1¡el libro está dañado"},
        {"rows out of order are damage",
         R"(<row r="3"><c><v>1</v></c></row><row r="2"><c><v>1</v></c></row>)",
         "3:1¡el libro está dañado"},
        {"a shared string that is not there is damage", R"(<row r="1"><c t="s"><v>3</v></c></row>)",
         "¡el libro está dañado"},
        {"XML cut short is damage, after the rows before it",
         R"(<row r="1"><c><v>1</v></c></row><row r="2"><c>)", "1:1¡el libro está dañado"},
        {"a whole number past what a double holds keeps its digits",
         R"(<row r="1"><c><v>21000418450200051332</v></c><c><v>-0021000418450200051332</v></c>)"
         R"(<c><v>2.1000418450200051E19</v></c></row>)",
         "1:21000418450200051332|-21000418450200051332|21000418450200050000"},
        {"prefixed elements",
         "<?xml version=\"1.0\"?><x:worksheet "
         "xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
         "<x:sheetData><x:row r=\"1\"><x:c r=\"B1\" "
         "t=\"s\"><x:v>0</x:v></x:c></x:row></x:sheetData></x:worksheet>",
         "1:|Ana"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadXlsx(Xlsx({{"Hoja1", c.rows}}, kShared)), c.seen) << c.what;
    }
}

TEST(SerialDateText, CountsDaysAsExcelDoes) {
    struct Case {
        double serial;
        bool date1904;
        const char* text;
    };
    const Case cases[] = {
        {1, false, "1900-01-01"},
        {59, false, "1900-02-28"},
        {60, false, "1900-02-29"},  // Excel's, in no calendar
        {61, false, "1900-03-01"},
        {45351, false, "2024-02-29"},
        {45351.5729166667, false, "2024-02-29 13:45:00"},
        {45351.99999999, false, "2024-03-01"},
        {0.5, false, "12:00:00"},
        {0, false, "00:00:00"},
        {2958465.5, false, "9999-12-31 12:00:00"},
        {2958466, false, ""},
        {-1, false, ""},
        {0.25, true, "06:00:00"},
        {1, true, "1904-01-02"},
        {43889.5729166667, true, "2024-02-29 13:45:00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SerialDateText(c.serial, c.date1904), c.text) << c.serial << " " << c.date1904;
    }
}

// `parts` with `styles` as its styles part, and serials counted from 1904 when `date1904`.
Parts Styled(Parts parts, const std::string& styles, bool date1904) {
    for (ZipPart& part : parts) {
        if (part.name == "xl/_rels/workbook.xml.rels") {
            part.data.insert(part.data.rfind("</Relationships>"),
                             "<Relationship Id=\"rIdT\" Type=\"" + std::string(kRelationships) +
                                 "/styles\" Target=\"styles.xml\"/>");
        } else if (part.name == "xl/workbook.xml" && date1904) {
            part.data.insert(part.data.find("<sheets>"), "<workbookPr date1904=\"true\"/>");
        }
    }
    parts.push_back({"xl/styles.xml", styles});
    return parts;
}

TEST(XlsxReader, ReadsNumbersInDateFormatsAsDates) {
    // A style's number format is built in (14, 22, 21, 57: dates, times, an East Asian date) or
    // one of numFmts; the formats of cell styles and of conditional formats (dxfs) are not the
    // cells'.
    const std::string styles =
        R"(<styleSheet><numFmts><numFmt numFmtId="164" formatCode="dd/mm/yyyy;@"/>)"
        R"(<numFmt numFmtId="165" formatCode="0.00"/><numFmt numFmtId="166" formatCode="[h]:mm"/>)"
        R"(<numFmt numFmtId="167" formatCode="&quot;d&quot;\m_s* 0[Red][&gt;100]"/></numFmts>)"
        R"(<cellStyleXfs><xf numFmtId="14"/></cellStyleXfs><cellXfs><xf numFmtId="0"/>)"
        R"(<xf numFmtId="14"/><xf numFmtId="22"/><xf numFmtId="21"/><xf numFmtId="164"/>)"
        R"(<xf numFmtId="165"/><xf numFmtId="166"/><xf numFmtId="167"/><xf numFmtId="57"/>)"
        R"(<xf numFmtId="168"/></cellXfs><dxfs><dxf><numFmt numFmtId="168" formatCode="yyyy"/>)"
        R"(</dxf></dxfs></styleSheet>)";
    const std::string rows =
        R"(<row r="1"><c s="1"><v>45351</v></c><c s="2"><v>45351.5729166667</v></c>)"
        R"(<c s="3"><v>0.5729166667</v></c><c s="4"><v>45351</v></c><c s="5"><v>12.5</v></c>)"
        R"(<c s="6"><v>0.75</v></c><c s="7"><v>3</v></c><c s="8"><v>45351</v></c>)"
        R"(<c s="9"><v>4</v></c></row>)"
        R"(<row r="2"><c><v>45351</v></c><c s="4" t="s"><v>0</v></c><c s="4" t="str"><v>x</v>)"
        R"(</c><c s="99"><v>5</v></c><c s="4"><v>-1</v></c><c s="4" t="b"><v>1</v></c></row>)"
        R"(<row r="3"><c s="1"><v>1</v></c></row>)";
    const Parts parts = Xlsx({{"Hoja1", rows}}, kShared);
    const std::string second = " / 2:#45351|Ana|x|#5|#-1|VERDADERO / 3:";
    struct Case {
        const char* what;
        Parts parts;
        std::string seen;
    };
    const Case cases[] = {
        {"dates, times, numbers", Styled(parts, styles, false),
         "1:2024-02-29|2024-02-29 13:45:00|13:45:00|2024-02-29|#12,5|18:00:00|#3|2024-02-29|#4" +
             second + "1900-01-01"},
        {"counted from 1904", Styled(parts, styles, true),
         "1:2028-03-01|2028-03-01 13:45:00|13:45:00|2028-03-01|#12,5|18:00:00|#3|2028-03-01|#4" +
             second + "1904-01-02"},
        {"no styles: numbers", parts,
         "1:#45351|#45351,5729166667|#0,5729166667|#45351|#12,5|#0,75|#3|#45351|#4" + second +
             "#1"},
    };
    for (const Case& c : cases) {
        const ZipFile file(c.parts);
        EXPECT_EQ(Read(OpenXlsx(file.path(), {}), true), c.seen) << c.what;
    }
    EXPECT_EQ(ReadXlsx(Styled(parts, "<styleSheet><cellXfs>", false)), "¡el libro está dañado");
}

const std::vector<Sheet> kThreeSheets = {{"Hoja1", R"(<row r="1"><c><v>1</v></c></row>)"},
                                         {"Ventas", R"(<row r="1"><c><v>2</v></c></row>)"},
                                         {"Año", R"(<row r="1"><c><v>3</v></c></row>)"}};

struct Choice {
    SheetChoice choice;
    std::string seen;
};

const Choice kChoices[] = {
    {{}, "1:1"},
    {{"VENTAS", 0}, "1:2"},
    {{"AÑO", 1}, "1:3"},
    {{"", 2}, "1:2"},
    {{"Compras", 0}, "¡no tiene ninguna hoja «Compras» (tiene: Hoja1, Ventas, Año)"},
    {{"", 4}, "¡no tiene la hoja 4 (tiene 3)"},
};

TEST(XlsxReader, ChoosesTheSheetByNameInAnyCaseOrPosition) {
    for (const Choice& c : kChoices) {
        EXPECT_EQ(ReadXlsx(Xlsx(kThreeSheets), c.choice), c.seen) << c.choice.name;
    }
}

TEST(XlsxReader, TellsWhyAWorkbookCannotBeRead) {
    const Parts good = Xlsx({{"Hoja1", R"(<row r="1"><c><v>1</v></c></row>)"}});
    Parts noSheet = good;
    noSheet.erase(noSheet.begin());
    Parts encrypted = good;
    encrypted[0].encrypted = true;
    Parts absolute = good;
    std::erase_if(absolute, [](const ZipPart& part) { return part.name.starts_with("xl/_rels"); });
    absolute.push_back({"xl/_rels/workbook.xml.rels",
                        "<Relationships><Relationship Id=\"rId1\" Type=\"" +
                            std::string(kRelationships) +
                            "/worksheet\" Target=\"/xl/worksheets/sheet1.xml\"/></Relationships>"});
    EXPECT_EQ(ReadXlsx(absolute), "1:1");
    EXPECT_EQ(ReadXlsx(noSheet), "¡el libro está dañado");
    EXPECT_EQ(ReadXlsx(encrypted), "¡el libro está protegido con contraseña");
    EXPECT_EQ(ReadXlsx({{"word/document.xml", "<document/>"}}), "¡no es un libro de Excel (.xlsx)");
    EXPECT_EQ(ReadXlsx(Xlsx({})), "¡no tiene ninguna hoja");

    const ZipFile file(good);
    const std::string bytes = file.Bytes();
    const ZipFile cut(Parts{});
    // Excel saves a workbook with a password as an OLE2 file: a header, then its directory.
    std::string encryptedByExcel = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + std::string(1024, '\0');
    encryptedByExcel[0x1E] = 9;  // 512-byte sectors, the directory in the first
    const char name[] = "E\0n\0c\0r\0y\0p\0t\0i\0o\0n\0I\0n\0f\0o\0";
    encryptedByExcel.replace(512 + 128, sizeof name - 1, name, sizeof name - 1);
    for (const auto& [content, seen] :
         {std::pair<std::string, std::string>{"DNI;Nombre\n", "¡no es un libro de Excel (.xlsx)"},
          {bytes.substr(0, bytes.size() - 30), "¡el libro está dañado"},
          {encryptedByExcel, "¡el libro está protegido con contraseña"}}) {
        std::FILE* out = std::fopen(cut.path().c_str(), "wb");
        std::fwrite(content.data(), 1, content.size(), out);
        std::fclose(out);
        EXPECT_EQ(Read(OpenXlsx(cut.path(), {})), seen);
    }
    EXPECT_EQ(Read(OpenXlsx(cut.path() + ".no", {})), "¡no se puede abrir el libro: no existe");
}

// An .ods as LibreOffice writes it, each sheet's rows after a column description.
Parts Ods(const std::vector<Sheet>& sheets) {
    std::string content =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content "
        "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:calcext=\"urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0\" "
        "office:version=\"1.3\"><office:body><office:spreadsheet>";
    for (const Sheet& sheet : sheets) {
        content += "<table:table table:name=\"" + sheet.name +
                   "\"><table:table-column "
                   "table:number-columns-repeated=\"1024\"/>" +
                   sheet.rows + "</table:table>";
    }
    content += "</office:spreadsheet></office:body></office:document-content>";
    return {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
            {"content.xml", content},
            {"META-INF/manifest.xml", "<manifest:manifest/>"}};
}

std::string Cell(const std::string& attributes, const std::string& paragraph) {
    return "<table:table-cell " + attributes + "><text:p>" + paragraph +
           "</text:p></table:table-cell>";
}

// A text cell; `paragraph` is its first paragraph's text, or its content when not `opened`.
std::string Text(const std::string& paragraph, bool opened = true) {
    return std::string(
               "<table:table-cell office:value-type=\"string\" calcext:value-type=\"string\">") +
           (opened ? "<text:p>" : "") + paragraph + "</text:p></table:table-cell>";
}

std::string Row(const std::string& cells, const std::string& attributes = "") {
    return "<table:table-row" + attributes + ">" + cells + "</table:table-row>";
}

const std::string kEmptyEnd = "<table:table-cell table:number-columns-repeated=\"1020\"/>";

TEST(OdsReader, ReadsCellsAsTheSheetShowsThem) {
    struct Case {
        const char* what;
        std::string rows;
        std::string seen;
    };
    const Case cases[] = {
        {"numbers from their value, not their display",
         Row(Cell(R"(office:value-type="float" office:value="12345678")", "12.345.678") +
             Cell(R"(office:value-type="percentage" office:value="0.125")", "12,50 %") +
             Cell(R"(office:value-type="currency" office:value="9780306406157")", "9,78E+12 €")),
         "1:#12345678|#0,125|#9780306406157"},
        {"dates and times in ISO forms; as shown when their value is unreadable",
         Row(Cell(R"(office:value-type="date" office:date-value="2024-02-29")", "29/02/24") +
             Cell(R"(office:value-type="date" office:date-value="2024-02-29T13:45:00")", "-") +
             Cell(R"(office:value-type="date" office:date-value="2024-12-31T23:59:59.6")", "-") +
             Cell(R"(office:value-type="time" office:time-value="PT13H44M59.999999S")", "-") +
             Cell(R"(office:value-type="time" office:time-value="P1DT12H")", "-") +
             Cell(R"(office:value-type="date" office:date-value="2023-02-29")", "29/02/23") +
             Cell(R"(office:value-type="time" office:time-value="-PT1H")", "-01:00")),
         "1:2024-02-29|2024-02-29 13:45:00|2025-01-01|13:45:00|36:00:00|29/02/23|-01:00"},
        {"spaces, tabs, line breaks and spans as written",
         Row(Text("a <text:s text:c=\"2\"/>b<text:tab/>c<text:line-break/><text:span "
                  "text:style-name=\"T1\">d</text:span>") +
             Text("  x \n  y  ")),
         "1:a   b\tc\nd|x y"},
        {"several paragraphs are lines; comments are not the cell",
         Row(Text("<office:annotation><text:p>nota</text:p></office:annotation><text:p>uno</text:p>"
                  "<text:p>dos <text:span>y tres</text:span>",
                  false)),
         "1:uno\ndos y tres"},
        {"booleans in Spanish, errors as shown, covered cells",
         Row(Cell(R"(table:number-columns-spanned="2" office:value-type="boolean" )"
                  R"(office:boolean-value="true")",
                  "VERDADERO") +
             R"(<table:covered-table-cell office:value-type="string"><text:p>tapada</text:p>)"
             "</table:covered-table-cell>" +
             Cell(R"x(table:formula="of:=NA()" office:value-type="float" office:value="0" )x"
                  R"(calcext:value-type="error")",
                  "#N/A")),
         "1:VERDADERO|tapada|#N/A"},
        {"repeated cells: empty ones before text are gaps, text repeated is repeated",
         Row("<table:table-cell table:number-columns-repeated=\"2\"/>" + Text("a") +
             Cell(R"(table:number-columns-repeated="3" office:value-type="string")", "b") +
             kEmptyEnd),
         "1:||a|b|b|b"},
        {"repeated rows: empty ones counted, one with text given each time",
         Row(Text("x")) + Row(kEmptyEnd, " table:number-rows-repeated=\"3\"") +
             Row(Text("y") + Cell(R"(office:value-type="float" office:value="1")", "1"),
                 " table:number-rows-repeated=\"2\"") +
             "<table:table-row-group>" + Row(Text("z")) + "</table:table-row-group>" +
             Row(kEmptyEnd, " table:number-rows-repeated=\"1048570\""),
         "1:x / 5:y|#1 / 6:y|#1 / 7:z"},
        {"a row past the last column is damage",
         Row("<table:table-cell table:number-columns-repeated=\"16384\"/>" + Text("x")),
         "¡el libro está dañado"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadOds(Ods({{"Hoja1", c.rows}})), c.seen) << c.what;
    }
}

TEST(OdsReader, ChoosesTheSheetByNameInAnyCaseOrPosition) {
    std::vector<Sheet> sheets;
    for (std::size_t i = 0; i < kThreeSheets.size(); ++i) {
        sheets.push_back({kThreeSheets[i].name, Row(Text(std::to_string(i + 1)))});
    }
    for (const Choice& c : kChoices) {
        EXPECT_EQ(ReadOds(Ods(sheets), c.choice), c.seen) << c.choice.name;
    }
}

TEST(OdsReader, TellsWhyAWorkbookCannotBeRead) {
    Parts encrypted = Ods({{"Hoja1", ""}});
    encrypted[1].data = "\x8f\x12garbled";
    encrypted[2].data = "<manifest:file-entry><manifest:encryption-data/></manifest:file-entry>";
    Parts text = Ods({{"Hoja1", ""}});
    text[0].data = "application/vnd.oasis.opendocument.text";
    EXPECT_EQ(ReadOds(encrypted), "¡el libro está protegido con contraseña");
    EXPECT_EQ(ReadOds(text), "¡no es una hoja de cálculo OpenDocument (.ods)");
    EXPECT_EQ(ReadOds({{"mimetype", "x"}}), "¡no es una hoja de cálculo OpenDocument (.ods)");
    EXPECT_EQ(ReadOds(Ods({})), "¡no tiene ninguna hoja");
    EXPECT_EQ(ReadOds(Ods({{"Hoja1", Row(Text("1")) + "<table:table-row><table:table-cell>"}})),
              "1:1¡el libro está dañado");
}

// Files written by other programs (data/lists/small_workbooks.py, small_xls.py): each reader
// gives a date the same form.
TEST(SheetReaders, ReadWorkbooksOtherWritersWrote) {
    const std::string xlsx = MINIZOL_TEST_DATA "/data/lists/small.xlsx";
    const std::string ods = MINIZOL_TEST_DATA "/data/lists/small.ods";
    const std::string xls = MINIZOL_TEST_DATA "/data/lists/small.xls";
    EXPECT_EQ(Read(OpenXlsx(xlsx, {}), true),
              "1:DNI|Titular / 2:#12345678|José Ñúñez / 4:|#12,5|#9780306406157 / "
              "5:2024-02-29|VERDADERO");
    EXPECT_EQ(Read(OpenOds(ods, {}), true),
              "1:DNI|Titular / 2:#12345678|José  Ñúñez / 4:|#12,5|#9780306406157");
    EXPECT_EQ(Read(OpenXls(xls, {}), true),
              "1:DNI|Titular / 2:#12345678|José Ñúñez / 4:|#12,5|#9780306406157 / 5:2024-02-29");
    EXPECT_EQ(Read(OpenXlsx(xlsx, {"años", 0})), "2:||ES91 2100 0418 4502 0005 1332");
    EXPECT_EQ(Read(OpenOds(ods, {"", 2})), "2:||ES91 2100 0418 4502 0005 1332");
}

// A long list is read in the memory its first rows took.
TEST(SheetReaders, MemoryDoesNotGrowWithTheRows) {
    constexpr int kRows = 20000;
    std::string xlsxRows;
    std::string odsRows;
    for (int i = 1; i <= kRows; ++i) {
        const std::string iban = "ES91210004184502" + std::to_string(10000000 + i);
        xlsxRows += "<row r=\"" + std::to_string(i) + "\"><c t=\"inlineStr\"><is><t>" + iban +
                    "</t></is></c></row>";
        odsRows += Row(Text(iban) + kEmptyEnd);
    }
    const ZipFile xlsx(Xlsx({{"Hoja1", xlsxRows}}));
    const ZipFile ods(Ods({{"Hoja1", odsRows}}));
    const OpenedSheet sheets[] = {OpenXlsx(xlsx.path(), {}), OpenOds(ods.path(), {})};
    for (const OpenedSheet& opened : sheets) {
        ASSERT_TRUE(opened.reader) << opened.error;
        SheetRow row;
        std::size_t heap = 0;
        std::uint64_t last = 0;
        while (opened.reader->Next(row)) {
            heap = row.number == 1000 ? testing::HeapInUse() : heap;
            last = row.number;
        }
        EXPECT_EQ(last, static_cast<std::uint64_t>(kRows)) << opened.reader->error();
        EXPECT_LE(testing::HeapInUse(), heap + 16 * 1024);
    }
}

}  // namespace
}  // namespace minizol
