#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace minizol {

// One row of a workbook's sheet, its cells as the sheet shows them, in UTF-8.
struct SheetRow {
    std::uint64_t number = 0;        // the row's number in the sheet, from 1
    std::vector<std::string> cells;  // from the first column on; a cell the row skips is ""
};

// A sheet read row by row, so that memory does not grow with its rows.
class SheetReader {
  public:
    virtual ~SheetReader() = default;
    // The next row that holds a cell, into `row` (its room reused); false at the end of the sheet
    // or when it could not be read on, which error() then says.
    virtual bool Next(SheetRow& row) = 0;
    // Why the sheet could not be read on, in Spanish ("el libro está dañado"), or "".
    virtual const std::string& error() const = 0;
};

// Which sheet of a workbook: the one named `name` (any case), else the one at `position` (from
// 1), else the first.
struct SheetChoice {
    std::string name;
    std::size_t position = 0;
};

// Whether sheet `index` (from 0) named `name` is the one `choice` asks for; `wanted` is the
// chosen name upper-cased (UpperCase).
bool IsChosenSheet(const SheetChoice& choice, std::string_view wanted, std::size_t index,
                   std::string_view name);
// Why no sheet among `names` is the one `choice` asks for, in Spanish.
std::string NoSuchSheet(const SheetChoice& choice, const std::vector<std::string>& names);

struct OpenedSheet {
    std::unique_ptr<SheetReader> reader;  // nothing when the workbook could not be opened
    std::string error;                    // then why, in Spanish: "no tiene la hoja «Ventas»"
};

// Office Open XML (.xlsx, Excel 2007 on), OpenDocument (.ods) and Excel 97-2003 (.xls) files.
OpenedSheet OpenXlsx(const std::string& path, const SheetChoice& choice);
OpenedSheet OpenOds(const std::string& path, const SheetChoice& choice);
OpenedSheet OpenXls(const std::string& path, const SheetChoice& choice);

// A number cell as a spreadsheet shows it in its general format: a whole number with all its
// digits ("12345678", "9780306406157", never "12345678.0" or "9,78E+12"); a fraction with the
// Spanish decimal comma ("12,5"). `stored` is the number as the file keeps it ("1.2345678E7");
// a text that is no number comes back as it is.
std::string NumberCellText(double value);
std::string NumberCellText(std::string_view stored);

}  // namespace minizol
